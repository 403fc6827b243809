#include "facade_drawing.h"

#include "calc/format_height.h"

#include <algorithm>

namespace facade {
namespace {

// Dimension lines and their texts scale with the wall, so that they read at any size it is
// shown or printed at: a fiftieth of its larger side, at least a stone's joint apart.
constexpr double kTextShare = 1.0 / 50;

std::vector<Measured> Measures(const AxisPlan& plan, const calc::RegionalFormat& format)
{
    std::vector<Measured> measures;
    for (const PlanPoint& point : plan.points)
        measures.push_back({point.at, calc::FormatHeight(point.at, 0, format)});
    return measures;
}

} // namespace

FacadeDrawing DrawFacade(const FacadeInputs& facade, const FacadePlans& plans,
                         const LaidFacade& laid, const calc::RegionalFormat& format)
{
    FacadeDrawing drawing;
    drawing.wall = {0, 0, facade.width.value, facade.height.value};
    const double stone = facade.courses.Stone;
    drawing.stones.reserve(laid.pieces.size());
    for (const Run& run : laid.runs) {
        const double top = laid.courseLines[std::size_t(run.course)];
        for (std::size_t i = run.firstPiece; i < run.endPiece; ++i) {
            const Piece& piece = laid.pieces[i];
            drawing.stones.push_back(
                {{piece.left, top - stone, piece.left + piece.length, top}, i, !run.withinLimits});
        }
    }
    for (const Opening& opening : facade.openings)
        drawing.openings.push_back(
            {{opening.left.value, opening.bottom.value, opening.right.value, opening.top.value},
             opening.name});
    drawing.across = Measures(plans.heads, format);
    drawing.up = Measures(plans.courses, format);
    drawing.textHeight = std::max(drawing.wall.right, drawing.wall.top) * kTextShare;
    drawing.dimensionOffset = 3 * drawing.textHeight;
    // Room for the texts beside the lines: a measure is at most about six characters wide.
    const double room = drawing.dimensionOffset + 4 * drawing.textHeight;
    drawing.extent = {-room, -room, drawing.wall.right + drawing.textHeight,
                      drawing.wall.top + drawing.textHeight};
    return drawing;
}

} // namespace facade
