#include "calc/divide_levels.h"

#include "number_reader.h"
#include "shown_value.h"

#include <algorithm>
#include <cmath>

namespace calc {
namespace {

std::optional<FitError> ReadLevelTexts(const FitTexts& texts, const RegionalFormat& format,
                                       FitInputs& inputs)
{
    if (const std::optional<double> bottom = ReadReal(texts.bottom, format))
        inputs.Bottom = *bottom;
    else
        return FitError{FitField::Bottom, FitProblem::NotANumber};
    if (const std::optional<double> top = ReadReal(texts.top, format))
        inputs.Top = *top;
    else
        return FitError{FitField::Top, FitProblem::NotANumber};
    return ReadBrickTexts(texts, format, inputs);
}

// The count whose gauge is the nominal one, as a real: the rule solved for n.
double NominalCount(FitRule rule, double length, const BrickSetting& brick)
{
    const double nominal = brick.Stone + brick.Joint;
    switch (rule) {
    case FitRule::LessJoint:
        return (length - brick.Stone) / nominal + 1;
    case FitRule::PlusJoint:
        return (length + brick.Stone) / nominal - 1;
    case FitRule::Gauges:
        break;
    }
    return length / nominal;
}

// The counts a rule allows, with their gauge and joint; the joint never grows with the count.
class Counts {
public:
    Counts(FitRule rule, double length, const BrickSetting& brick)
        : m_rule(rule)
        , m_length(length)
        , m_brick(brick)
    {
    }

    std::int32_t first() const { return m_rule == FitRule::LessJoint ? 2 : 1; }

    // A gauge too small for a double is no count: its joint is taken as not positive.
    FitCount at(std::int32_t count) const
    {
        return GaugeForCount(m_rule, m_length, m_brick.Stone, count)
            .value_or(FitCount{count, 0, -m_brick.Stone});
    }

    double joint(std::int32_t count) const { return at(count).Joint; }

