#pragma once

#include "calc/number_reader.h"

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace facade {

enum class Side { Left, Right, Bottom, Top };

// What lies at a point: an end of the wall (a corner, peil, the top) and the sides of the
// openings there (stacked openings share theirs; a door's sill may lie on peil).
struct PlanPoint {
    double at = 0;
    std::optional<calc::Decimal> exact;              // as typed, where it can be had exactly
    std::vector<std::pair<std::size_t, Side>> sides; // opening, side
    bool wallEnd = false;
};

} // namespace facade
