#include "table_font.h"

#include <QGuiApplication>
#include <QPalette>

TableFont DefaultTableFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    return {font, QGuiApplication::palette().color(QPalette::WindowText)};
}

double PointSizeOf(const QFont& font)
{
    return font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
}
