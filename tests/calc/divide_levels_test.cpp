#include "calc/course_table.h"
#include "calc/divide_levels.h"
#include "calc/format_height.h"
#include "calc/number_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <variant>

namespace {

const calc::RegionalFormat kDutch{",", "."};
const calc::RegionalFormat kEnglish{".", ","};
const calc::RegionalFormat kDigitsOnly{".", ""};

using calc::FitField;
using calc::FitProblem;
using calc::FitRule;

struct Levels {
    std::string bottom, top, stone = "50", joint = "12,5", decimals = "2", from = "10", to = "15";
};

// A number written with a decimal comma, as `format` writes it.
std::string In(std::string text, const calc::RegionalFormat& format)
{
    std::replace(text.begin(), text.end(), ',', format.decimalSeparator[0]);
    return text;
}

std::variant<calc::Division, calc::FitError> Divide(const Levels& l, FitRule rule,
                                                    const calc::RegionalFormat& format = kDutch)
{
    return calc::DivideLevels({In(l.bottom, format), In(l.top, format), In(l.stone, format),
                               In(l.joint, format), In(l.from, format), In(l.to, format),
                               l.decimals},
                              rule, format);
}

std::vector<std::int32_t> CountsOf(const calc::CountChoice& choice)
{
    std::vector<std::int32_t> counts;
    for (const calc::FitCount& count : choice.counts)
        counts.push_back(count.Count);
    return counts;
}

// The wall a bricklayer lays with the gauge: stones and joints one by one, a joint first and
// last for an opening, only between the stones for a pier.
double Laid(FitRule rule, std::int32_t stones, double stone, double gauge)
{
    const double joint = gauge - stone;
    double length = rule == FitRule::PlusJoint ? joint : 0;
    for (std::int32_t laid = 1; laid <= stones; ++laid)
        length += stone + (laid < stones || rule != FitRule::LessJoint ? joint : 0);
    return length;
}

TEST(CourseFit, PiersAndOpeningsAreBuiltWithTheJointThatResults)
{
    const struct {
        std::string length;
        FitRule rule;
        std::string from, to;
        std::vector<std::int32_t> counts;
        std::int32_t selected;
        bool within;
    } cases[] = {
        {"2000", FitRule::LessJoint, "8", "12", {18}, 18, true}, // 111,76: joint 11,76
        {"1050", FitRule::PlusJoint, "8", "15", {9}, 9, true},   // 115: joint 15
        // Joint 15 lies outside 8 to 12: the counts on either side, the nearer limit chosen.
        {"1050", FitRule::PlusJoint, "8", "12", {9, 10}, 9, false},
        {"2190", FitRule::LessJoint, "8", "12", {20}, 20, true},
        {"4630", FitRule::PlusJoint, "8", "12", {42}, 42, true},
        {"3000", FitRule::Gauges, "5", "20", {25, 26, 27, 28}, 27, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length + " " + std::to_string(int(c.rule)) + " " + c.to);
        const auto division = std::get<calc::Division>(
            Divide({"0", c.length, "100", "10", "2", c.from, c.to}, c.rule));
        const calc::CountChoice& choice = division.choice;
        EXPECT_EQ(CountsOf(choice), c.counts);
        EXPECT_EQ(choice.counts[choice.selected].Count, c.selected);
        EXPECT_EQ(choice.withinLimits, c.within);
        for (const calc::FitCount& count : choice.counts) {
            EXPECT_NEAR(Laid(c.rule, count.Count, 100, count.Gauge), std::stod(c.length), 1e-9);
            EXPECT_EQ(count.Joint, count.Gauge - 100);
        }
    }
    // The pier of 2 000 in 18 heads is 111,7647...: not the 111,67 of stone + typed joint.
    const auto pier = std::get<calc::Division>(
        Divide({"0", "2000", "100", "10", "2", "8", "12"}, FitRule::LessJoint));
    EXPECT_EQ(calc::FormatHeight(pier.choice.counts[0].Gauge, 4, kDutch), "111,7647");
    // Within the limits: at most the fifteen nearest the nominal joint, in ascending order.
    const auto wall = std::get<calc::Division>(
        Divide({"0", "100000", "100", "10", "2", "8", "12"}, FitRule::Gauges));
    const std::vector<std::int32_t> counts = CountsOf(wall.choice);
    ASSERT_EQ(counts.size(), 15u);
    EXPECT_EQ(counts.front() + 14, counts.back());
    EXPECT_EQ(counts[wall.choice.selected], 909); // 100 000 / 110 = 909,09
    EXPECT_EQ(wall.choice.selected, 7u);
}

TEST(CourseFit, ListsTheCountsWithinTheLimitsAndTheSizesThatFit)
{
    // 2 800 / 62,5 = 44,8 courses: 45 courses of 62,22 with a joint of 12,22.
    const auto division = std::get<calc::Division>(Divide({"0", "2800"}, FitRule::Gauges));
    EXPECT_EQ(CountsOf(division.choice), (std::vector<std::int32_t>{44, 45, 46}));
    const calc::FitCount& nearest = division.choice.counts[division.choice.selected];
    EXPECT_EQ(nearest.Count, 45);
    EXPECT_EQ(calc::FormatHeight(nearest.Joint, 2, kDutch), "12,22");
    // Up to 45 gauges of 62,5: their pier is 2 800 exactly. The 20th gives a pier of 1 237,5
    // and an opening of 1 262,5.
    const auto sizes =
        std::get<calc::FitSizes>(calc::SizesThatFit(division.inputs, "62,5", 2, kDutch));
    ASSERT_EQ(sizes.rows.size(), 45u);
    EXPECT_EQ(sizes.rows[19].LessJoint, 1237.5);
    EXPECT_EQ(sizes.rows[19].PlusJoint, 1262.5);
    // At the fitted gauge: its own joint, and the fitted count with the length exactly.
    const auto fitted =
        std::get<calc::FitSizes>(calc::SizesThatFit(division.inputs, "62,2223", 2, kDutch));
    EXPECT_EQ(calc::FormatHeight(fitted.Joint, 4, kDutch), "12,2223");
    ASSERT_EQ(fitted.rows.size(), 45u);
    EXPECT_EQ(calc::FormatHeight(fitted.rows[0].LessJoint, 2, kDutch), "50,00");
    EXPECT_EQ(calc::FormatHeight(fitted.rows[44].Gauges, 2, kDutch), "2.800,00");
    EXPECT_EQ(calc::ListDecimals(0), 2);
    EXPECT_EQ(calc::ListDecimals(4), 4);
    for (const char* gauge : {"62.5", "50", "0"})
        EXPECT_TRUE(std::holds_alternative<calc::FitError>(
            calc::SizesThatFit(division.inputs, gauge, 2, kDutch)));
    // A short length: never below one, and only counts with a positive joint.
    const auto shortOne = std::get<calc::Division>(Divide({"0", "100"}, FitRule::Gauges));
    EXPECT_EQ(CountsOf(shortOne.choice), (std::vector<std::int32_t>{1}));
    EXPECT_FALSE(shortOne.choice.withinLimits);
}

// A number of tenths (or thousandths) as typed with a decimal comma.
std::string Typed(long long units, int decimals)
{
    std::string digits = std::to_string(std::llabs(units));
    digits.insert(0, std::max<int>(0, decimals + 1 - int(digits.size())), '0');
    digits.insert(digits.size() - decimals, ",");
    return (units < 0 ? "-" : "") + digits;
}

TEST(CourseFit, JointsOnALimitAndTiesAreJudgedOnTheValuesTyped)
{
    // Three stones of 49,7 and three joints of exactly 10 make 179,1; 41 courses of 52,3 and
    // 15 make 2 759,3.
    const auto low = std::get<calc::Division>(Divide({"0", "179,1", "49,7"}, FitRule::Gauges));
    EXPECT_TRUE(low.choice.withinLimits);
    EXPECT_EQ(low.choice.counts[low.choice.selected].Count, 3);
    const auto high = std::get<calc::Division>(Divide({"0", "2759,3", "52,3"}, FitRule::Gauges));
    EXPECT_EQ(CountsOf(high.choice).front(), 41);
    // A pier of 3 629: 45 stones of 65 with joints of 16,0, or 46 with 14,2, both 0,9 from
    // 15,1: the smaller count.
    const auto tie = std::get<calc::Division>(
        Divide({"0", "3629", "65", "15,1", "2", "12,2", "18"}, FitRule::LessJoint));
    EXPECT_EQ(tie.choice.counts[tie.choice.selected].Count, 45);
    // 0 to 6 250 000 in the list's limit: 99 998 courses with a joint of 12,50.
    const auto tall = std::get<calc::Division>(Divide({"0", "6250000"}, FitRule::Gauges));
    EXPECT_EQ(CountsOf(tall.choice).back(), calc::kMaxFitCount);

    std::mt19937 random(20261208);
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int i = 0; i < 3000; ++i) {
        // In tenths: stones and joints laid one by one, the joint on the only joint allowed.
        const auto rule = FitRule(pick(0, 2));
        const int stones = pick(2, 80);
        const long long stone = pick(300, 2200), joint = pick(20, 250), bottom = pick(-9999, 9999);
        long long length = rule == FitRule::PlusJoint ? joint : 0;
        for (int laid = 1; laid <= stones; ++laid)
            length += stone + (laid < stones || rule != FitRule::LessJoint ? joint : 0);
        const Levels levels{Typed(bottom, 1),
                            Typed(bottom + length, 1),
                            Typed(stone, 1),
                            Typed(joint, 1),
                            "2",
                            Typed(joint, 1),
                            Typed(joint, 1)};
        SCOPED_TRACE(levels.bottom + " " + levels.top + " " + levels.stone + " " + levels.joint);
        const auto division = std::get<calc::Division>(Divide(levels, rule));
        EXPECT_TRUE(division.choice.withinLimits);
        EXPECT_EQ(CountsOf(division.choice), std::vector<std::int32_t>{stones});
    }
    for (int n = 10; n < 400; ++n) {
        // n gauges of (n + 1)·k hundredths and n + 1 of n·k fill the same length; a nominal
        // joint midway between theirs is a tie, which goes to the smaller count.
        const long long k = 6500 / (n + 1);
        const Levels levels{"0",   Typed(1LL * n * (n + 1) * k, 2),
                            "50",  Typed((2LL * n + 1) * k * 5 - 50'000, 3),
                            "2",   "0",
                            "1000"};
        SCOPED_TRACE(levels.top + " " + levels.joint);
        const auto division = std::get<calc::Division>(Divide(levels, FitRule::Gauges));
        EXPECT_EQ(division.choice.counts[division.choice.selected].Count, n);
    }
}

TEST(CourseFit, RefusesWhatCannotBeDivided)
{
    const struct {
        Levels levels;
        FitRule rule;
        FitField field;
        FitProblem problem;
    } cases[] = {
        {{"0", "1.000"}, FitRule::Gauges, FitField::Top, FitProblem::NotANumber},
        {{"0", "1000", "50", "12.5"}, FitRule::Gauges, FitField::Joint, FitProblem::NotANumber},
        {{"0", "1000", "50", "12,5", "2", "1x"},
         FitRule::Gauges,
         FitField::JointFrom,
         FitProblem::NotANumber},
        {{"0", "1000", "50", "12,5", "2,0"},
         FitRule::Gauges,
         FitField::Decimals,
         FitProblem::NotAWholeNumber},
        {{"1000", "1000"}, FitRule::Gauges, FitField::Top, FitProblem::LengthNotPositive},
        {{"0", "1000", "0"}, FitRule::Gauges, FitField::Stone, FitProblem::StoneNotPositive},
        {{"0", "1000", "62,5", "0"},
         FitRule::Gauges,
         FitField::Joint,
         FitProblem::JointNotPositive},
        {{"0", "1000", "50", "12,5", "2", "10", "-1"},
         FitRule::Gauges,
         FitField::JointTo,
         FitProblem::LimitNegative},
        {{"0", "1000", "50", "12,5", "2", "15", "10"},
         FitRule::Gauges,
         FitField::JointFrom,
         FitProblem::LimitsReversed},
        {{"0", "1e300"}, FitRule::Gauges, FitField::Top, FitProblem::TooManyCourses},
        {{"0", "10"}, FitRule::Gauges, FitField::Stone, FitProblem::NothingFits},
        {{"0", "50"}, FitRule::LessJoint, FitField::Stone, FitProblem::NothingFits},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.levels.top + " " + c.levels.stone + " " + c.levels.joint);
        const auto error = std::get<calc::FitError>(Divide(c.levels, c.rule));
        EXPECT_EQ(error.field, c.field);
        EXPECT_EQ(error.problem, c.problem);
    }
}

