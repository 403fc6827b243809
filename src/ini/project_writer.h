#pragma once

#include "project_settings.h"

class QIODevice;

// Writes settings into the [VANTORBEL] section of a project file and keeps every other line of
// the file in its place. The new content is made complete beside the file and only then takes
// its place, so a failed or killed save leaves the previous file exactly as it was. False on any
// failure.
bool WriteProjectFile(const QString& fileName, const ProjectSettings& settings);

// The rewrite itself: the lines of source, with the section replaced (or appended), go to
// target. False when reading or writing failed.
bool WriteProjectSettings(QIODevice& source, QIODevice& target, const ProjectSettings& settings);
