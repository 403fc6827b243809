#pragma once

#include "project_settings.h"

#include <optional>
#include <vector>

class ProjectLineReader;
class ProjectLineWriter;

// The lines of the [VASTE PUNTEN] section after its header: PUNT1=... up to PUNT50=..., one
// key line per point in the plan's order (the value as fixed_point_value.h describes), then an
// empty line. Only the first kMaxFixedPoints points are written.
void WriteFixedPointsSection(ProjectLineWriter& out, const std::vector<FixedPointTexts>& points);

// Reads the section's lines after its header, up to the next section. None when the section is
// damaged: a line that is neither empty nor the next point's key line, a value that does not
// decode, a line over the line limit.
std::optional<std::vector<FixedPointTexts>> ReadFixedPointsSection(ProjectLineReader& lines);
