#include "calc/course_table.h"
#include "calc/format_height.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

const calc::RegionalFormat kDutch{",", "."};
const calc::RegionalFormat kEnglish{".", ","};

using calc::InputField;
using Parsed = std::variant<calc::CourseInputs, calc::InputError>;

Parsed Parse(std::string_view gauge, std::string_view bottom, std::string_view top,
             std::string_view decimals = "2", const calc::RegionalFormat& format = kDutch)
{
    return calc::ParseCourseInputs({gauge, bottom, top, decimals}, format);
}

// The heights as the table shows them; also checks that the rows are numbered 0, 1, 2, ...
std::vector<std::string> ShownHeights(const calc::CourseInputs& inputs)
{
    std::vector<std::string> shown;
    for (const calc::CourseRow& row : calc::BuildCourseTable(inputs)) {
        EXPECT_EQ(row.Number, static_cast<std::int32_t>(shown.size()));
        shown.push_back(calc::FormatHeight(row.Height, inputs.Decimals, kDutch));
    }
    return shown;
}

TEST(CourseTable, DefaultsClimbInSeventeenCourses)
{
    const Parsed parsed = Parse("62,5", "0", "1000", "2");
    ASSERT_TRUE(std::holds_alternative<calc::CourseInputs>(parsed));
    const auto& inputs = std::get<calc::CourseInputs>(parsed);
    EXPECT_EQ(inputs.Gauge, 62.5);
    EXPECT_EQ(inputs.Bottom, 0);
    EXPECT_EQ(inputs.Top, 1000);
    EXPECT_EQ(inputs.Decimals, 2);
    EXPECT_THAT(ShownHeights(inputs),
                testing::ElementsAre("0,00", "62,50", "125,00", "187,50", "250,00", "312,50",
                                     "375,00", "437,50", "500,00", "562,50", "625,00", "687,50",
                                     "750,00", "812,50", "875,00", "937,50", "1.000,00"));
}

TEST(CourseTable, StopsAtTheFirstHeightThatReachesTheTop)
{
    const struct {
        std::string_view gauge, bottom, top;
        std::size_t rows;
        std::vector<std::string> lastHeights;
    } cases[] = {
        {"110", "0", "1000", 11, {"990,00", "1.100,00"}},
        {"62,5", "0", "1010", 18, {"1.000,00", "1.062,50"}},
        {"62,5", "-100", "100", 5, {"-100,00", "-37,50", "25,00", "87,50", "150,00"}},
        {"0,1", "0", "1", 12, {"1,00", "1,10"}},
        {"62,5", "500", "500", 1, {"500,00"}},
        {"62,5", "500", "100", 1, {"500,00"}},
        // Without a climb the gauge is never used, so any gauge will do.
        {"0", "5", "5", 1, {"5,00"}},
        {"-1", "10", "0", 1, {"10,00"}},
        {"1e-300", "1e3", "1e3", 1, {"1.000,00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "gauge " << c.gauge << ", from " << c.bottom << " to " << c.top);
        const Parsed parsed = Parse(c.gauge, c.bottom, c.top);
        ASSERT_TRUE(std::holds_alternative<calc::CourseInputs>(parsed))
            << std::get<calc::InputError>(parsed).message;
        const std::vector<std::string> shown = ShownHeights(std::get<calc::CourseInputs>(parsed));
        ASSERT_EQ(shown.size(), c.rows);
        EXPECT_EQ(std::vector(shown.end() - c.lastHeights.size(), shown.end()), c.lastHeights);
    }
}

TEST(CourseTable, AddsTheGaugeToThePreviousHeight)
{
    // Ten additions of 0.1 stay below 1, so an eleventh is needed; multiplying would not.
    const std::vector<calc::CourseRow> rows = calc::BuildCourseTable({0.1, 0, 1, 2});
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_LT(rows[10].Height, 1.0);
    EXPECT_EQ(rows[11].Height, rows[10].Height + 0.1);
}

TEST(CourseTable, ClimbsASpanWiderThanTheDoubleRange)
{
    // Top minus bottom is infinite, yet two steps reach the top without leaving the range.
    const Parsed parsed = Parse("1e308", "-1e308", "1e308");
    ASSERT_TRUE(std::holds_alternative<calc::CourseInputs>(parsed))
        << std::get<calc::InputError>(parsed).message;
    const std::vector<calc::CourseRow> rows =
        calc::BuildCourseTable(std::get<calc::CourseInputs>(parsed));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].Height, 0);
    EXPECT_EQ(rows[2].Height, 1e308);
}

