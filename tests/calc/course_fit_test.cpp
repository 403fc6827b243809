#include "calc/course_fit.h"
#include "calc/course_table.h"
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

using calc::FitField;
using calc::FitProblem;
using calc::FitRule;

struct Levels {
    std::string bottom, top, stone = "50", joint = "12,5", decimals = "2";
};

std::variant<calc::Division, calc::FitError> Divide(const Levels& levels, FitRule rule,
                                                    const calc::RegionalFormat& format = kDutch)
{
    return calc::DivideLevels(
        {levels.bottom, levels.top, levels.stone, levels.joint, levels.decimals}, rule, format);
}

calc::FitInputs Inputs(const Levels& levels, FitRule rule,
                       const calc::RegionalFormat& format = kDutch)
{
    const auto division = Divide(levels, rule, format);
    EXPECT_TRUE(std::holds_alternative<calc::Division>(division));
    return std::get<calc::Division>(division).inputs;
}

// The table the calculate command builds from these texts, heights as shown.
std::vector<std::string> Table(const std::string& gauge, const Levels& levels,
                               const calc::RegionalFormat& format = kDutch)
{
    const auto parsed =
        calc::ParseCourseInputs({gauge, levels.bottom, levels.top, levels.decimals}, format);
    std::vector<std::string> shown;
    if (const auto* inputs = std::get_if<calc::CourseInputs>(&parsed))
        for (const calc::CourseRow& row : calc::BuildCourseTable(*inputs))
            shown.push_back(calc::FormatHeight(row.Height, inputs->Decimals, format));
    return shown;
}

TEST(CourseFit, ListsTheCountsAroundTheNominalGauge)
{
    // 2 800 / 62,5 = 44,8 courses: 45 courses of 62,22 with a joint of 12,22.
    const auto division = std::get<calc::Division>(Divide({"0", "2800"}, FitRule::Gauges));
    ASSERT_EQ(division.counts.size(), 5u);
    EXPECT_EQ(division.counts.front().Count, 43);
    const calc::FitCount& nearest = division.counts[division.nearest];
    EXPECT_EQ(nearest.Count, 45);
    EXPECT_EQ(calc::FormatHeight(nearest.Gauge, 2, kDutch), "62,22");
    EXPECT_EQ(calc::FormatHeight(nearest.Joint, 2, kDutch), "12,22");
    // 2 800 / 62,5 is 44 whole gauges.
    const auto sizes =
        std::get<std::vector<calc::FitSize>>(calc::SizesThatFit(division.inputs, "62,5", kDutch));
    ASSERT_EQ(sizes.size(), 44u);
    EXPECT_EQ(sizes[19].LessJoint, 1237.5);
    EXPECT_EQ(sizes[19].PlusJoint, 1262.5);
    for (const char* gauge : {"62.5", "0"})
        EXPECT_TRUE(std::holds_alternative<calc::FitError>(
            calc::SizesThatFit(division.inputs, gauge, kDutch)));

    // A short length: never below one, and only counts with a positive joint.
    const auto shortOne = std::get<calc::Division>(Divide({"0", "100"}, FitRule::Gauges));
    ASSERT_EQ(shortOne.counts.size(), 1u);
    EXPECT_EQ(shortOne.counts[0].Count, 1);
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
        {{"0", "10", "5", "10"}, FitRule::PlusJoint, FitField::Joint, FitProblem::JointTooLarge},
        {{"0", "1e300"}, FitRule::Gauges, FitField::Top, FitProblem::TooManyCourses},
        {{"0", "10"}, FitRule::Gauges, FitField::Stone, FitProblem::NothingFits},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.levels.top + " " + c.levels.stone + " " + c.levels.joint);
        const auto division = Divide(c.levels, c.rule);
        ASSERT_TRUE(std::holds_alternative<calc::FitError>(division));
        EXPECT_EQ(std::get<calc::FitError>(division).field, c.field);
        EXPECT_EQ(std::get<calc::FitError>(division).problem, c.problem);
    }
}

TEST(CourseFit, GaugeTextEndsTheTableOnTheTopInBothLocales)
{
    const struct {
        Levels levels;
        FitRule rule;
        std::int32_t count;
        const char* dutch;
        const char* landing; // as the table shows course `count`
        bool onTarget;
    } cases[] = {
        {{"0", "3600"}, FitRule::Gauges, 56, "64,2858", "3.600,00", true},
        {{"0", "1357"}, FitRule::Gauges, 20, "67,8501", "1.357,00", true},
        {{"0", "1357", "50", "12,5", "0"}, FitRule::Gauges, 20, "67,86", "1.357", true},
        {{"0", "2612,45", "50", "12,5", "1"}, FitRule::Gauges, 41, "63,72", "2.612,5", false},
        {{"-100", "2700"}, FitRule::Gauges, 40, "70", "2.700,00", true},
        // A pier of 20 heads less a joint, an opening of 42 heads plus a joint.
        {{"0", "2190", "100", "10"}, FitRule::LessJoint, 20, "110", "2.200,00", true},
        {{"0", "4630", "100", "10"}, FitRule::PlusJoint, 42, "110", "4.620,00", true},
        // With 15 significant digits no text lands within the last 12 decimals of the top.
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
            Levels levels = c.levels;
            for (std::string* text : {&levels.bottom, &levels.top, &levels.joint})
                if (const auto comma = text->find(','); comma != std::string::npos)
                    text->replace(comma, 1, format.decimalSeparator);
            const calc::FitInputs inputs = Inputs(levels, c.rule, format);
            const auto fit = calc::FitGaugeText(inputs, c.count, format);
            ASSERT_TRUE(fit);
            if (c.dutch) {
                std::string expected = c.dutch;
                if (const auto comma = expected.find(','); comma != std::string::npos)
                    expected.replace(comma, 1, format.decimalSeparator);
                EXPECT_EQ(fit->text, expected);
            }
            EXPECT_EQ(fit->onTarget, c.onTarget);
            EXPECT_EQ(calc::FormatHeight(fit->landing, inputs.Decimals, kDutch), c.landing);
            const std::vector<std::string> table = Table(fit->text, levels, format);
            ASSERT_GT(table.size(), static_cast<std::size_t>(c.count));
            EXPECT_EQ(table[c.count], calc::FormatHeight(fit->landing, inputs.Decimals, format));
            const std::size_t end = c.count + (c.rule == FitRule::PlusJoint ? 2 : 1);
            EXPECT_EQ(table.size(), end);
        }
    }
}

