#pragma once

#include "project_settings.h"

#include <vector>

class ProjectLineReader;
class ProjectLineWriter;

// The key lines of a section after its header, each cut to the line limit, then an empty line.
void WriteKeyedSection(ProjectLineWriter& out, const std::vector<KeyedLine>& lines);

// Reads the section's key lines after its header, up to the next section; lines without a key
// are passed over.
std::vector<KeyedLine> ReadKeyedSection(ProjectLineReader& lines);