TEST(CourseFit, GaugeTextEndsTheTableOnTheTopInBothLocales)
{
    const struct {
        Levels levels;
        FitRule rule;
        std::int32_t count;
        const char* text; // nullptr: not looked at
        const char* landing;
        bool onTarget = true;
    } cases[] = {
        {{"0", "3600"}, FitRule::Gauges, 56, "64,2858", "3.600,00"},
        {{"0", "1357"}, FitRule::Gauges, 20, "67,8501", "1.357,00"},
        {{"0", "1357", "50", "12,5", "0"}, FitRule::Gauges, 20, "67,86", "1.357"},
        {{"-100", "2700"}, FitRule::Gauges, 40, "70", "2.700,00"},
        // A pier of 20 heads less a joint, an opening of 42 heads plus a joint: what is built
        // with the text's joint ends on the end.
        {{"0", "2190", "100", "10"}, FitRule::LessJoint, 20, "110", "2.190,00"},
        {{"0", "4630", "100", "10"}, FitRule::PlusJoint, 42, "110", "4.630,00"},
        {{"0", "2000", "100", "10"}, FitRule::LessJoint, 18, "111,7648", "2.000,00"},
        {{"0", "1050", "100", "10"}, FitRule::PlusJoint, 9, "115", "1.050,00"},
        // "109,1" would build 5 900,5, shown 5 901; "108,34" 1 200,08, shown 1 200,1.
        {{"0", "5899,7", "100", "10", "0"}, FitRule::PlusJoint, 54, "109,09", "5.900"},
        {{"0", "1200", "100", "10", "1"}, FitRule::PlusJoint, 11, "108,334", "1.200,0"},
        // Tops no climb shows: the course lands on the next value the table can show.
        {{"0", "2612,45", "50", "12,5", "1"}, FitRule::Gauges, 41, "63,72", "2.612,5", false},
        {{"0", "3600", "50", "12,5", "12"},
         FitRule::Gauges,
         56,
         nullptr,
         "3.600,000000000003",
         false},
    };
    for (const auto& c : cases) {
        for (const calc::RegionalFormat& format : {kDutch, kEnglish}) {
            SCOPED_TRACE(c.levels.top + " in " + format.decimalSeparator);
            const calc::FitInputs inputs =
                std::get<calc::Division>(Divide(c.levels, c.rule, format)).inputs;
            const auto fit = calc::FitGaugeText(inputs, c.count, format);
            ASSERT_TRUE(fit);
            if (c.text) {
                EXPECT_EQ(fit->text, In(c.text, format));
            }
            EXPECT_EQ(calc::FormatHeight(fit->landing, inputs.Decimals, kDutch), c.landing);
            EXPECT_EQ(fit->onTarget, c.onTarget);
        }
    }
}