// The rule as a user would follow it by hand: decimals 0, 1, 2, ...; from the gauge rounded up,
// one unit of the last decimal at a time, each text judged by the calculate command's own table.
std::string ByHand(const Levels& levels, FitRule rule, std::int32_t count,
                   const calc::FitInputs& in)
{
    const double length = in.Top - in.Bottom;
    const double gauge =
        (rule == FitRule::Gauges
             ? length
             : (rule == FitRule::LessJoint ? length + in.Joint : length - in.Joint)) /
        count;
    const double landing =
        rule == FitRule::Gauges
            ? in.Top
            : (rule == FitRule::LessJoint ? in.Top + in.Joint : in.Top - in.Joint);
    const calc::RegionalFormat plain{".", ""};
    // Values as whole units of the last shown decimal.
    const long double unit = std::pow(10.0L, in.Decimals);
    long long target =
        std::llround(std::stold(calc::FormatHeight(landing, in.Decimals, plain)) * unit);
    const auto text = [](long long units, int decimals) {
        std::string digits = std::to_string(units);
        digits.insert(0, std::max<int>(0, decimals + 1 - int(digits.size())), '0');
        if (decimals > 0)
            digits.insert(digits.size() - decimals, ",");
        return digits;
    };
    for (int round = 0; round < 50; ++round) {
        for (int decimals = 0;; ++decimals) {
            const long double scale = std::pow(10.0L, decimals);
            long long units = std::llround(std::ceil(gauge * scale));
            while (*calc::ReadReal(text(units - 1, decimals), kDutch) >= gauge)
                --units;
            while (*calc::ReadReal(text(units, decimals), kDutch) < gauge)
                ++units;
            if (decimals > 0 && std::to_string(units).size() > 15)
                break;
            for (;; ++units) {
                const auto table = Table(text(units, decimals), levels);
                if (table.size() <= static_cast<std::size_t>(count))
                    break;
                std::string shown = table[count];
                std::erase(shown, '.');
                std::replace(shown.begin(), shown.end(), ',', '.');
                const long long value = std::llround(std::stold(shown) * unit);
                const bool ends = rule != FitRule::Gauges || table.size() == std::size_t(count) + 1;
                if (value == target && ends)
                    return text(units, decimals);
                if (value > target)
                    break;
            }
        }
        ++target;
    }
    return "(none)";
}

TEST(CourseFit, GaugeTextIsTheOneFoundByHand)
{
    std::mt19937 random(20261207);
    const auto number = [&](int low, int high, int decimals) {
        const int scale = decimals == 0 ? 1 : (decimals == 1 ? 10 : 100);
        const int units = std::uniform_int_distribution<int>(low * scale, high * scale)(random);
        std::string text = std::to_string(std::abs(units) / scale);
        if (decimals > 0) {
            std::string fraction = std::to_string(std::abs(units) % scale);
            fraction.insert(0, std::size_t(decimals) - fraction.size(), '0');
            text += "," + fraction;
        }
        return (units < 0 ? "-" : "") + text;
    };
    for (int i = 0; i < 2000; ++i) {
        const FitRule rule = FitRule(std::uniform_int_distribution<int>(0, 2)(random));
        Levels levels;
        levels.bottom = number(-2000, 2000, i % 3);
        const double bottom = *calc::ReadReal(levels.bottom, kDutch);
        levels.top = number(int(bottom) + 100, int(bottom) + 4000, (i / 3) % 3);
        levels.decimals = std::to_string(i % 4);
        const auto division = Divide(levels, rule);
        if (!std::holds_alternative<calc::Division>(division))
            continue;
        const auto& counts = std::get<calc::Division>(division).counts;
        const std::int32_t count = counts[std::size_t(i) % counts.size()].Count;
        SCOPED_TRACE(levels.bottom + " " + levels.top + " n=" + std::to_string(count) + " rule " +
                     std::to_string(int(rule)) + " decimals " + levels.decimals);
        const calc::FitInputs inputs = std::get<calc::Division>(division).inputs;
        const auto fit = calc::FitGaugeText(inputs, count, kDutch);
        ASSERT_TRUE(fit);
        ASSERT_EQ(fit->text, ByHand(levels, rule, count, inputs));
    }
}

} // namespace
