#include "facade_plans.h"

#include "facade_reading.h"

#include <algorithm>
#include <map>

namespace facade {
namespace {

struct Mark {
    Measure at;
    std::optional<std::pair<std::size_t, Side>> side;
};

// The points in ascending order, equal values (as read) merged into one.
std::vector<PlanPoint> MergedPoints(std::vector<Mark> marks)
{
    std::stable_sort(marks.begin(), marks.end(),
                     [](const Mark& a, const Mark& b) { return a.at.value < b.at.value; });
    std::vector<PlanPoint> points;
    for (const Mark& mark : marks) {
        if (points.empty() || points.back().at != mark.at.value) {
            points.push_back({mark.at.value, mark.at.exact, {}, false});
        }
        if (mark.side)
            points.back().sides.push_back(*mark.side);
        else
            points.back().wallEnd = true;
    }
    return points;
}

struct Axis {
    const calc::BrickSetting& brick;
    const calc::TypedValues& typed;
    bool heads;
};

// The stretch between two neighbouring points by the one count rule, or why it has none.
std::variant<Stretch, FacadeError> Divide(const Axis& axis, const AxisPlan& plan, std::size_t from,
                                          calc::FitRule rule, const calc::RegionalFormat& format)
{
    calc::FitInputs inputs;
    inputs.Bottom = plan.points[from].at;
    inputs.Top = plan.points[from + 1].at;
    inputs.Brick = axis.brick;
    inputs.Decimals = kFacadeDecimals;
    inputs.Rule = rule;
    inputs.Typed = axis.typed;
    inputs.Typed.Bottom = plan.points[from].exact;
    inputs.Typed.Top = plan.points[from + 1].exact;
    const auto choice = calc::ChooseCounts(inputs);
    if (const auto* problem = std::get_if<calc::FitProblem>(&choice)) {
        FacadeError error{FacadeProblem::StretchCannotFill};
        error.heads = axis.heads;
        error.from = from;
        error.to = from + 1;
        error.fromPoint = plan.points[from];
        error.toPoint = plan.points[from + 1];
        error.stretch = *problem;
        error.rule = rule;
        return error;
    }
    const calc::CountChoice& counts = std::get<calc::CountChoice>(choice);
    const calc::FitCount& chosen = counts.counts[counts.selected];
    Stretch stretch;
    stretch.from = from;
    stretch.to = from + 1;
    stretch.rule = rule;
    stretch.count = chosen.Count;
    stretch.gauge = chosen.Gauge;
    stretch.joint = chosen.Joint;
    stretch.withinLimits = counts.withinLimits;
    if (const auto text = calc::FitGaugeText(inputs, chosen.Count, format))
        stretch.gaugeText = text->text;
    stretch.first = plan.total;
    return stretch;
}

// Whether the stretch from `from` to the next point lies between the two jambs of one opening.
bool OpeningBetween(const AxisPlan& plan, std::size_t from)
{
    for (const auto& [opening, side] : plan.points[from].sides)
        if (side == Side::Left)
            for (const auto& [other, otherSide] : plan.points[from + 1].sides)
                if (other == opening && otherSide == Side::Right)
                    return true;
    return false;
}

std::optional<FacadeError> DivideAxis(const Axis& axis, std::vector<Mark> marks,
                                      const calc::RegionalFormat& format, AxisPlan& plan)
{
    plan.points = MergedPoints(std::move(marks));
    for (std::size_t from = 0; from + 1 < plan.points.size(); ++from) {
        const calc::FitRule rule = !axis.heads                  ? calc::FitRule::Gauges
                                   : OpeningBetween(plan, from) ? calc::FitRule::PlusJoint
                                                                : calc::FitRule::LessJoint;
        auto stretch = Divide(axis, plan, from, rule, format);
        if (auto* error = std::get_if<FacadeError>(&stretch))
            return *error;
        plan.stretches.push_back(std::get<Stretch>(stretch));
        plan.total += plan.stretches.back().count;
    }
    return std::nullopt;
}

// The number of heads before a point, or of courses up to its course line.
std::int32_t CountBefore(const AxisPlan& plan, std::size_t point)
{
    return point < plan.stretches.size() ? plan.stretches[point].first : plan.total;
}

std::size_t PointOf(const AxisPlan& plan, std::size_t opening, Side side)
{
    for (std::size_t point = 0; point < plan.points.size(); ++point)
        for (const auto& [at, atSide] : plan.points[point].sides)
            if (at == opening && atSide == side)
                return point;
    return 0;
}

} // namespace

std::variant<FacadePlans, FacadeError> MakeFacadePlans(const FacadeInputs& facade,
                                                       const calc::RegionalFormat& format)
{
    std::vector<Mark> across{{{0, calc::Decimal{}}, {}}, {facade.width, {}}};
    std::vector<Mark> up{{{0, calc::Decimal{}}, {}}, {facade.height, {}}};
    for (std::size_t i = 0; i < facade.openings.size(); ++i) {
        const Opening& opening = facade.openings[i];
        across.push_back({opening.left, std::pair{i, Side::Left}});
        across.push_back({opening.right, std::pair{i, Side::Right}});
        up.push_back({opening.bottom, std::pair{i, Side::Bottom}});
        up.push_back({opening.top, std::pair{i, Side::Top}});
    }
    FacadePlans plans;
    if (auto error = DivideAxis({facade.heads, facade.headsTyped, true}, std::move(across), format,
                                plans.heads))
        return *error;
    if (auto error = DivideAxis({facade.courses, facade.coursesTyped, false}, std::move(up), format,
                                plans.courses))
        return *error;
    if (std::int64_t(plans.heads.total) * plans.courses.total > kMaxLaidHeads)
        return FacadeError{FacadeProblem::TooManyStones};
    for (std::size_t i = 0; i < facade.openings.size(); ++i) {
        FacadePlans::OpenColumns open;
        open.leftPoint = PointOf(plans.heads, i, Side::Left);
        open.rightPoint = PointOf(plans.heads, i, Side::Right);
        open.firstHead = CountBefore(plans.heads, open.leftPoint);
        open.endHead = CountBefore(plans.heads, open.rightPoint);
        // Open from the course above its sill's course line up to its lintel's.
        open.firstCourse = CountBefore(plans.courses, PointOf(plans.courses, i, Side::Bottom)) + 1;
        open.lastCourse = CountBefore(plans.courses, PointOf(plans.courses, i, Side::Top));
        plans.openings.push_back(open);
    }
    return plans;
}

} // namespace facade
