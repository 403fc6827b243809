#include "calc/fixed_points.h"

#include "number_reader.h"
#include "plan_climb.h"

#include <algorithm>
#include <map>

namespace calc {
namespace {

PlanError Refused(PlanProblem problem, std::size_t row = 0)
{
    return {problem, row, std::nullopt};
}

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// The points with a height, ascending; equal heights keep their typed order, so that the one
// reported as the same point is the one typed second.
std::variant<std::vector<PlanPoint>, PlanError> ReadPoints(const PlanTexts& texts,
                                                           const RegionalFormat& format)
{
    std::vector<PlanPoint> points;
    for (std::size_t row = 0; row < texts.points.size(); ++row) {
        const PlanPointText& typed = texts.points[row];
        if (IsBlank(typed.height))
            continue;
        if (points.size() == kMaxPlanPoints)
            return Refused(PlanProblem::TooManyPoints, row);
        const std::optional<double> height = ReadReal(typed.height, format);
        if (!height)
            return Refused(PlanProblem::NotANumber, row);
        points.push_back({typed.name, *height, row, ReadDecimal(typed.height, format)});
    }
    if (points.size() < 2)
        return Refused(PlanProblem::TooFewPoints);
    std::stable_sort(points.begin(), points.end(),
                     [](const PlanPoint& a, const PlanPoint& b) { return a.height < b.height; });
    const auto same = std::adjacent_find(
        points.begin(), points.end(),
        [](const PlanPoint& a, const PlanPoint& b) { return a.height == b.height; });
    if (same != points.end())
        return PlanError{PlanProblem::SamePoint, std::next(same)->row, std::nullopt, same->row};
    return points;
}

StretchFault FaultOf(CountFault fault)
{
    switch (fault) {
    case CountFault::BelowFirst:
        return StretchFault::PierTooShort;
    case CountFault::TooMany:
        return StretchFault::TooManyCourses;
    case CountFault::StonesFill:
        break;
    }
    return StretchFault::StonesFill;
}

// A length divided by its rule: the count by the one count rule unless the user typed one, the
// gauge text as Overnemen finds it; or why it cannot be.
Stretch Divide(const FitInputs& inputs, std::int32_t typedCount, const RegionalFormat& format)
{
    Stretch stretch;
    stretch.rule = inputs.Rule;
    std::optional<FitCount> fitted;
    if (typedCount > 0) {
        stretch.typed = true;
        stretch.count = typedCount;
        if (const std::optional<CountFault> fault = CountFaultOf(inputs, typedCount)) {
            stretch.fault = FaultOf(*fault);
            return stretch;
        }
        fitted =
            GaugeForCount(inputs.Rule, inputs.Top - inputs.Bottom, inputs.Brick.Stone, typedCount);
    } else {
        const std::variant<CountChoice, FitProblem> choice = ChooseCounts(inputs);
        if (const FitProblem* problem = std::get_if<FitProblem>(&choice)) {
            stretch.fault = *problem == FitProblem::TooManyCourses ? StretchFault::TooManyCourses
                                                                   : StretchFault::NothingFits;
            return stretch;
        }
        const CountChoice& counts = std::get<CountChoice>(choice);
        fitted = counts.counts[counts.selected];
    }
    stretch.count = fitted->Count;
    // Without a text the table cannot climb the stretch: its heights lie beyond what a gauge
    // the user can type still moves.
    const std::optional<FittedGauge> text = FitGaugeText(inputs, fitted->Count, format);
    if (!text) {
        stretch.fault = StretchFault::NoGaugeText;
        return stretch;
    }
    stretch.gauge = fitted->Gauge;
    stretch.joint = fitted->Joint;
    stretch.withinLimits = JointWithinLimits(inputs, stretch.count);
    stretch.gaugeText = text->text;
    stretch.onTarget = text->onTarget;
    stretch.landing = text->landing;
    return stretch;
}

FitInputs Between(const FitInputs& bricks, const PlanPoint& from, const PlanPoint& to, FitRule rule)
{
    FitInputs inputs = bricks;
    inputs.Bottom = from.height;
    inputs.Top = to.height;
    inputs.Typed.Bottom = from.typed;
    inputs.Typed.Top = to.typed;
    inputs.Rule = rule;
    return inputs;
}

std::optional<OneGauge> DivideAtOnce(const Plan& plan, const FitInputs& bricks,
                                     const RegionalFormat& format)
{
    const Stretch whole = Divide(
        Between(bricks, plan.points.front(), plan.points.back(), FitRule::Gauges), 0, format);
    if (whole.fault)
        return std::nullopt;
    return OneGauge{whole.count, whole.gaugeText, OneGaugeMisses(plan, ClimbGauge(whole, format))};
}

// The readable points, ascending: a value and its row.
std::vector<std::pair<double, std::size_t>>
ReadableHeights(const std::vector<PlanPointText>& points, const RegionalFormat& format)
{
    std::vector<std::pair<double, std::size_t>> heights;
    for (std::size_t row = 0; row < points.size(); ++row)
        if (const std::optional<double> height = ReadReal(points[row].height, format))
            heights.emplace_back(*height, row);
    std::stable_sort(heights.begin(), heights.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return heights;
}

} // namespace

std::vector<std::pair<std::size_t, std::size_t>>
StretchRows(const std::vector<PlanPointText>& points, const RegionalFormat& format)
{
    const auto heights = ReadableHeights(points, format);
    std::vector<std::pair<std::size_t, std::size_t>> rows;
    for (std::size_t i = 0; i + 1 < heights.size(); ++i)
        rows.emplace_back(heights[i].second, heights[i + 1].second);
    return rows;
}

void KeepStretchChoices(const std::vector<PlanPointText>& before, std::vector<PlanPointText>& after,
                        std::optional<std::size_t> removedRow, const RegionalFormat& format)
{
    std::map<std::pair<double, double>, std::int32_t> typed;
    // A rule belongs to two points, whichever lies lower now: keyed by their rows before.
    std::map<std::pair<std::size_t, std::size_t>, FitRule> rules;
    for (const auto& [lower, upper] : StretchRows(before, format)) {
        const PlanPointText& top = before[upper];
        if (top.typedCount > 0)
            typed[{*ReadReal(before[lower].height, format), *ReadReal(top.height, format)}] =
                top.typedCount;
        if (top.rule != FitRule::Gauges)
            rules[std::minmax(lower, upper)] = top.rule;
    }
    const auto rowBefore = [&](std::size_t row) {
        return removedRow && row >= *removedRow ? row + 1 : row;
    };
    for (PlanPointText& point : after) {
        point.typedCount = 0;
        point.rule = FitRule::Gauges;
    }
    for (const auto& [lower, upper] : StretchRows(after, format)) {
        PlanPointText& top = after[upper];
        const auto count =
            typed.find({*ReadReal(after[lower].height, format), *ReadReal(top.height, format)});
        if (count != typed.end())
            top.typedCount = count->second;
        const auto rule = rules.find(std::minmax(rowBefore(lower), rowBefore(upper)));
        if (rule != rules.end())
            top.rule = rule->second;
    }
}

std::variant<Plan, PlanError> MakePlan(const PlanTexts& texts, const RegionalFormat& format)
{
    Plan plan;
    std::variant<std::vector<PlanPoint>, PlanError> points = ReadPoints(texts, format);
    if (const PlanError* error = std::get_if<PlanError>(&points))
        return *error;
    plan.points = std::get<std::vector<PlanPoint>>(std::move(points));

    FitInputs bricks;
    const FitTexts brickTexts{
        {}, {}, texts.stone, texts.joint, texts.jointFrom, texts.jointTo, texts.decimals};
    std::optional<FitError> brickError = ReadBrickTexts(brickTexts, format, bricks);
    if (!brickError)
        brickError = CheckBricks(bricks.Brick);
    if (brickError)
        return PlanError{PlanProblem::Brick, 0, brickError};
    plan.decimals = bricks.Decimals;

    plan.bricks = bricks;
    std::size_t lines = 1;
    for (std::size_t from = 0; from + 1 < plan.points.size(); ++from) {
        const PlanPoint& to = plan.points[from + 1];
        const PlanPointText& typed = texts.points[to.row];
        Stretch& stretch = plan.stretches.emplace_back(
            Divide(Between(bricks, plan.points[from], to, typed.rule), typed.typedCount, format));
        stretch.from = from;
        stretch.to = from + 1;
        lines += CourseLines(stretch);
        if (lines > static_cast<std::size_t>(kMaxCourseRows))
            return Refused(PlanProblem::TooManyCourses, to.row);
    }
    plan.oneGauge = DivideAtOnce(plan, bricks, format);
    plan.courses = PlanCourses(plan, format);
    return plan;
}

std::optional<StretchFault> TypedCountFault(const Plan& plan, std::size_t stretch,
                                            std::int32_t count)
{
    const Stretch& divided = plan.stretches[stretch];
    const std::optional<CountFault> fault = CountFaultOf(
        Between(plan.bricks, plan.points[divided.from], plan.points[divided.to], divided.rule),
        count);
    return fault ? std::optional(FaultOf(*fault)) : std::nullopt;
}

} // namespace calc