TEST(CourseTable, AllowsExactlyTheRowLimit)
{
    const Parsed parsed = Parse("1", "0", "99999");
    ASSERT_TRUE(std::holds_alternative<calc::CourseInputs>(parsed));
    const std::vector<calc::CourseRow> rows =
        calc::BuildCourseTable(std::get<calc::CourseInputs>(parsed));
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(calc::kMaxCourseRows));
    EXPECT_EQ(rows.back().Number, 99999);
    EXPECT_EQ(rows.back().Height, 99999);
}

TEST(ParseCourseInputs, ReportsTheFirstFieldThatCannotBeRead)
{
    const struct {
        std::string_view gauge, bottom, top, decimals;
        InputField field;
        std::string_view message;
    } cases[] = {
        {"abc", "0", "1000", "2", InputField::Gauge, "abc is geen getal"},
        {"", "0", "1000", "2", InputField::Gauge, " is geen getal"},
        {"?", "b", "t", "d", InputField::Gauge, "? is geen getal"},
        {"62,5", "x", "1000", "2", InputField::Bottom, "x is geen getal"},
        {"62,5", "y", "1000", "z", InputField::Bottom, "y is geen getal"},
        {"0", "x", "1000", "2", InputField::Bottom, "x is geen getal"},
        {"62,5", "0", "62.5", "2", InputField::Top, "62.5 is geen getal"},
        {"62,5", "0", "", "d", InputField::Top, " is geen getal"},
        {"62,5", "0", "1000", "2,5", InputField::Decimals, "2,5 is onjuist getal"},
        {"62,5", "0", "1000", "2 ", InputField::Decimals, "2  is onjuist getal"},
        {"62,5", "0", "1000", "", InputField::Decimals, " is onjuist getal"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.gauge << "\" \"" << c.bottom << "\" \"" << c.top
                                        << "\" \"" << c.decimals << '"');
        const Parsed parsed = Parse(c.gauge, c.bottom, c.top, c.decimals);
        ASSERT_TRUE(std::holds_alternative<calc::InputError>(parsed));
        EXPECT_EQ(std::get<calc::InputError>(parsed).field, c.field);
        EXPECT_EQ(std::get<calc::InputError>(parsed).message, c.message);
    }
}

TEST(ParseCourseInputs, ReadsWithTheRegionalFormat)
{
    const Parsed parsed = Parse("62.5", "-1.5e1", "1000", "$A", kEnglish);
    ASSERT_TRUE(std::holds_alternative<calc::CourseInputs>(parsed));
    const auto& inputs = std::get<calc::CourseInputs>(parsed);
    EXPECT_EQ(inputs.Gauge, 62.5);
    EXPECT_EQ(inputs.Bottom, -15);
    EXPECT_EQ(inputs.Decimals, 10);

    const Parsed dutchText = Parse("62,5", "0", "1000", "2", kEnglish);
    ASSERT_TRUE(std::holds_alternative<calc::InputError>(dutchText));
    EXPECT_EQ(std::get<calc::InputError>(dutchText).message, "62,5 is geen getal");
}

TEST(ParseCourseInputs, RefusesAClimbThatRunsAway)
{
    const struct {
        std::string_view gauge, bottom, top;
    } cases[] = {
        {"0", "0", "1000"},
        {"-1", "0", "1000"},
        {"-62,5", "0", "1000"},
        {"1", "1e20", "1,00000000000001e20"}, // the sum rounds back to the bottom
        {"1e-300", "0", "1000"},
        {"0,001", "0", "1000"},
        {"1", "0", "100000"}, // one row more than allowed
        {"1e308", "0", "1,7e308"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "gauge " << c.gauge << ", from " << c.bottom << " to " << c.top);
        const Parsed parsed = Parse(c.gauge, c.bottom, c.top);
        ASSERT_TRUE(std::holds_alternative<calc::InputError>(parsed));
        const calc::InputError& error = std::get<calc::InputError>(parsed);
        EXPECT_EQ(error.field, InputField::Gauge);
        EXPECT_THAT(error.message, testing::StartsWith(std::string(c.gauge) + " "));
        EXPECT_GT(error.message.size(), c.gauge.size() + 1);
    }
}

} // namespace
