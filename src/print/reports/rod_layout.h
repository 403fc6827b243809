#pragma once

// The rod at full size, as numbers: which courses go on which sheet and where each course line
// lies along the rod, in printer pixels. Free of widgets and surfaces, so it is tested alone.

#include <cstddef>
#include <optional>
#include <variant>
#include <vector>

// A rod longer than these is never wanted; refusing it keeps a slip from printing a ream.
constexpr std::size_t kMaxRodCourses = 1000;
constexpr std::size_t kMaxRodSheets = 50;

// Whether a table of this many courses, course 0 included, is too long for a rod: asked before
// the print dialog is shown and again when the rod is laid out.
constexpr bool TooManyRodCourses(std::size_t courses)
{
    return courses > kMaxRodCourses + 1;
}

struct RodSheet {
    std::size_t first = 0; // index of the course the sheet starts with
    std::size_t last = 0;  // index of its last course; the next sheet starts with it again
    // For the courses first..last: the distance from the first one in printer pixels, each
    // rounded once from the exact heights.
    std::vector<int> offsets;
};

enum class RodProblem {
    TooManyCourses, // more than kMaxRodCourses courses after course 0
    TooManySheets,  // more than kMaxRodSheets sheets
    GaugeTooLong,   // two consecutive courses lie further apart than a sheet is long
    NoRoom,         // the sheet has no length left for a rod (a very large font)
};

// Lays the courses (their exact heights, read as millimetres of paper) along sheets of
// `length` pixels at `pixelsPerMm`: each sheet takes the courses that fit from its first one.
std::variant<std::vector<RodSheet>, RodProblem> LayOutRod(const std::vector<double>& heights,
                                                          double pixelsPerMm, int length);

// Label every k-th course, k as small as keeps labels `pitch` pixels apart on every sheet.
int LabelEvery(const std::vector<RodSheet>& sheets, int pitch);

// A text on a sheet as a box in printer pixels: left and top inside, right and bottom outside.
struct RodBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A text a sheet may carry. One that must stand moves from its box along the rod, the way its
// step says (+1 or -1 in x or in y, 0 in the other), for as long as its place is taken.
struct RodLabel {
    RodBox box;
    bool required = false;
    int stepX = 0;
    int stepY = 0;
};

// Where each label stands, or nothing for one left off. The required ones are placed first, in
// order, each moved along its step until it keeps `clearance` pixels from those placed before;
// then the others in order, each kept only where it keeps that clearance from every one kept.
std::vector<std::optional<RodBox>> PlaceLabels(const std::vector<RodLabel>& labels, int clearance);
