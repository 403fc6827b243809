#pragma once

// The plan's points as the document keeps them, handed to the calculation, and the kinds of
// their stretches to and from the project file, which keys each by its two heights as typed.

#include "calc/fixed_points.h"
#include "course_project.h"

#include <vector>

std::vector<calc::PlanPointText> PlanPointsOf(const std::vector<PointTexts>& points);

// The stretches built otherwise than by n gauges.
std::vector<StretchRuleTexts> StretchRulesOf(const std::vector<PointTexts>& points,
                                             const calc::RegionalFormat& format);

// Each rule to the stretch whose two heights read exactly as the rule's; one that meets no
// stretch (the points were changed by a build that keeps no rules) is dropped.
void ApplyStretchRules(std::vector<PointTexts>& points, const std::vector<StretchRuleTexts>& rules,
                       const calc::RegionalFormat& format);
