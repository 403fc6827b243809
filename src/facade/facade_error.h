#pragma once

// Why a facade cannot be set out: the first problem found, with the values that name it. The
// words are the document's.

#include "plan_point.h"

#include "calc/divide_levels.h"

#include <cstddef>
#include <optional>

namespace facade {

enum class FacadeField {
    HeadStone,
    HeadJoint,
    HeadJointFrom,
    HeadJointTo,
    StoneLength,
    CourseStone,
    CourseJoint,
    CourseJointFrom,
    CourseJointTo,
    Width,
    Height,
    Breakage,
    // An opening's.
    Name,
    Left,
    Right,
    Bottom,
    Top,
};

enum class FacadeProblem {
    NotANumber,  // `field`, of `opening` for an opening's field
    Bricks,      // the bricks of the heads or the courses cannot divide (`brick`)
    NotPositive, // stone length, width or height
    BreakageOutOfRange,
    StoneLengthShort,  // not above the head joint: no half of it is left
    TooManyOpenings,   // more than kMaxOpenings
    NameTooLong,       // `opening`
    OutsideWidth,      // `opening` without masonry between it and a corner, or reversed
    OutsideHeight,     // `opening` below peil, above the top, or reversed
    PartialOverlap,    // `opening` and `other` share part of their width
    StackedOverlap,    // `opening` and `other`, one above the other, share part of their height
    StretchCannotFill, // the stretch from point `from` to `to` of the heads or courses (`heads`)
    TooManyStones,     // more heads times courses than a facade is laid with
};

struct FacadeError {
    FacadeProblem problem;
    FacadeField field = FacadeField::Width;
    std::size_t opening = 0;
    std::size_t other = 0;
    std::optional<calc::FitError> brick = {};
    bool heads = true;            // the plan a stretch or the bricks belong to
    std::size_t from = 0, to = 0; // the stretch's points in its plan, and what lies there
    PlanPoint fromPoint = {}, toPoint = {};
    std::optional<calc::FitProblem> stretch = {}; // why the stretch has no count
    calc::FitRule rule = calc::FitRule::Gauges;   // a pier's, an opening's or courses' rule
};

} // namespace facade