    // The first count from `from` to `to` for which `holds` is true, where it stays true for
    // every larger count; `to + 1` when there is none.
    template <class Holds>
    std::int32_t firstWhere(std::int32_t from, std::int32_t to, Holds holds) const
    {
        std::int32_t after = to + 1;
        while (from < after) {
            const std::int32_t middle = from + (after - from) / 2;
            if (holds(middle))
                after = middle;
            else
                from = middle + 1;
        }
        return after;
    }

private:
    FitRule m_rule;
    double m_length;
    const BrickSetting& m_brick;
};

// From the selected count outwards, the counts nearest the nominal joint (ties to the smaller
// count) until `limit` of them are taken, then in ascending order.
CountChoice NearestAround(const Counts& counts, std::int32_t selected, std::int32_t low,
                          std::int32_t high, double nominal)
{
    const auto distance = [&](std::int32_t count) {
        return std::abs(counts.joint(count) - nominal);
    };
    std::int32_t below = selected;
    std::int32_t above = selected;
    while (static_cast<std::size_t>(above - below + 1) < kMaxListedCounts &&
           (below > low || above < high)) {
        if (below > low && (above == high || distance(below - 1) <= distance(above + 1)))
            --below;
        else
            ++above;
    }
    CountChoice choice;
    for (std::int32_t count = below; count <= above; ++count)
        choice.counts.push_back(counts.at(count));
    choice.selected = static_cast<std::size_t>(selected - below);
    return choice;
}

} // namespace

std::optional<FitError> ReadBrickTexts(const FitTexts& texts, const RegionalFormat& format,
                                       FitInputs& inputs)
{
    const struct {
        std::string_view text;
        double* value;
        FitField field;
    } reals[] = {
        {texts.stone, &inputs.Brick.Stone, FitField::Stone},
        {texts.joint, &inputs.Brick.Joint, FitField::Joint},
        {texts.jointFrom, &inputs.Brick.JointFrom, FitField::JointFrom},
        {texts.jointTo, &inputs.Brick.JointTo, FitField::JointTo},
    };
    for (const auto& real : reals) {
        const std::optional<double> value = ReadReal(real.text, format);
        if (!value)
            return FitError{real.field, FitProblem::NotANumber};
        *real.value = *value;
    }
    const std::optional<std::int32_t> decimals = ReadWholeNumber(texts.decimals);
    if (!decimals)
        return FitError{FitField::Decimals, FitProblem::NotAWholeNumber};
    inputs.Decimals = *decimals;
    return std::nullopt;
}

std::optional<FitError> CheckBricks(const BrickSetting& brick)
{
    if (!(brick.Stone > 0))
        return FitError{FitField::Stone, FitProblem::StoneNotPositive};
    if (!(brick.Joint > 0))
        return FitError{FitField::Joint, FitProblem::JointNotPositive};
    if (!(brick.JointFrom >= 0))
        return FitError{FitField::JointFrom, FitProblem::LimitNegative};
    if (!(brick.JointTo >= 0))
        return FitError{FitField::JointTo, FitProblem::LimitNegative};
    if (brick.JointFrom > brick.JointTo)
        return FitError{FitField::JointFrom, FitProblem::LimitsReversed};
    return std::nullopt;
}

std::optional<FitError> CheckDivision(const FitInputs& inputs)
{
    if (!(inputs.Top > inputs.Bottom))
        return FitError{FitField::Top, FitProblem::LengthNotPositive};
    if (const std::optional<FitError> error = CheckBricks(inputs.Brick))
        return error;
    // Also refuses a length beyond the double range.
    if (!(NominalCount(inputs.Rule, inputs.Top - inputs.Bottom, inputs.Brick) <= kMaxFitCount))
        return FitError{FitField::Top, FitProblem::TooManyCourses};
    return std::nullopt;
}

std::optional<FitCount> GaugeForCount(FitRule rule, double length, double stone, std::int32_t count)
{
    if (count < (rule == FitRule::LessJoint ? 2 : 1) || count > kMaxFitCount)
        return std::nullopt;
    double gauge = length / count;
    if (rule == FitRule::LessJoint)
        gauge = (length - stone) / (count - 1);
    else if (rule == FitRule::PlusJoint)
        gauge = (length + stone) / (count + 1);
    if (!(gauge > 0) || !std::isfinite(gauge))
        return std::nullopt;
    return FitCount{count, gauge, gauge - stone};
}

std::optional<CountChoice> ChooseCounts(FitRule rule, double length, const BrickSetting& brick)
{
    const Counts counts(rule, length, brick);
    const std::int32_t first = counts.first();
    if (!GaugeForCount(rule, length, brick.Stone, first) || !(counts.joint(first) > 0))
        return std::nullopt;
    const std::int32_t last =
        counts.firstWhere(first, kMaxFitCount, [&](auto n) { return !(counts.joint(n) > 0); }) - 1;
    // The joints within the limits belong to the counts low..high.
    const std::int32_t low =
        counts.firstWhere(first, last, [&](auto n) { return counts.joint(n) <= brick.JointTo; });
    const std::int32_t high = counts.firstWhere(first, last, [&](auto n) {
        return counts.joint(n) < brick.JointFrom;
    }) - 1;
    if (low <= high) {
        // The first count at or below the nominal joint, or the one before it.
        std::int32_t nearest =
            counts.firstWhere(low, high, [&](auto n) { return counts.joint(n) <= brick.Joint; });
        nearest = std::min(nearest, high);
        if (nearest > low && std::abs(counts.joint(nearest - 1) - brick.Joint) <=
                                 std::abs(counts.joint(nearest) - brick.Joint))
            --nearest;
        return NearestAround(counts, nearest, low, high, brick.Joint);
    }
    // None within the limits: the count just above the upper limit (low - 1) and the one just
    // below the lower limit (high + 1, which is low), as far as they are counts.
    CountChoice choice;
    choice.withinLimits = false;
    if (low - 1 >= first)
        choice.counts.push_back(counts.at(low - 1));
    if (low <= last)
        choice.counts.push_back(counts.at(low));
    if (choice.counts.size() == 2 &&
        brick.JointFrom - choice.counts[1].Joint < choice.counts[0].Joint - brick.JointTo)
        choice.selected = 1;
    return choice;
}

std::variant<Division, FitError> DivideLevels(const FitTexts& texts, FitRule rule,
                                              const RegionalFormat& format)
{
    Division division;
    division.inputs.Rule = rule;
    if (const std::optional<FitError> error = ReadLevelTexts(texts, format, division.inputs))
        return *error;
    if (const std::optional<FitError> error = CheckDivision(division.inputs))
        return *error;
    std::optional<CountChoice> choice =
        ChooseCounts(rule, division.inputs.Top - division.inputs.Bottom, division.inputs.Brick);
    if (!choice)
        return FitError{FitField::Stone, FitProblem::NothingFits};
    division.choice = *std::move(choice);
    return division;
}

std::int32_t ListDecimals(std::int32_t decimals)
{
    // FormatHeight shows two decimals for a setting it does not take.
    return decimals > 2 && decimals <= 18 ? decimals : 2;
}

std::variant<FitSizes, FitError> SizesThatFit(const FitInputs& inputs, std::string_view gaugeText,
                                              std::int32_t decimals, const RegionalFormat& format)
{
    const std::optional<double> gauge = ReadReal(gaugeText, format);
    if (!gauge)
        return FitError{FitField::Gauge, FitProblem::NotANumber};
    if (!(*gauge > inputs.Brick.Stone))
        return FitError{FitField::Gauge, FitProblem::GaugeNotAboveStone};
    FitSizes sizes;
    sizes.Joint = *gauge - inputs.Brick.Stone;
    const ShownValue length = Shown(inputs.Top - inputs.Bottom, decimals);
    for (std::int32_t count = 1; count <= kMaxSizeRows; ++count) {
        const double gauges = count * *gauge;
        if (count > 1 && Compare(Shown(gauges, decimals), length) > 0)
            break;
        sizes.rows.push_back({count, gauges - sizes.Joint, gauges, gauges + sizes.Joint});
    }
    return sizes;
}

} // namespace calc
