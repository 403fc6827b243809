#pragma once

// The joint of each count as a fraction, so that it is compared with the limits and with the
// nominal joint by cross-multiplying, never by a rounded division: a joint of exactly 10 must
// not come out as 9,999999999999998 and fall outside "10 to 15". Under every rule the joint of
// n stones is (length - n·stone) / d, with d = n gauges, n - 1 joints of a pier or n + 1 of an
// opening. On the typed values scaled to whole units the comparison is exact; where a value
// cannot be had so (30 digits and more), the doubles serve as they are.

#include "divide_levels.h"

#include <cstdint>
#include <optional>
#include <type_traits>
#include <vector>

namespace calc {

enum class JointMark { Zero, From, To, Nominal };

template <class Number> struct JointValues {
    Number length, stone, nominal, from, to;
};

// Typed values scaled to one unit, the finest among them, each small enough that every cross
// product with a count up to kMaxFitCount stays within 128 bits; nothing when one is missing
// (typed beyond exactness) or too large.
std::optional<std::vector<Wide>> ScaledToOneUnit(const std::vector<std::optional<Decimal>>& values);

// The typed values of the inputs scaled to one unit, small enough that every cross product of
// a count up to kMaxFitCount stays within 128 bits; nothing otherwise.
std::optional<JointValues<Wide>> ExactJointValues(const FitInputs& inputs);

template <class Number> class JointFractions {
public:
    JointFractions(const FitInputs& inputs, JointValues<Number> values)
        : m_inputs(inputs)
        , m_values(values)
    {
    }

    std::int32_t first() const { return m_inputs.Rule == FitRule::LessJoint ? 2 : 1; }

    // The sign of the count's joint less the mark.
    int compare(std::int32_t count, JointMark mark) const
    {
        const Number gap = gapTo(count, valueOf(mark));
        return (gap > 0) - (gap < 0);
    }

    // Both the exact joint and the double gauge that shows it must be positive.
    bool positive(std::int32_t count) const
    {
        const std::optional<FitCount> fitted = doubleFit(count);
        return fitted && fitted->Joint > 0 && compare(count, JointMark::Zero) > 0;
    }

    // The count a's joint lies at least as near the nominal joint as b's.
    bool asNear(std::int32_t a, std::int32_t b) const
    {
        return magnitude(gapTo(a, m_values.nominal)) * denominator(b) <=
               magnitude(gapTo(b, m_values.nominal)) * denominator(a);
    }

    // The joint of `above` lies further over the upper limit than the joint of `below` under
    // the lower one.
    bool furtherOut(std::int32_t above, std::int32_t below) const
    {
        return gapTo(above, m_values.to) * denominator(below) >
               -gapTo(below, m_values.from) * denominator(above);
    }

private:
    Number valueOf(JointMark mark) const
    {
        switch (mark) {
        case JointMark::From:
            return m_values.from;
        case JointMark::To:
            return m_values.to;
        case JointMark::Nominal:
            return m_values.nominal;
        case JointMark::Zero:
            break;
        }
        return 0;
    }

    std::optional<FitCount> doubleFit(std::int32_t count) const
    {
        return GaugeForCount(m_inputs.Rule, m_inputs.Top - m_inputs.Bottom, m_inputs.Brick.Stone,
                             count);
    }

    Number denominator(std::int32_t count) const
    {
        if constexpr (std::is_same_v<Number, double>) {
            return 1;
        } else {
            switch (m_inputs.Rule) {
            case FitRule::LessJoint:
                return count - 1;
            case FitRule::PlusJoint:
                return count + 1;
            case FitRule::Gauges:
                break;
            }
            return count;
        }
    }

    // (joint - value) · denominator.
    Number gapTo(std::int32_t count, Number value) const
    {
        if constexpr (std::is_same_v<Number, double>) {
            // A gauge too small for a double is no count: its joint is taken as not positive.
            const FitCount fitted = doubleFit(count).value_or(FitCount{count, 0, -m_values.stone});
            return fitted.Joint - value;
        } else {
            return m_values.length - Wide(count) * m_values.stone - denominator(count) * value;
        }
    }

    static Number magnitude(Number value) { return value < 0 ? -value : value; }

    const FitInputs& m_inputs;
    JointValues<Number> m_values;
};

// Calls `judge` with the exact fractions of the inputs, or with the doubles where the typed
// values cannot be had exactly.
template <class Judge> auto WithJointFractions(const FitInputs& inputs, Judge&& judge)
{
    if (const std::optional<JointValues<Wide>> exact = ExactJointValues(inputs))
        return judge(JointFractions<Wide>(inputs, *exact));
    const BrickSetting& brick = inputs.Brick;
    return judge(JointFractions<double>(inputs, {inputs.Top - inputs.Bottom, brick.Stone,
                                                 brick.Joint, brick.JointFrom, brick.JointTo}));
}

} // namespace calc
