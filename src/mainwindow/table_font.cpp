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

platform::SurfaceFont SurfaceFontOf(const TableFont& table)
{
    platform::SurfaceFont font;
    font.name = table.font.family();
    font.pointSize = PointSizeOf(table.font);
    font.bold = table.font.bold();
    font.italic = table.font.italic();
    font.underline = table.font.underline();
    font.strikeOut = table.font.strikeOut();
    font.color = table.color;
    return font;
}
