#include "plan_points.h"

namespace {

calc::FitRule RuleOf(int rule)
{
    return rule >= 0 && rule <= 2 ? static_cast<calc::FitRule>(rule) : calc::FitRule::Gauges;
}

} // namespace

std::vector<calc::PlanPointText> PlanPointsOf(const std::vector<PointTexts>& points)
{
    std::vector<calc::PlanPointText> plan;
    plan.reserve(points.size());
    for (const PointTexts& point : points)
        plan.push_back({point.name.toStdString(), point.height.toStdString(), point.typedCount,
                        RuleOf(point.rule)});
    return plan;
}

std::vector<StretchRuleTexts> StretchRulesOf(const std::vector<PointTexts>& points,
                                             const calc::RegionalFormat& format)
{
    std::vector<StretchRuleTexts> rules;
    for (const auto& [lower, upper] : calc::StretchRows(PlanPointsOf(points), format))
        if (const calc::FitRule rule = RuleOf(points[upper].rule); rule != calc::FitRule::Gauges)
            rules.push_back({points[lower].height, points[upper].height, static_cast<int>(rule)});
    return rules;
}

void ApplyStretchRules(std::vector<PointTexts>& points, const std::vector<StretchRuleTexts>& rules,
                       const calc::RegionalFormat& format)
{
    for (const auto& [lower, upper] : calc::StretchRows(PlanPointsOf(points), format))
        for (const StretchRuleTexts& rule : rules)
            if (rule.from == points[lower].height && rule.to == points[upper].height)
                points[upper].rule = static_cast<int>(RuleOf(rule.rule));
}
