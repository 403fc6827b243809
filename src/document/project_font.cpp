#include "project_font.h"

#include "table_font.h"

#include <algorithm>
#include <cmath>

ProjectFont ToProjectFont(const QFont& font)
{
    ProjectFont stored;
    stored.name = font.family();
    stored.size = static_cast<int>(std::lround(PointSizeOf(font)));
    stored.bold = font.bold();
    stored.italic = font.italic();
    stored.underline = font.underline();
    stored.strikeOut = font.strikeOut();
    return stored;
}

QFont FromProjectFont(const ProjectFont& stored)
{
    QFont font(stored.name);
    font.setPointSize(std::clamp(stored.size, 1, kLargestFontPoints));
    font.setBold(stored.bold);
    font.setItalic(stored.italic);
    font.setUnderline(stored.underline);
    font.setStrikeOut(stored.strikeOut);
    return font;
}

ProjectFont ToolkitDefaultProjectFont()
{
    ProjectFont font;
    font.name = QStringLiteral("MS Sans Serif");
    font.size = 8;
    return font;
}