// The heights of the table the calculate command builds from these texts.
std::vector<double> Heights(const std::string& gauge, const Levels& levels)
{
    const auto parsed =
        calc::ParseCourseInputs({gauge, levels.bottom, levels.top, levels.decimals}, kDutch);
    std::vector<double> heights;
    if (const auto* inputs = std::get_if<calc::CourseInputs>(&parsed))
        for (const calc::CourseRow& row : calc::BuildCourseTable(*inputs))
            heights.push_back(row.Height);
    return heights;
}

// The rule as a user would follow it by hand: decimals 0, 1, 2, ...; from the gauge rounded up,
// one unit of the last decimal at a time, each text judged by the calculate command's own table
// and laid with its own joint; a top no text reaches gives way to the next value the table can
// show.
std::string ByHand(const Levels& levels, FitRule rule, const calc::FitCount& fitted,
                   const calc::FitInputs& in)
{
    const std::int32_t count = fitted.Count;
    const double gauge = fitted.Gauge;
    // Values as whole units of the last shown decimal.
    const long double unit = std::pow(10.0L, in.Decimals);
    const auto units = [unit](const std::string& shown) {
        return std::llround(std::stold(shown) * unit);
    };
    long long target = units(calc::FormatHeight(in.Top, in.Decimals, kDigitsOnly));
    const auto text = [](long long digits, int decimals) {
        std::string t = std::to_string(digits);
        t.insert(0, std::max<int>(0, decimals + 1 - int(t.size())), '0');
        return decimals > 0 ? t.insert(t.size() - decimals, ",") : t;
    };
    for (int round = 0; round < 50; ++round, ++target) {
        for (int decimals = 0;; ++decimals) {
            long long step = std::llround(std::ceil(gauge * std::pow(10.0L, decimals)));
            while (*calc::ReadReal(text(step - 1, decimals), kDutch) >= gauge)
                --step;
            while (*calc::ReadReal(text(step, decimals), kDutch) < gauge)
                ++step;
            if (decimals > 0 && std::to_string(step).size() > 15)
                break;
            for (;; ++step) {
                const std::string typed = text(step, decimals);
                const std::vector<double> table = Heights(typed, levels);
                if (table.size() <= static_cast<std::size_t>(count))
                    break;
                // Laid with the text's joint: a pier's last joint short of course `count`, an
                // opening's a joint beyond it.
                const double joint = *calc::ReadReal(typed, kDutch) - in.Brick.Stone;
                const double course = table[count];
                const double built = rule == FitRule::LessJoint   ? course - joint
                                     : rule == FitRule::PlusJoint ? course + joint
                                                                  : course;
                const long long shown = units(calc::FormatHeight(built, in.Decimals, kDigitsOnly));
                const bool ends = rule != FitRule::Gauges || table.size() == std::size_t(count) + 1;
                if (shown == target && ends)
                    return text(step, decimals);
                if (shown > target)
                    break;
            }
        }
    }
    return "(none)";
}

