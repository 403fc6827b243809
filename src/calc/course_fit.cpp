#include "course_fit.h"

#include "format_height.h"
#include "number_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace calc {
namespace {

// The length that n gauges must make under the rule.
double DividedLength(const FitInputs& inputs)
{
    const double length = inputs.Top - inputs.Bottom;
    switch (inputs.Rule) {
    case FitRule::LessJoint:
        return length + inputs.Joint;
    case FitRule::PlusJoint:
        return length - inputs.Joint;
    case FitRule::Gauges:
        break;
    }
    return length;
}

// Where course n must land: bottom + n gauges.
double Landing(const FitInputs& inputs)
{
    switch (inputs.Rule) {
    case FitRule::LessJoint:
        return inputs.Top + inputs.Joint;
    case FitRule::PlusJoint:
        return inputs.Top - inputs.Joint;
    case FitRule::Gauges:
        break;
    }
    return inputs.Top;
}

std::optional<FitError> ReadFitTexts(const FitTexts& texts, const RegionalFormat& format,
                                     FitInputs& inputs)
{
    const struct {
        std::string_view text;
        double* value;
        FitField field;
    } reals[] = {
        {texts.bottom, &inputs.Bottom, FitField::Bottom},
        {texts.top, &inputs.Top, FitField::Top},
        {texts.stone, &inputs.Stone, FitField::Stone},
        {texts.joint, &inputs.Joint, FitField::Joint},
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

std::optional<FitError> CheckDivision(const FitInputs& inputs)
{
    if (!(inputs.Top > inputs.Bottom))
        return FitError{FitField::Top, FitProblem::LengthNotPositive};
    if (!(inputs.Stone > 0))
        return FitError{FitField::Stone, FitProblem::StoneNotPositive};
    if (!(inputs.Joint > 0))
        return FitError{FitField::Joint, FitProblem::JointNotPositive};
    if (!(DividedLength(inputs) > 0))
        return FitError{FitField::Joint, FitProblem::JointTooLarge};
    // Also refuses a length beyond the double range.
    if (!(DividedLength(inputs) / (inputs.Stone + inputs.Joint) <= kMaxFitCount))
        return FitError{FitField::Top, FitProblem::TooManyCourses};
    return std::nullopt;
}

// The count whose gauge is nearest the nominal gauge.
std::int32_t NearestCount(double divided, double nominal)
{
    const auto below = static_cast<std::int32_t>(std::max(1.0, std::floor(divided / nominal)));
    const std::int32_t above = below + 1;
    if (above > kMaxFitCount)
        return below;
    const auto distance = [&](std::int32_t count) {
        return std::abs(divided / count - nominal);
    };
    return distance(above) < distance(below) ? above : below;
}

void ListCounts(Division& division)
{
    const FitInputs& inputs = division.inputs;
    const double divided = DividedLength(inputs);
    const double nominal = inputs.Stone + inputs.Joint;
    const std::int32_t nearest = NearestCount(divided, nominal);
    for (std::int32_t count = nearest - 2; count <= nearest + 2; ++count) {
        if (count < 1 || count > kMaxFitCount)
            continue;
        const double gauge = divided / count;
        const double joint = gauge - inputs.Stone;
        if (gauge > 0 && joint > 0)
            division.counts.push_back({count, gauge, joint});
    }
    for (std::size_t row = 0; row < division.counts.size(); ++row)
        if (std::abs(division.counts[row].Gauge - nominal) <
            std::abs(division.counts[division.nearest].Gauge - nominal))
            division.nearest = row;
}

// A value as the table shows it, in a form that compares as a number: the sign and the digits
// without separators or leading zeros (every value compared has the same decimals).
struct ShownValue {
    bool negative = false;
    std::string digits;
};

ShownValue Shown(double value, std::int32_t decimals)
{
    static const RegionalFormat kDigitsOnly{".", ""};
    const std::string text = FormatHeight(value, decimals, kDigitsOnly);
    ShownValue shown;
    shown.negative = !text.empty() && text.front() == '-';
    for (const char c : text)
        if (c >= '0' && c <= '9' && !(shown.digits.empty() && c == '0'))
            shown.digits += c;
    return shown;
}

int Compare(const ShownValue& a, const ShownValue& b)
{
    if (a.negative != b.negative)
        return a.negative ? -1 : 1;
    int magnitude = 0;
    if (a.digits.size() != b.digits.size())
        magnitude = a.digits.size() < b.digits.size() ? -1 : 1;
    else
        magnitude = a.digits.compare(b.digits) < 0 ? -1 : (a.digits == b.digits ? 0 : 1);
    return a.negative ? -magnitude : magnitude;
}

// Finds the gauge text as a user would, with the table as judge: for each number of decimals,
// from the gauge rounded up, step up by one unit of the last decimal until course `count` shows
// the target. The steps are searched by doubling and halving rather than one by one: course
// `count` only climbs as the gauge grows (every rounded addition is monotonic), so the first
// text that reaches the target is the same.
class GaugeSearch {
public:
    GaugeSearch(const FitInputs& inputs, std::int32_t count, const RegionalFormat& format)
        : m_inputs(inputs)
        , m_count(count)
        , m_format(format)
        , m_gauge(DividedLength(inputs) / count)
    {
    }

    std::optional<FittedGauge> run()
    {
        ShownValue target = Shown(Landing(m_inputs), m_inputs.Decimals);
        // A target no climb shows gives way to the lowest value above it that one does show;
        // that one is reached, so this ends after the second round.
        for (int round = 0; round < kRounds; ++round) {
            if (std::optional<FittedGauge> found = find(target)) {
                found->onTarget = round == 0;
                return found;
            }
            std::optional<ShownValue> next = lowestAbove(target);
            if (!next)
                return std::nullopt;
            target = *std::move(next);
        }
        return std::nullopt;
    }

private:
    static constexpr int kRounds = 4;
    static constexpr int kMaxSignificantDigits = 15;
    // Below 4.9e-324 a double has no digits left.
    static constexpr int kMaxDecimals = 340;
    static constexpr std::int64_t kMaxUnits = 999'999'999'999'999'999;

    struct Trial {
        bool reached = false; // course `count` is in the table
        double height = 0;
        ShownValue shown;
    };

    std::string text(std::int64_t units, int decimals) const
    {
        std::string digits = std::to_string(units);
        if (decimals == 0)
            return digits;
        if (digits.size() <= static_cast<std::size_t>(decimals))
            digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(decimals),
                      m_format.decimalSeparator);
        return digits;
    }

    Trial trial(std::int64_t units, int decimals) const
    {
        Trial result;
        const std::optional<double> gauge = ReadReal(text(units, decimals), m_format);
        if (!gauge)
            return result;
        const CourseInputs climb{*gauge, m_inputs.Bottom, m_inputs.Top, m_inputs.Decimals};
        ClimbCourses(climb, [&](std::int32_t number, double height) {
            if (number < m_count)
                return true;
            result = {true, height, Shown(height, m_inputs.Decimals)};
            return false;
        });
        return result;
    }

    // The trial is at or past the target (`strictly`: past it), or course `count` is gone
    // from the table; once true for a gauge, true for every larger one.
    bool atOrPast(const Trial& trial, const ShownValue& target, bool strictly) const
    {
        if (!trial.reached)
            return true;
        const int order = Compare(trial.shown, target);
        return (strictly ? order > 0 : order >= 0) && endsHere(trial);
    }

    bool endsHere(const Trial& trial) const
    {
        return m_inputs.Rule != FitRule::Gauges || trial.height >= m_inputs.Top;
    }

    // The gauge rounded up to `decimals`, as units of the last decimal; nothing when that
    // needs more significant digits than a text should carry.
    std::optional<std::int64_t> start(int decimals) const
    {
        char buffer[512];
        const auto [end, error] = std::to_chars(std::begin(buffer), std::end(buffer), m_gauge,
                                                std::chars_format::fixed, decimals);
        if (error != std::errc())
            return std::nullopt;
        std::string digits;
        for (const char* c = buffer; c != end; ++c)
            if (*c >= '0' && *c <= '9' && !(digits.empty() && *c == '0'))
                digits += *c;
        if (digits.size() > 18 || (decimals > 0 && digits.size() > kMaxSignificantDigits))
            return std::nullopt;
        std::int64_t units = digits.empty() ? 0 : std::stoll(digits);
        const std::optional<double> rounded = ReadReal(text(units, decimals), m_format);
        if (!rounded || *rounded < m_gauge)
            ++units;
        return units;
    }

    // The first units from `from` on whose trial is at or past the target.
    std::optional<std::int64_t> firstAtOrPast(std::int64_t from, int decimals,
                                              const ShownValue& target, bool strictly) const
    {
        const auto test = [&](std::int64_t units) {
            return atOrPast(trial(units, decimals), target, strictly);
        };
        if (test(from))
            return from;
        std::int64_t before = from;
        std::int64_t step = 1;
        std::int64_t after = 0;
        for (;;) {
            if (step > kMaxUnits - from)
                return std::nullopt;
            after = from + step;
            if (test(after))
                break;
            before = after;
            step *= 2;
        }
        while (after - before > 1) {
            const std::int64_t middle = before + (after - before) / 2;
            (test(middle) ? after : before) = middle;
        }
        return after;
    }

    // For each number of decimals, the first text at or past the target (`strictly`: past it)
    // with its trial, handed to visit until it returns false.
    template <class Visit>
    void forEachFirst(const ShownValue& target, bool strictly, Visit&& visit) const
    {
        for (int decimals = 0; decimals <= kMaxDecimals; ++decimals) {
            const std::optional<std::int64_t> from = start(decimals);
            if (!from)
                return;
            const std::optional<std::int64_t> units =
                firstAtOrPast(*from, decimals, target, strictly);
            if (units && !visit(trial(*units, decimals), text(*units, decimals)))
                return;
        }
    }

    std::optional<FittedGauge> find(const ShownValue& target) const
    {
        std::optional<FittedGauge> found;
        forEachFirst(target, false, [&](const Trial& result, std::string text) {
            if (!result.reached || Compare(result.shown, target) != 0 || !endsHere(result))
                return true;
            found = FittedGauge{std::move(text), result.height, true};
            return false;
        });
        return found;
    }

    std::optional<ShownValue> lowestAbove(const ShownValue& target) const
    {
        std::optional<ShownValue> lowest;
        forEachFirst(target, true, [&](const Trial& result, const std::string&) {
            if (result.reached && (!lowest || Compare(result.shown, *lowest) < 0))
                lowest = result.shown;
            return true;
        });
        return lowest;
    }

    const FitInputs& m_inputs;
    std::int32_t m_count;
    const RegionalFormat& m_format;
    double m_gauge;
};

} // namespace

std::variant<Division, FitError> DivideLevels(const FitTexts& texts, FitRule rule,
                                              const RegionalFormat& format)
{
    Division division;
    division.inputs.Rule = rule;
    if (const std::optional<FitError> error = ReadFitTexts(texts, format, division.inputs))
        return *error;
    if (const std::optional<FitError> error = CheckDivision(division.inputs))
        return *error;
    ListCounts(division);
    if (division.counts.empty())
        return FitError{FitField::Stone, FitProblem::NothingFits};
    return division;
}

std::variant<std::vector<FitSize>, FitError>
SizesThatFit(const FitInputs& inputs, std::string_view gaugeText, const RegionalFormat& format)
{
    const std::optional<double> gauge = ReadReal(gaugeText, format);
    if (!gauge)
        return FitError{FitField::Gauge, FitProblem::NotANumber};
    if (!(*gauge > 0))
        return FitError{FitField::Gauge, FitProblem::GaugeNotPositive};
    const double whole = std::floor((inputs.Top - inputs.Bottom) / *gauge);
    const auto rows = static_cast<std::int32_t>(std::clamp(whole, 1.0, double(kMaxSizeRows)));
    std::vector<FitSize> sizes;
    for (std::int32_t count = 1; count <= rows; ++count) {
        const double gauges = count * *gauge;
        sizes.push_back({count, gauges - inputs.Joint, gauges, gauges + inputs.Joint});
    }
    return sizes;
}

std::optional<FittedGauge> FitGaugeText(const FitInputs& inputs, std::int32_t count,
                                        const RegionalFormat& format)
{
    if (count < 1 || count > kMaxFitCount || !(DividedLength(inputs) > 0))
        return std::nullopt;
    return GaugeSearch(inputs, count, format).run();
}

} // namespace calc
