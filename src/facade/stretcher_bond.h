#pragma once

// The facade laid stone by stone in stretcher bond (halfsteensverband). Heads are numbered from
// the left corner over the whole facade, an opening's heads too: above and below it the courses
// run on across it. With a stretcher first, odd courses pair heads (0,1), (2,3), …; even
// courses lay a half on head 0, then (1,2), (3,4), … (a half first swaps them). A pair of which
// one head is open in that course, or lies past the facade's end, is a half; a half at an
// outside corner is the head of the return wall's stretcher, a corner stone. Each run of
// masonry between two open edges holds its pieces with equal joints that fill it exactly.

#include "facade_inputs.h"
#include "facade_plans.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace facade {

enum class PieceKind { Stretcher, Half, CornerStone };

struct Piece {
    PieceKind kind = PieceKind::Stretcher;
    std::int32_t head = 0; // the first head it lies on
    double left = 0;       // where it is laid
    double length = 0;
};

// The pieces between two open edges of one course, with the joint they are laid with.
struct Run {
    std::int32_t course = 0; // from 1, the lowest
    std::size_t firstPiece = 0, endPiece = 0;
    std::size_t leftPoint = 0, rightPoint = 0; // points of the head plan at its edges
    std::optional<double> joint;               // none for a single piece
    bool withinLimits = true;                  // the joint, judged exactly on the values typed
};

struct StoneCount {
    std::int64_t stretchers = 0;
    std::int64_t cornerStones = 0;
    std::int64_t halves = 0;
    // Stretchers, corner stones and two halves to a stone, then the breakage on top; both
    // rounded up.
    std::int64_t toOrder = 0;
    std::int64_t withBreakage = 0;
};

struct LaidFacade {
    std::vector<Piece> pieces; // course by course, left to right
    std::vector<Run> runs;     // likewise
    // Per course, from 1: its line below and above (the stone lies under the line above).
    std::vector<double> courseLines; // courses + 1 values, peil first
    StoneCount count;
};

LaidFacade LayFacade(const FacadeInputs& facade, const FacadePlans& plans);

} // namespace facade
