#pragma once

// The laid facade as a drawing, in millimetres from the left corner at peil, y upwards: every
// stone at its laid place, the openings with their names, and the dimension lines. One list of
// shapes for the window, the printed sheet, the page files and the DXF file.

#include "stretcher_bond.h"

#include "calc/regional_format.h"

#include <string>
#include <vector>

namespace facade {

// The scales a facade is drawn at on paper, 1:10 to 1:100, the largest first.
inline constexpr int kDrawingScales[] = {10, 20, 50, 100};

struct Box {
    double left = 0, bottom = 0, right = 0, top = 0;
};

struct DrawnStone {
    Box box;
    std::size_t piece = 0;      // in LaidFacade::pieces
    bool outsideLimits = false; // laid with a joint outside the head joint's limits
};

struct DrawnOpening {
    Box box;
    std::string name;
};

// A measure on a dimension line: where it lies along the line, and its text.
struct Measured {
    double at = 0;
    std::string text;
};

struct FacadeDrawing {
    Box wall;
    std::vector<DrawnStone> stones; // course by course, left to right
    std::vector<DrawnOpening> openings;
    std::vector<Measured> across; // along the bottom: every corner and jamb from the left corner
    std::vector<Measured> up;     // along the left: every sill, lintel and the top from peil
    // How far below the wall and left of it the dimension lines run, and the height of their
    // texts, all in millimetres of the facade.
    double dimensionOffset = 0;
    double textHeight = 0;
    // The wall with its dimension lines and texts.
    Box extent;
};

FacadeDrawing DrawFacade(const FacadeInputs& facade, const FacadePlans& plans,
                         const LaidFacade& laid, const calc::RegionalFormat& format);

} // namespace facade
