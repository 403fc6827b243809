#pragma once

// Vaste punten: a storey with several fixed heights (or a facade with several fixed sizes)
// divided in one plan. Each stretch between two consecutive points gets a whole number of
// courses by the one count rule of Verdelen, its gauge text found as Overnemen finds it, so that
// its last course lands on its upper point as the table shows it; the next stretch climbs on
// from that point's own value, so that no stretch inherits the rounding of the one below.

#include "divide_levels.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace calc {

// The most points a plan takes.
constexpr std::size_t kMaxPlanPoints = 50;

// One point as typed: its name (may be empty) and its height as a text; a row with an empty
// height (or only blanks) is left out of the plan. `typedCount`: a count the user typed for the
// stretch that ends at this point (0: none; only 1 to kMaxFitCount count), kept only while the
// stretch's two points are the same.
struct PlanPointText {
    std::string name;
    std::string height;
    std::int32_t typedCount = 0;
};

struct PlanTexts {
    std::vector<PlanPointText> points; // in the order typed
    std::string_view stone;
    std::string_view joint;
    std::string_view jointFrom;
    std::string_view jointTo;
    std::string_view decimals; // the main window's
};

enum class PlanProblem {
    NotANumber,     // a height that cannot be read (row)
    SamePoint,      // two points with the same value as read (row: the second typed)
    TooFewPoints,   // fewer than two points with a height
    TooManyPoints,  // more than kMaxPlanPoints (row: the first beyond)
    Brick,          // the bricks cannot be read or cannot divide a stretch (FitError in
                    // `brick`; row: the stretch's upper point, 0 for the bricks themselves)
    TooManyCourses, // more than the row limit in all (row: the point where the total passes it)
    NoGaugeText,    // no gauge text makes the table climb the stretch (row: its upper point);
                    // only for heights so large that a gauge no longer moves them
};

struct PlanError {
    PlanProblem problem;
    std::size_t row = 0; // the typed row it is about, from 0
    std::optional<FitError> brick;
};

struct PlanPoint {
    std::string name;
    double height = 0;
    std::size_t row = 0; // the typed row
};

struct Stretch {
    std::size_t from = 0; // indexes into Plan::points
    std::size_t to = 0;
    std::int32_t count = 0;
    bool typed = false; // the count is the user's
    double gauge = 0;   // exact: (to - from) / count
    double joint = 0;   // gauge - stone
    bool withinLimits = true;
    std::string gaugeText; // as Overnemen would type it
    bool onTarget = true;  // false: the last course lands on `landing`, not on the point
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

struct PlanCourse {
    std::int32_t number = 0; // from 0 at the lowest point
    double height = 0;
    std::optional<std::size_t> point; // the point it lands on, if any
};

struct Plan {
    std::vector<PlanPoint> points; // ascending
    std::vector<Stretch> stretches;
    std::optional<OneGauge> oneGauge;
    std::vector<PlanCourse> courses; // every course, each stretch climbing with its own text
    std::int32_t decimals = 2;
};

std::variant<Plan, PlanError> MakePlan(const PlanTexts& texts, const RegionalFormat& format);

// After the points were edited: a typed count stays with its stretch while the stretch's two
// points read the same values as before, wherever their rows went; every other count goes.
void KeepTypedCounts(const std::vector<PlanPointText>& before, std::vector<PlanPointText>& after,
                     const RegionalFormat& format);

} // namespace calc
