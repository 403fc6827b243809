#pragma once

#include "ini/project_settings.h"

#include <QFont>

// The table font as a project file stores it, and back. Sizes from a file are kept within what
// a screen and a printer can draw, so a hostile value cannot ask for a font of a million points.
ProjectFont ToProjectFont(const QFont& font);
QFont FromProjectFont(const ProjectFont& font);

// What a project file that names no font leaves the table with: the toolkit's own default.
ProjectFont ToolkitDefaultProjectFont();

inline constexpr int kLargestFontPoints = 1000;
