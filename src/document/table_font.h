#pragma once

#include <QColor>
#include <QFont>

// The font of the course table: shown on screen, stored in project files and handed to the
// printed report. Qt keeps the colour apart from the font, so both travel together here.
struct TableFont {
    QFont font;
    QColor color;

    bool operator==(const TableFont&) const = default;
};

// "Arial" at 9 points (12 pixels at 96 pixels per inch), plain, in the window-text colour.
TableFont DefaultTableFont();

// The font's size in points. A font chosen by pixel size has no point size of its own: at 96
// pixels per inch 4 pixels make 3 points.
double PointSizeOf(const QFont& font);
