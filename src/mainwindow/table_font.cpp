#include "table_font.h"

#include <QGuiApplication>
#include <QPalette>

TableFont DefaultTableFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    return {font, QGuiApplication::palette().color(QPalette::WindowText)};
}
