#include "joint_fractions.h"

#include <algorithm>

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

std::optional<std::vector<Wide>> ScaledToOneUnit(const std::vector<std::optional<Decimal>>& values)
{
    std::int32_t scale = 0;
    for (const std::optional<Decimal>& value : values) {
        if (!value)
            return std::nullopt;
        scale = std::max(scale, value->scale);
    }
    std::vector<Wide> scaled;
    scaled.reserve(values.size());
    for (const std::optional<Decimal>& value : values) {
        const Wide factor = PowerOfTen(scale - value->scale);
        const Wide magnitude = value->units < 0 ? -value->units : value->units;
        if (magnitude > kLargestScaled / factor)
            return std::nullopt;
        scaled.push_back(value->units * factor);
    }
    return scaled;
}

std::optional<JointValues<Wide>> ExactJointValues(const FitInputs& inputs)
{
    const TypedValues& typed = inputs.Typed;
    const std::optional<std::vector<Wide>> scaled = ScaledToOneUnit(
        {typed.Bottom, typed.Top, typed.Stone, typed.Joint, typed.JointFrom, typed.JointTo});
    if (!scaled)
        return std::nullopt;
    const std::vector<Wide>& v = *scaled;
    return JointValues<Wide>{v[1] - v[0], v[2], v[3], v[4], v[5]};
}

} // namespace calc
