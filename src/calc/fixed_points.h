#pragma once

// Vaste punten: a storey with several fixed heights (or a facade with several fixed sizes)
// divided in one plan. Each stretch between two consecutive points is built by its own rule
// (gauges, a pier or an opening) and gets a whole number of courses by the one count rule of
// Verdelen, its gauge text found as Overnemen finds it, so that what it builds ends on its upper
// point as the table shows it; the next stretch climbs on from that point's own value, so that
// no stretch inherits the rounding of the one below.

#include "divide_levels.h"
#include "plan.h"

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
