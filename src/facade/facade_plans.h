#pragma once

// The facade divided both ways by the one count rule: along the wall into heads, every jamb on
// a head; up the wall into courses, every sill and lintel on a course line.

#include "facade_error.h"
#include "facade_inputs.h"
#include "plan_point.h"

#include "calc/regional_format.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace facade {

struct Stretch {
    std::size_t from = 0; // points
    std::size_t to = 0;
    calc::FitRule rule = calc::FitRule::Gauges; // LessJoint: a pier, PlusJoint: an opening
    std::int32_t count = 0;
    double gauge = 0;
    double joint = 0;
    bool withinLimits = true;
    std::string gaugeText;  // lands on the upper point as shown
    std::int32_t first = 0; // the heads or courses before it: its first head, or the course
                            // line it starts on
};

struct AxisPlan {
    std::vector<PlanPoint> points; // ascending, equal values merged
    std::vector<Stretch> stretches;
    std::int32_t total = 0; // heads or courses in all
};

struct FacadePlans {
    AxisPlan heads;
    AxisPlan courses;
    // Per opening: its jambs (points of the head plan), its heads [first, end) and the courses
    // it is open in, [first, last].
    struct OpenColumns {
        std::size_t leftPoint = 0, rightPoint = 0;
        std::int32_t firstHead = 0, endHead = 0;
        std::int32_t firstCourse = 0, lastCourse = 0;
    };
    std::vector<OpenColumns> openings;
};

// The most heads times courses a facade is laid with: a wall of 100 m by 30 m has about
// 900 × 480; four times that still lays in well under a second.
inline constexpr std::int64_t kMaxLaidHeads = 2'000'000;

// The head plan (a pier between jambs and corners, an opening between its own jambs) and the
// course plan (every stretch n × maat), each stretch by the one count rule; a stretch without a
// count is the error.
std::variant<FacadePlans, FacadeError> MakeFacadePlans(const FacadeInputs& facade,
                                                       const calc::RegionalFormat& format);

} // namespace facade