TEST(CourseFit, GaugeTextIsTheOneFoundByHand)
{
    std::mt19937 random(20261207);
    const auto number = [&random](double low, double high, int decimals) {
        const double value = std::uniform_real_distribution<double>(low, high)(random);
        return calc::FormatHeight(value, decimals, {",", ""});
    };
    for (int i = 0; i < 2000; ++i) {
        const auto rule = FitRule(std::uniform_int_distribution<int>(0, 2)(random));
        Levels levels;
        levels.bottom = number(-2000, 2000, i % 3);
        const double bottom = *calc::ReadReal(levels.bottom, kDutch);
        levels.top = number(bottom + 100, bottom + 4000, (i / 3) % 3);
        levels.decimals = std::to_string(i % 4);
        const auto division = Divide(levels, rule);
        if (!std::holds_alternative<calc::Division>(division))
            continue;
        const auto& [inputs, choice] = std::get<calc::Division>(division);
        const calc::FitCount& fitted = choice.counts[std::size_t(i) % choice.counts.size()];
        const std::int32_t count = fitted.Count;
        SCOPED_TRACE(levels.bottom + " " + levels.top + " n=" + std::to_string(count) + " rule " +
                     std::to_string(int(rule)) + " decimals " + levels.decimals);
        const auto fit = calc::FitGaugeText(inputs, count, kDutch);
        ASSERT_TRUE(fit);
        ASSERT_EQ(fit->text, ByHand(levels, rule, fitted, inputs));
    }
}

} // namespace
