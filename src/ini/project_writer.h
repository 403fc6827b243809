#pragma once

#include "project_settings.h"

class QIODevice;

// Writes settings into the [VANTORBEL] section of a project file, and the fixed points, when the
// settings have them, into its [VASTE PUNTEN] section, and along with them the stretch rules into
// a [VASTE PUNTEN SOORT] section, which goes when there are none; every other line of the file,
// old sections of points and rules too when the settings have no points, keeps its place. The new
// content is made complete beside the file and only then takes its place, so a failed or killed
// save leaves the previous file exactly as it was. False on any failure.
bool WriteProjectFile(const QString& fileName, const ProjectSettings& settings);

// The rewrite itself: the lines of source, with the sections replaced (or appended at the end),
// go to target. False when reading or writing failed.
bool WriteProjectSettings(QIODevice& source, QIODevice& target, const ProjectSettings& settings);
