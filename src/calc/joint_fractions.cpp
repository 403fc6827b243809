#include "joint_fractions.h"

#include <algorithm>
#include <array>

namespace calc {
namespace {

// Values and counts up to kMaxFitCount keep every cross product below 4·10^37, within the
// 1,7·10^38 of 128 bits.
constexpr Wide kLargestScaled = Wide(1'000'000'000'000'000'000) * 1'000'000'000;

Wide PowerOfTen(std::int32_t exponent)
{
    Wide power = 1;
    for (std::int32_t i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

} // namespace

std::optional<JointValues<Wide>> ExactJointValues(const FitInputs& inputs)
{
    const TypedValues& typed = inputs.Typed;
    const std::array values{&typed.Bottom, &typed.Top,       &typed.Stone,
                            &typed.Joint,  &typed.JointFrom, &typed.JointTo};
    std::int32_t scale = 0;
    for (const std::optional<Decimal>* value : values) {
        if (!*value)
            return std::nullopt;
        scale = std::max(scale, (*value)->scale);
    }
    std::array<Wide, values.size()> scaled{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Decimal& value = **values[i];
        const Wide factor = PowerOfTen(scale - value.scale);
        const Wide magnitude = value.units < 0 ? -value.units : value.units;
        if (magnitude > kLargestScaled / factor)
            return std::nullopt;
        scaled[i] = value.units * factor;
    }
    const auto [bottom, top, stone, joint, from, to] = scaled;
    return JointValues<Wide>{top - bottom, stone, joint, from, to};
}

} // namespace calc
