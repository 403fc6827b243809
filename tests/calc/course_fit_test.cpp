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
const calc::RegionalFormat kDigitsOnly{".", ""};

using calc::FitField;
using calc::FitProblem;
using calc::FitRule;

struct Levels {
    std::string bottom, top, stone = "50", joint = "12,5", decimals = "2";
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
                               In(l.joint, format), l.decimals},
                              rule, format);
}

TEST(CourseFit, ListsTheCountsAroundTheNominalGaugeAndTheSizesThatFit)
{
    // 2 800 / 62,5 = 44,8 courses: 45 courses of 62,22 with a joint of 12,22.
    const auto division = std::get<calc::Division>(Divide({"0", "2800"}, FitRule::Gauges));
    ASSERT_EQ(division.counts.size(), 5u);
    EXPECT_EQ(division.counts.front().Count, 43);
    const calc::FitCount& nearest = division.counts[division.nearest];
    EXPECT_EQ(nearest.Count, 45);
    EXPECT_EQ(calc::FormatHeight(nearest.Gauge, 2, kDutch), "62,22");
    EXPECT_EQ(calc::FormatHeight(nearest.Joint, 2, kDutch), "12,22");
    // 44 whole gauges of 62,5; the 20th gives a pier of 1 237,5 and an opening of 1 262,5.
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
        // A pier of 20 heads less a joint, an opening of 42 heads plus a joint.
        {{"0", "2190", "100", "10"}, FitRule::LessJoint, 20, "110", "2.200,00"},
        {{"0", "4630", "100", "10"}, FitRule::PlusJoint, 42, "110", "4.620,00"},
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

// The table the calculate command builds from these texts, heights shown with digits only.
std::vector<std::string> Table(const std::string& gauge, const Levels& levels)
{
    const auto parsed =
        calc::ParseCourseInputs({gauge, levels.bottom, levels.top, levels.decimals}, kDutch);
    std::vector<std::string> shown;
    if (const auto* inputs = std::get_if<calc::CourseInputs>(&parsed))
        for (const calc::CourseRow& row : calc::BuildCourseTable(*inputs))
            shown.push_back(calc::FormatHeight(row.Height, inputs->Decimals, kDigitsOnly));
    return shown;
}

// The rule as a user would follow it by hand: decimals 0, 1, 2, ...; from the gauge rounded up,
// one unit of the last decimal at a time, each text judged by the calculate command's own table;
// a top no text reaches gives way to the next value the table can show.
std::string ByHand(const Levels& levels, FitRule rule, std::int32_t count,
                   const calc::FitInputs& in)
{
    const double joint = rule == FitRule::Gauges ? 0 : (rule == FitRule::LessJoint ? 1 : -1);
    const double gauge = (in.Top - in.Bottom + joint * in.Joint) / count;
    // Values as whole units of the last shown decimal.
    const long double unit = std::pow(10.0L, in.Decimals);
    const auto units = [unit](const std::string& shown) {
        return std::llround(std::stold(shown) * unit);
    };
    long long target =
        units(calc::FormatHeight(in.Top + joint * in.Joint, in.Decimals, kDigitsOnly));
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
                const auto table = Table(text(step, decimals), levels);
                if (table.size() <= static_cast<std::size_t>(count))
                    break;
                const long long shown = units(table[count]);
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
        const auto& [inputs, counts, nearest] = std::get<calc::Division>(division);
        const std::int32_t count = counts[std::size_t(i) % counts.size()].Count;
        SCOPED_TRACE(levels.bottom + " " + levels.top + " n=" + std::to_string(count) + " rule " +
                     std::to_string(int(rule)) + " decimals " + levels.decimals);
        const auto fit = calc::FitGaugeText(inputs, count, kDutch);
        ASSERT_TRUE(fit);
        ASSERT_EQ(fit->text, ByHand(levels, rule, count, inputs));
    }
}

} // namespace
