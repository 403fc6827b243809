#pragma once

// A plan of fixed points as made: its points in height order, each stretch between two of them
// divided by its rule (or why it could not be), the one gauge for the whole height, and every
// line to mark. What MakePlan (fixed_points.h) makes and its climbs (plan_climb.h) fill in.

#include "divide_levels.h"
#include "number_reader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace calc {

struct PlanPoint {
    std::string name;
    double height = 0;
    std::size_t row = 0; // the typed row
    std::optional<Decimal> typed;
};

// Why a stretch has no division; the rest of the plan stands.
enum class StretchFault {
    NothingFits,    // not one stone with a joint fits between its points
    TooManyCourses, // more than kMaxFitCount courses, needed or typed
    PierTooShort,   // a pier typed with one stone
    StonesFill,     // the typed count's stones alone fill the stretch, or more
    NoGaugeText,    // heights so large that no gauge a user can type still moves them
};

struct Stretch {
    std::size_t from = 0; // indexes into Plan::points
    std::size_t to = 0;
    FitRule rule = FitRule::Gauges;
    std::int32_t count = 0; // with a fault: the typed count, or 0
    bool typed = false;     // the count is the user's
    std::optional<StretchFault> fault;
    double gauge = 0; // exact: the rule solved for the count
    double joint = 0; // gauge - stone
    bool withinLimits = true;
    std::string gaugeText; // as Overnemen would type it
    bool onTarget = true;  // false: the built length ends on `landing`, not on the point
    double landing = 0;
};

// The gauge that divides the whole height at once, and how far its course lines fall from each
// intermediate point: the nearest course line (midway: the lower one).
struct OneGauge {
    std::int32_t count = 0;
    std::string gaugeText;
    struct Miss {
        std::size_t point = 0;   // index into Plan::points
        std::int32_t course = 0; // the nearest course
        double height = 0;       // where it lies
        double difference = 0;   // height - point: above zero higher, below zero lower
    };
    std::vector<Miss> misses;
};

// A line of the course list: where a stone ends, numbered from 0 at the lowest point; or,
// without a number, the upper point of an opening (a joint above its last stone) or of a stretch
// that has no division (`fault`: that stretch).
struct PlanCourse {
    std::optional<std::int32_t> number;
    double height = 0;
    std::optional<std::size_t> point; // the point it lands on, if any
    std::optional<std::size_t> fault;
};

struct Plan {
    std::vector<PlanPoint> points; // ascending
    std::vector<Stretch> stretches;
    std::optional<OneGauge> oneGauge;
    std::vector<PlanCourse> courses; // every line, each stretch climbing with its own text
    std::int32_t decimals = 2;
    FitInputs bricks; // the bricks and decimals as read, without levels or rule
};

} // namespace calc
