#pragma once

// The rod at full size, as numbers: which courses go on which sheet and where each course line
// lies along the rod, in printer pixels. Free of widgets and surfaces, so it is tested alone.

#include <cstddef>
#include <variant>
#include <vector>

// A rod longer than these is never wanted; refusing it keeps a slip from printing a ream.
constexpr std::size_t kMaxRodCourses = 1000;
constexpr std::size_t kMaxRodSheets = 50;

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
