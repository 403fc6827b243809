#pragma once

#include "project_settings.h"

class QIODevice;

enum class ProjectReadResult {
    Read,        // the section was found and read
    FileMissing, // no file of that name
    NotRead,     // not a readable file, no section, or the header is the last line
};

// Reads the [VANTORBEL] section of a project file into settings: each key found replaces its
// item, the others keep what the caller passed in. A [VASTE PUNTEN] section, before or after it,
// replaces FixedPoints; when it is damaged, or the file fails after the program's section,
// FixedPoints becomes none and FixedPointsDamaged is set. StretchRules are those a
// [VASTE PUNTEN SOORT] section holds, wherever it stands; empty without one, or when the file
// fails after the program's section, and never damage. Throws std::runtime_error when a FONTSIZE
// value is no whole number or the file cannot be read to its end.
ProjectReadResult ReadProjectFile(const QString& fileName, ProjectSettings& settings);

// The same, from an open device; true when the section was found and read.
bool ReadProjectSettings(QIODevice& device, ProjectSettings& settings);
