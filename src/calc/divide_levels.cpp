#include "calc/divide_levels.h"

#include "joint_fractions.h"
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
    inputs.Typed.Bottom = ReadDecimal(texts.bottom, format);
    inputs.Typed.Top = ReadDecimal(texts.top, format);
    return ReadBrickTexts(texts, format, inputs);
}

// The first count from `from` to `to` for which `holds` is true, where it stays true for every
// larger count; `to + 1` when there is none.
template <class Holds> std::int32_t FirstWhere(std::int32_t from, std::int32_t to, Holds holds)
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

FitCount CountOf(const FitInputs& inputs, std::int32_t count)
{
    return *GaugeForCount(inputs.Rule, inputs.Top - inputs.Bottom, inputs.Brick.Stone, count);
}

// From the selected count outwards, the counts nearest the nominal joint (ties to the smaller
// count) until `limit` of them are taken, then in ascending order.
template <class Joints>
CountChoice NearestAround(const FitInputs& inputs, const Joints& joints, std::int32_t selected,
                          std::int32_t low, std::int32_t high)
{
    std::int32_t below = selected;
    std::int32_t above = selected;
    while (static_cast<std::size_t>(above - below + 1) < kMaxListedCounts &&
           (below > low || above < high)) {
        if (below > low && (above == high || joints.asNear(below - 1, above + 1)))
            --below;
        else
            ++above;
    }
    CountChoice choice;
    for (std::int32_t count = below; count <= above; ++count)
        choice.counts.push_back(CountOf(inputs, count));
    choice.selected = static_cast<std::size_t>(selected - below);
    return choice;
}

template <class Joints>
std::variant<CountChoice, FitProblem> Choose(const FitInputs& inputs, const Joints& joints)
{
    const std::int32_t first = joints.first();
    if (!joints.positive(first))
        return FitProblem::NothingFits;
    const std::int32_t last =
        FirstWhere(first, kMaxFitCount, [&](auto n) { return !joints.positive(n); }) - 1;
    // The joints within the limits belong to the counts low..high.
    const std::int32_t low =
        FirstWhere(first, last, [&](auto n) { return joints.compare(n, JointMark::To) <= 0; });
    const std::int32_t high =
        FirstWhere(first, last, [&](auto n) { return joints.compare(n, JointMark::From) < 0; }) - 1;
    if (low <= high) {
        // The first count at or below the nominal joint, or the one before it.
        std::int32_t nearest = FirstWhere(
            low, high, [&](auto n) { return joints.compare(n, JointMark::Nominal) <= 0; });
        nearest = std::min(nearest, high);
        if (nearest > low && joints.asNear(nearest - 1, nearest))
            --nearest;
        return NearestAround(inputs, joints, nearest, low, high);
    }
    // Every count the list can show leaves a joint too wide: the length needs more.
    if (low > last && last == kMaxFitCount)
        return FitProblem::TooManyCourses;
    // None within the limits: the count just above the upper limit (low - 1) and the one just
    // below the lower limit (high + 1, which is low), as far as they are counts.
    CountChoice choice;
    choice.withinLimits = false;
    if (low - 1 >= first)
        choice.counts.push_back(CountOf(inputs, low - 1));
    if (low <= last)
        choice.counts.push_back(CountOf(inputs, low));
    if (choice.counts.size() == 2 && joints.furtherOut(low - 1, low))
        choice.selected = 1;
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
    inputs.Typed.Stone = ReadDecimal(texts.stone, format);
    inputs.Typed.Joint = ReadDecimal(texts.joint, format);
    inputs.Typed.JointFrom = ReadDecimal(texts.jointFrom, format);
    inputs.Typed.JointTo = ReadDecimal(texts.jointTo, format);
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
    return CheckBricks(inputs.Brick);
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

std::variant<CountChoice, FitProblem> ChooseCounts(const FitInputs& inputs)
{
    return WithJointFractions(inputs, [&](const auto& joints) { return Choose(inputs, joints); });
}

std::optional<CountFault> CountFaultOf(const FitInputs& inputs, std::int32_t count)
{
    return WithJointFractions(inputs, [&](const auto& joints) -> std::optional<CountFault> {
        if (count < joints.first())
            return CountFault::BelowFirst;
        if (count > kMaxFitCount)
            return CountFault::TooMany;
        if (!joints.positive(count))
            return CountFault::StonesFill;
        return std::nullopt;
    });
}

bool JointWithinLimits(const FitInputs& inputs, std::int32_t count)
{
    return WithJointFractions(inputs, [&](const auto& joints) {
        return joints.compare(count, JointMark::From) >= 0 &&
               joints.compare(count, JointMark::To) <= 0;
    });
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
    std::variant<CountChoice, FitProblem> choice = ChooseCounts(division.inputs);
    if (const FitProblem* problem = std::get_if<FitProblem>(&choice))
        return FitError{*problem == FitProblem::TooManyCourses ? FitField::Top : FitField::Stone,
                        *problem};
    division.choice = std::get<CountChoice>(std::move(choice));
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
        // The smallest size a count builds is its pier.
        if (count > 1 && Compare(Shown(gauges - sizes.Joint, decimals), length) > 0)
            break;
        sizes.rows.push_back({count, gauges - sizes.Joint, gauges, gauges + sizes.Joint});
    }
    return sizes;
}

} // namespace calc
