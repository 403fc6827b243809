#pragma once

#include <QFont>

namespace platform {

// The font of every window of the program: "MS Sans Serif" at 8 points.
QFont WindowFont();

// Maps the font names the windows and project files use onto fonts this desktop has:
// "Arial" onto the metric-compatible Liberation Sans, and the window font "MS Sans Serif" onto
// Liberation Sans as well, whose narrow 8-point figures fit the fixed label boxes.
void InstallFontStandIns();

} // namespace platform
