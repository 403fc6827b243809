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
        points.push_back({typed.name, *height, row});
    }
    if (points.size() < 2)
        return Refused(PlanProblem::TooFewPoints);
    std::stable_sort(points.begin(), points.end(),
                     [](const PlanPoint& a, const PlanPoint& b) { return a.height < b.height; });
    const auto same = std::adjacent_find(
        points.begin(), points.end(),
        [](const PlanPoint& a, const PlanPoint& b) { return a.height == b.height; });
    if (same != points.end())
        return Refused(PlanProblem::SamePoint, std::next(same)->row);
    return points;
}

// A length divided by "n × maat": the count by the one count rule unless the user typed one,
// the gauge text as Overnemen finds it. `row`: the row a refusal is about.
std::variant<Stretch, PlanError> Divide(const FitInputs& inputs, std::int32_t typedCount,
                                        std::size_t row, const RegionalFormat& format)
{
    if (const std::optional<FitError> error = CheckDivision(inputs))
        return PlanError{PlanProblem::Brick, row, error};
    const double length = inputs.Top - inputs.Bottom;
    const std::optional<CountChoice> choice = ChooseCounts(inputs.Rule, length, inputs.Brick);
    if (!choice)
        return PlanError{PlanProblem::Brick, row,
                         FitError{FitField::Stone, FitProblem::NothingFits}};
    // A typed count beyond what the list can show: said as the total that passes it.
    if (typedCount > kMaxFitCount)
        return Refused(PlanProblem::TooManyCourses, row);
    std::optional<FitCount> fitted =
        GaugeForCount(inputs.Rule, length, inputs.Brick.Stone, typedCount);
    Stretch stretch;
    stretch.typed = fitted.has_value();
    if (!fitted)
        fitted = choice->counts[choice->selected];
    // Without a text the table cannot climb the stretch: its heights lie beyond what a gauge
    // the user can type still moves.
    const std::optional<FittedGauge> text = FitGaugeText(inputs, fitted->Count, format);
    if (!text)
        return Refused(PlanProblem::NoGaugeText, row);
    stretch.count = fitted->Count;
    stretch.gauge = fitted->Gauge;
    stretch.joint = fitted->Joint;
    const BrickSetting& brick = inputs.Brick;
    stretch.withinLimits = stretch.joint >= brick.JointFrom && stretch.joint <= brick.JointTo;
    stretch.gaugeText = text->text;
    stretch.onTarget = text->onTarget;
    stretch.landing = text->landing;
    return stretch;
}

FitInputs Between(const FitInputs& bricks, const PlanPoint& from, const PlanPoint& to)
{
    FitInputs inputs = bricks;
    inputs.Bottom = from.height;
    inputs.Top = to.height;
    return inputs;
}

std::optional<OneGauge> DivideAtOnce(const Plan& plan, const FitInputs& bricks,
                                     const RegionalFormat& format)
{
    const std::variant<Stretch, PlanError> whole =
        Divide(Between(bricks, plan.points.front(), plan.points.back()), 0, 0, format);
    const Stretch* division = std::get_if<Stretch>(&whole);
    if (!division)
        return std::nullopt;
    return OneGauge{division->count, division->gaugeText,
                    OneGaugeMisses(plan, ClimbGauge(*division, format))};
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

void KeepTypedCounts(const std::vector<PlanPointText>& before, std::vector<PlanPointText>& after,
                     const RegionalFormat& format)
{
    std::map<std::pair<double, double>, std::int32_t> typed;
    const auto stretches = [&format](const std::vector<PlanPointText>& points, auto each) {
        const auto heights = ReadableHeights(points, format);
        for (std::size_t i = 0; i + 1 < heights.size(); ++i)
            each(heights[i].first, heights[i + 1].first, heights[i + 1].second);
    };
    stretches(before, [&](double from, double to, std::size_t row) {
        if (before[row].typedCount > 0)
            typed[{from, to}] = before[row].typedCount;
    });
    for (PlanPointText& point : after)
        point.typedCount = 0;
    stretches(after, [&](double from, double to, std::size_t row) {
        if (const auto kept = typed.find({from, to}); kept != typed.end())
            after[row].typedCount = kept->second;
    });
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

    std::size_t courses = 1;
    for (std::size_t from = 0; from + 1 < plan.points.size(); ++from) {
        const PlanPoint& to = plan.points[from + 1];
        std::variant<Stretch, PlanError> divided =
            Divide(Between(bricks, plan.points[from], to), texts.points[to.row].typedCount, to.row,
                   format);
        if (const PlanError* error = std::get_if<PlanError>(&divided))
            return *error;
        Stretch& stretch = plan.stretches.emplace_back(std::get<Stretch>(std::move(divided)));
        stretch.from = from;
        stretch.to = from + 1;
        courses += static_cast<std::size_t>(stretch.count);
        if (courses > static_cast<std::size_t>(kMaxCourseRows))
            return Refused(PlanProblem::TooManyCourses, to.row);
    }
    plan.oneGauge = DivideAtOnce(plan, bricks, format);
    plan.courses = PlanCourses(plan, format);
    return plan;
}

} // namespace calc
