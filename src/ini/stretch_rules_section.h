#pragma once

#include "project_settings.h"

#include <vector>

class ProjectLineReader;
class ProjectLineWriter;

// The lines of the [VASTE PUNTEN SOORT] section after its header: VAK1=..., VAK2=..., one key
// line per written rule in the given order (the value as stretch_rule_value.h describes), at most
// one fewer than a plan has points, then an empty line. The rules stand apart from the points
// because a build that does not know them keeps an unknown section as it is, where it would take
// an unknown line among the points for damage.
void WriteStretchRulesSection(ProjectLineWriter& out, const std::vector<StretchRuleTexts>& rules);

// Whether any of the rules gives a line.
bool HasWrittenStretchRules(const std::vector<StretchRuleTexts>& rules);

// Reads the section's lines after its header, up to the next section. The rules are a
// convenience, never damage: a line that does not read is skipped alone. A line whose key is the
// next number takes that number whether or not its value reads, so that the lines after it
// still do.
std::vector<StretchRuleTexts> ReadStretchRulesSection(ProjectLineReader& lines);
