#include "calc/divide_levels.h"

#include "number_reader.h"
#include "shown_value.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace calc {
namespace {

// Finds the gauge text as a user would, with the table as judge: for each number of decimals,
// from the gauge rounded up, step up by one unit of the last decimal until the length built with
// the text (course `count`, less or plus the text's joint) shows the top. The steps are searched
// by doubling and halving rather than one by one: that length only grows with the gauge (every
// rounded addition is monotonic, and a pier of n stones has n - 1 >= 1 joints), so the first
// text that reaches the top is the same.
class GaugeSearch {
public:
    GaugeSearch(const FitInputs& inputs, std::int32_t count, const RegionalFormat& format)
        : m_inputs(inputs)
        , m_count(count)
        , m_format(format)
        , m_gauge(GaugeForCount(inputs.Rule, inputs.Top - inputs.Bottom, inputs.Brick.Stone, count)
                      ->Gauge)
    {
    }

    std::optional<FittedGauge> run()
    {
        ShownValue target = Shown(m_inputs.Top, m_inputs.Decimals);
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
        double height = 0;    // where the built length ends
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
            const double end = height + builtBeyond(*gauge);
            result = {true, end, Shown(end, m_inputs.Decimals)};
            return false;
        });
        return result;
    }

    // A pier ends its last joint short of course `count`'s line, an opening a joint beyond it:
    // the joint the builder lays, of the text as typed.
    double builtBeyond(double gauge) const
    {
        const double joint = gauge - m_inputs.Brick.Stone;
        switch (m_inputs.Rule) {
        case FitRule::LessJoint:
            return -joint;
        case FitRule::PlusJoint:
            return joint;
        case FitRule::Gauges:
            break;
        }
        return 0;
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
        const std::string digits = SignificantDigits(std::string_view(buffer, end));
        if (digits.size() > 18 || (decimals > 0 && digits.size() > kMaxSignificantDigits))
            return std::nullopt;
        std::int64_t units = digits.empty() ? 0 : std::stoll(digits);
        const std::optional<double> rounded = ReadReal(text(units, decimals), m_format);
        if (!rounded || *rounded < m_gauge)
            ++units;
        return units;
    }

    // The first units from `from` on whose trial is at or past the target. `past` (0: none):
    // units known to be at or past it, the answer with one decimal less times ten; whatever
    // lies ten units below it is not (it was the last text below the answer then), so the
    // search has only ten units left instead of a run from the rounded gauge.
    std::optional<std::int64_t> firstAtOrPast(std::int64_t from, int decimals,
                                              const ShownValue& target, bool strictly,
                                              std::int64_t past) const
    {
        const auto test = [&](std::int64_t units) {
            return atOrPast(trial(units, decimals), target, strictly);
        };
        if (test(from))
            return from;
        std::int64_t before = from;
        std::int64_t after = 0;
        if (past > from) {
            before = std::max(from, past - 10);
            after = past;
        } else {
            for (std::int64_t step = 1;; step *= 2) {
                if (step > kMaxUnits - from)
                    return std::nullopt;
                after = from + step;
                if (test(after))
                    break;
                before = after;
            }
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
        std::int64_t past = 0;
        for (int decimals = 0; decimals <= kMaxDecimals; ++decimals) {
            const std::optional<std::int64_t> from = start(decimals);
            if (!from)
                return;
            const std::optional<std::int64_t> units =
                firstAtOrPast(*from, decimals, target, strictly, past);
            past = 0;
            if (!units)
                continue;
            if (*units <= kMaxUnits / 10)
                past = *units * 10;
            if (!visit(trial(*units, decimals), text(*units, decimals)))
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

std::optional<FittedGauge> FitGaugeText(const FitInputs& inputs, std::int32_t count,
                                        const RegionalFormat& format)
{
    if (!GaugeForCount(inputs.Rule, inputs.Top - inputs.Bottom, inputs.Brick.Stone, count))
        return std::nullopt;
    return GaugeSearch(inputs, count, format).run();
}

} // namespace calc
