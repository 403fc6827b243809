#pragma once

#include "facade_error.h"
#include "facade_inputs.h"

#include "calc/regional_format.h"

#include <variant>

namespace facade {

// The decimals the facade's plans show: the joints as "16,67", the gauges as texts that land on
// each point so shown.
inline constexpr std::int32_t kFacadeDecimals = 2;

// Reads every number as the calculate command reads a real (the bricks first, then the width,
// the height, the breakage, then each opening), and checks what can be checked before dividing:
// bricks that divide, openings inside the facade with masonry beside them, two openings either
// in the same columns (one above the other, apart in height) or apart with masonry between.
// The first problem found is returned.
std::variant<FacadeInputs, FacadeError> ReadFacade(const FacadeTexts& texts,
                                                   const calc::RegionalFormat& format);

} // namespace facade
