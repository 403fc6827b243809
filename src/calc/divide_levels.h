#pragma once

// Dividing a height (or a wall length) into whole courses (or heads): which counts fit between
// two fixed levels, with which gauge and joint, and the gauge text that makes the course table
// end on the top level. Beside the climb, so that the answer is checked against the very climb
// and formatting the table uses.

#include "course_table.h"
#include "number_reader.h"
#include "regional_format.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace calc {

// What the length between the levels is built of, with g the gauge and j = g - stone the joint
// that results: n gauges; a pier between openings ("20k-v"), n stones and n - 1 joints, so
// n·g - j; an opening ("42k+v"), n stones and n + 1 joints, so n·g + j.
enum class FitRule { Gauges, LessJoint, PlusJoint };

// The highest count offered: its table, one course beyond it for the plus-joint rule and the
// bottom row must stay within the row limit.
constexpr std::int32_t kMaxFitCount = kMaxCourseRows - 2;
// The list of sizes that fit never grows longer than this.
constexpr std::int32_t kMaxSizeRows = 200;
// The count list shows no more counts within the joint limits than this.
constexpr std::size_t kMaxListedCounts = 15;

struct FitTexts {
    std::string_view bottom;
    std::string_view top;
    std::string_view stone;     // brick thickness or width
    std::string_view joint;     // the nominal bed joint or head joint
    std::string_view jointFrom; // the smallest joint the user accepts
    std::string_view jointTo;   // the largest
    std::string_view decimals;  // the main window's decimals
};

// The bricks as laid: the stone, the joint a builder aims at (with the stone, the nominal
// gauge) and the joints accepted.
struct BrickSetting {
    double Stone = 0;
    double Joint = 0;
    double JointFrom = 0;
    double JointTo = 0;
};

// The same values exactly as typed, where a text can be had so (ReadDecimal): whether a joint
// lies within the limits, and which lies nearer the nominal one, is judged on them.
struct TypedValues {
    std::optional<Decimal> Bottom, Top, Stone, Joint, JointFrom, JointTo;
};

struct FitInputs {
    double Bottom = 0;
    double Top = 0;
    BrickSetting Brick;
    std::int32_t Decimals = 2;
    FitRule Rule = FitRule::Gauges;
    TypedValues Typed;
};

enum class FitField { Bottom, Top, Stone, Joint, JointFrom, JointTo, Decimals, Gauge };

enum class FitProblem {
    NotANumber,        // a real that cannot be read
    NotAWholeNumber,   // the decimals
    LengthNotPositive, // the top is not above the bottom
    StoneNotPositive,
    JointNotPositive,
    LimitNegative,      // a joint limit below 0
    LimitsReversed,     // the lower joint limit above the upper one
    GaugeNotAboveStone, // the main window's gauge leaves no joint
    TooManyCourses,     // even kMaxFitCount courses leave a joint above the upper limit
    NothingFits,        // no count has both a positive gauge and a positive joint
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

// The counts a builder chooses from, and the one chosen for them.
struct CountChoice {
    // Ascending. Within the limits: the ones nearest the nominal joint, at most
    // kMaxListedCounts. Otherwise the count whose joint lies just above the upper limit and the
    // one just below the lower limit, as far as they exist.
    std::vector<FitCount> counts;
    std::size_t selected = 0; // within the limits: nearest the nominal joint; else nearest a limit
    bool withinLimits = true;
};

struct Division {
    FitInputs inputs;
    CountChoice choice; // never empty
};

// The gauge that makes `count` stones and their joints fill `length` under the rule, with the
// joint that results (gauge - stone); nothing for a count the rule does not allow.
std::optional<FitCount> GaugeForCount(FitRule rule, double length, double stone,
                                      std::int32_t count);

// The one count rule for the length from Bottom to Top: every count whose joint lies within the
// limits (both included), the chosen one nearest the nominal joint, ties to the smaller count,
// all judged exactly on the typed values. Counts whose joint would not be positive are never
// offered. NothingFits when no count has a positive joint, TooManyCourses when every count up
// to kMaxFitCount leaves a joint above the upper limit.
std::variant<CountChoice, FitProblem> ChooseCounts(const FitInputs& inputs);

// Why a count cannot be laid under the inputs' rule, if it cannot: below the rule's first
// count (a pier needs two stones), beyond kMaxFitCount, or its stones alone fill the length.
enum class CountFault { BelowFirst, TooMany, StonesFill };
std::optional<CountFault> CountFaultOf(const FitInputs& inputs, std::int32_t count);

// Whether the joint of a count lies within the limits, both included, judged exactly.
bool JointWithinLimits(const FitInputs& inputs, std::int32_t count);

// Reads the stone, the joint, the two limits and the decimals of `texts` (bottom and top are
// not looked at) as the calculate command reads its fields; the first that cannot be read is
// reported.
std::optional<FitError> ReadBrickTexts(const FitTexts& texts, const RegionalFormat& format,
                                       FitInputs& inputs);

// Bricks that can divide a length: a positive stone and joint, limits not below 0 and in order.
std::optional<FitError> CheckBricks(const BrickSetting& brick);

// The top above the bottom and the bricks that can divide: the first that fails is reported.
std::optional<FitError> CheckDivision(const FitInputs& inputs);

// Reads the texts as the calculate command reads its fields (bottom, top, stone, joint, the two
// limits, decimals: the first that cannot be read is reported), checks that they can be
// divided, and chooses the counts.
std::variant<Division, FitError> DivideLevels(const FitTexts& texts, FitRule rule,
                                              const RegionalFormat& format);

// The decimals the lists show: the main window's, but never fewer than two.
std::int32_t ListDecimals(std::int32_t decimals);

struct FitSize {
    std::int32_t Count = 0;
    double LessJoint = 0;
    double Gauges = 0;
    double PlusJoint = 0;
};

struct FitSizes {
    double Joint = 0; // the joint the gauge implies with the stone
    std::vector<FitSize> rows;
};

// The sizes that need no cut stones for a gauge (the main window's, as typed): n gauges less
// the joint, n gauges, n gauges plus the joint, for n from 1 up to the last n whose smallest
// size, n gauges less the joint, shown with `decimals`, is at most the length so shown (at least
// 1, at most kMaxSizeRows).
std::variant<FitSizes, FitError> SizesThatFit(const FitInputs& inputs, std::string_view gauge,
                                              std::int32_t decimals, const RegionalFormat& format);

struct FittedGauge {
    std::string text;     // the gauge text to type, in the regional format
    double landing = 0;   // where the built length ends
    bool onTarget = true; // false: the top as shown cannot be reached; landing is the next
                          // value the table can show above it
};

// The gauge text with the fewest decimals (at most 15 significant digits), and the smallest with
// that many from the exact gauge rounded up, whose built length ends on the top as shown: course
// `count` of the climb, read and built as the calculate command does, less the text's joint
// (text - stone) for a pier, plus it for an opening, and for FitRule::Gauges the table ending
// there. Nothing when no text can be found, which a count from DivideLevels does not meet.
std::optional<FittedGauge> FitGaugeText(const FitInputs& inputs, std::int32_t count,
                                        const RegionalFormat& format);

} // namespace calc
