#pragma once

// Vaste punten: a storey with several fixed heights (or a facade with several fixed sizes)
// divided in one plan. Each stretch between two consecutive points is built by its own rule
// (gauges, a pier or an opening) and gets a whole number of courses by the one count rule of
// Verdelen, its gauge text found as Overnemen finds it, so that what it builds ends on its upper
// point as the table shows it; the next stretch climbs on from that point's own value, so that
// no stretch inherits the rounding of the one below.

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
// stretch that ends at this point (0: none), kept only while the stretch's two points read the
// same; `rule`: what that stretch is built of, kept while its two points stay neighbours.
struct PlanPointText {
    std::string name;
    std::string height;
    std::int32_t typedCount = 0;
    FitRule rule = FitRule::Gauges;
};

struct PlanTexts {
    std::vector<PlanPointText> points; // in the order typed
    std::string_view stone;
    std::string_view joint;
    std::string_view jointFrom;
    std::string_view jointTo;
    std::string_view decimals; // the main window's
};

// What empties the whole plan; a stretch that cannot be divided does not (StretchFault).
enum class PlanProblem {
    NotANumber,     // a height that cannot be read (row)
    SamePoint,      // two points with the same value as read (row: the second typed, otherRow)
    TooFewPoints,   // fewer than two points with a height
    TooManyPoints,  // more than kMaxPlanPoints (row: the first beyond)
    Brick,          // the bricks cannot be read or cannot divide (FitError in `brick`)
    TooManyCourses, // more than the row limit in all (row: the point where the total passes it)
};

struct PlanError {
    PlanProblem problem;
    std::size_t row = 0; // the typed row it is about, from 0
    std::optional<FitError> brick;
    std::size_t otherRow = 0;
};

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

std::variant<Plan, PlanError> MakePlan(const PlanTexts& texts, const RegionalFormat& format);

// Why the plan's stretch could not be laid with `count` stones by its rule, if it could not.
std::optional<StretchFault> TypedCountFault(const Plan& plan, std::size_t stretch,
                                            std::int32_t count);

// After the points were edited (`removedRow`: the row taken out, if one was; a new row comes
// last): a typed count stays with its stretch while the stretch's two points read the same
// values as before, wherever their rows went; a rule stays while its two points are still
// neighbours, whatever their heights read now. Every other count and rule goes.
void KeepStretchChoices(const std::vector<PlanPointText>& before, std::vector<PlanPointText>& after,
                        std::optional<std::size_t> removedRow, const RegionalFormat& format);

// The stretches of points as typed: the rows of each two readable neighbours by height, the
// lower first.
std::vector<std::pair<std::size_t, std::size_t>>
StretchRows(const std::vector<PlanPointText>& points, const RegionalFormat& format);

} // namespace calc
