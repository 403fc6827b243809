#pragma once

// Dividing a height (or a wall length) into whole courses (or heads): which counts fit between
// two fixed levels, with which gauge and joint, and the gauge text that makes the course table
// end on the top level. Beside the climb, so that the answer is checked against the very climb
// and formatting the table uses.

#include "course_table.h"
#include "regional_format.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace calc {

// How the length between the levels relates to n gauges: exactly n gauges; n gauges less one
// joint, a pier between openings ("20k-v"); n gauges plus one joint, an opening ("42k+v").
enum class FitRule { Gauges, LessJoint, PlusJoint };

// The highest count offered: its table, one course beyond it for the plus-joint rule and the
// bottom row must stay within the row limit.
constexpr std::int32_t kMaxFitCount = kMaxCourseRows - 2;
// The list of sizes that fit never grows longer than this.
constexpr std::int32_t kMaxSizeRows = 200;

struct FitTexts {
    std::string_view bottom;
    std::string_view top;
    std::string_view stone;    // brick thickness or width
    std::string_view joint;    // bed joint or head joint
    std::string_view decimals; // the main window's decimals
};

struct FitInputs {
    double Bottom = 0;
    double Top = 0;
    double Stone = 0;
    double Joint = 0;
    std::int32_t Decimals = 2;
    FitRule Rule = FitRule::Gauges;
};

enum class FitField { Bottom, Top, Stone, Joint, Decimals, Gauge };

enum class FitProblem {
    NotANumber,        // a real that cannot be read
    NotAWholeNumber,   // the decimals
    LengthNotPositive, // the top is not above the bottom
    StoneNotPositive,
    JointNotPositive, // the stone is not smaller than the nominal gauge
    JointTooLarge,    // one joint takes the whole length: no positive gauge is left
    GaugeNotPositive, // the main window's gauge
    TooManyCourses,   // more than kMaxFitCount courses around the nominal gauge
    NothingFits,      // no count has both a positive gauge and a positive joint
};

struct FitError {
    FitField field;
    FitProblem problem;
};

struct FitCount {
    std::int32_t Count = 0;
    double Gauge = 0;
    double Joint = 0;
};

struct FitSize {
    std::int32_t Count = 0;
    double LessJoint = 0;
    double Gauges = 0;
    double PlusJoint = 0;
};

struct Division {
    FitInputs inputs;
    std::vector<FitCount> counts; // ascending, never empty
    std::size_t nearest = 0;      // the row whose gauge is nearest the nominal gauge
};

// Reads the texts as the calculate command reads its fields (bottom, top, stone, joint,
// decimals: the first that cannot be read is reported), checks that they can be divided, and
// lists the counts around the nominal gauge (stone + joint).
std::variant<Division, FitError> DivideLevels(const FitTexts& texts, FitRule rule,
                                              const RegionalFormat& format);

// The sizes that need no cut stones for a gauge (the main window's, as typed) and the joint:
// n gauges less a joint, n gauges, n gauges plus a joint, for n from 1 to the whole number of
// gauges between the levels (at least 1, at most kMaxSizeRows).
std::variant<std::vector<FitSize>, FitError>
SizesThatFit(const FitInputs& inputs, std::string_view gauge, const RegionalFormat& format);

struct FittedGauge {
    std::string text;     // the gauge text to type, in the regional format
    double landing = 0;   // where course `count` lands in the climb
    bool onTarget = true; // false: the top as shown cannot be reached; landing is the next
                          // value the table can show above it
};

// The gauge text with the fewest decimals (at most 15 significant digits) whose climb, read and
// built as the calculate command does, shows course `count` where the rule puts it (the top,
// the top plus the joint, the top less the joint) and, for FitRule::Gauges, ends there.
// Nothing when no text can be found, which a count from DivideLevels does not meet.
std::optional<FittedGauge> FitGaugeText(const FitInputs& inputs, std::int32_t count,
                                        const RegionalFormat& format);

} // namespace calc
