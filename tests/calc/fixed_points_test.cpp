#include "calc/course_table.h"
#include "calc/fixed_points.h"
#include "calc/format_height.h"
#include "calc/number_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <variant>

namespace {

const calc::RegionalFormat kDutch{",", "."};
const calc::RegionalFormat kEnglish{".", ","};

using calc::PlanProblem;

// A number written with a decimal comma, as `format` writes it.
std::string In(std::string text, const calc::RegionalFormat& format)
{
    std::replace(text.begin(), text.end(), ',', format.decimalSeparator[0]);
    return text;
}

struct Bricks {
    std::string stone = "50", joint = "12,5", from = "10", to = "15", decimals = "2";
};

std::variant<calc::Plan, calc::PlanError> Plan(std::vector<calc::PlanPointText> points,
                                               const Bricks& b = {},
                                               const calc::RegionalFormat& format = kDutch)
{
    for (calc::PlanPointText& point : points)
        point.height = In(point.height, format);
    const std::string stone = In(b.stone, format), joint = In(b.joint, format),
                      from = In(b.from, format), to = In(b.to, format);
    return calc::MakePlan({points, stone, joint, from, to, b.decimals}, format);
}

std::string Shown(double height, std::int32_t decimals = 2)
{
    return calc::FormatHeight(height, decimals, kDutch);
}

// The length a bricklayer lays: stones and joints one by one, a joint first and last for an
// opening, only between the stones for a pier.
double Laid(calc::FitRule rule, std::int32_t stones, double stone, double joint)
{
    double length = rule == calc::FitRule::PlusJoint ? joint : 0;
    for (std::int32_t laid = 1; laid <= stones; ++laid)
        length += stone + (laid < stones || rule != calc::FitRule::LessJoint ? joint : 0);
    return length;
}

// Checks the plan as a builder would: each stretch laid by its rule fills its length; the table
// its text builds from the stretch's lower point gives its lines (a joint of the text short for
// a pier), and what is built with the text's own joint ends on the upper point as shown; an
// opening's upper point and a stretch without a division get a line of their own without a
// number; the numbers run on.
void ExpectBuilt(const calc::Plan& plan, const calc::RegionalFormat& format, double stone = 50)
{
    using calc::FitRule;
    std::size_t at = 0;
    std::int32_t number = 0;
    for (std::size_t index = 0; index < plan.stretches.size(); ++index) {
        const calc::Stretch& stretch = plan.stretches[index];
        const double bottom = plan.points[stretch.from].height;
        const double top = plan.points[stretch.to].height;
        const auto expectPointLine = [&](std::optional<std::size_t> fault) {
            const calc::PlanCourse& line = plan.courses.at(++at);
            EXPECT_FALSE(line.number);
            EXPECT_EQ(line.height, top);
            EXPECT_EQ(line.point, stretch.to);
            EXPECT_EQ(line.fault, fault);
        };
        if (stretch.fault) {
            expectPointLine(index);
            continue;
        }
        const FitRule rule = stretch.rule;
        EXPECT_NEAR(Laid(rule, stretch.count, stone, stretch.joint), top - bottom, 1e-9);
        const double gauge = *calc::ReadReal(stretch.gaugeText, format);
        const double joint = gauge - stone;
        const auto table = calc::BuildCourseTable({gauge, bottom, top, plan.decimals});
        ASSERT_GT(table.size(), std::size_t(stretch.count));
        if (rule == FitRule::Gauges) {
            ASSERT_EQ(table.size(), std::size_t(stretch.count) + 1);
        }
        for (std::int32_t row = 1; row <= stretch.count; ++row) {
            const calc::PlanCourse& line = plan.courses.at(++at);
            EXPECT_EQ(line.number, ++number);
            EXPECT_EQ(line.height, table[row].Height - (rule == FitRule::LessJoint ? joint : 0));
        }
        const double end = table[stretch.count].Height + (rule == FitRule::LessJoint   ? -joint
                                                          : rule == FitRule::PlusJoint ? joint
                                                                                       : 0);
        EXPECT_EQ(Shown(end, plan.decimals), Shown(top, plan.decimals));
        if (rule == FitRule::PlusJoint)
            expectPointLine(std::nullopt);
        else
            EXPECT_EQ(plan.courses[at].point, stretch.to);
    }
    EXPECT_EQ(at + 1, plan.courses.size());
}

TEST(FixedPoints, AStoreyTypedInAnyOrderHitsEveryPointInBothFormats)
{
    for (const calc::RegionalFormat& format : {kDutch, kEnglish}) {
        SCOPED_TRACE(format.decimalSeparator);
        const auto plan = std::get<calc::Plan>(Plan({{"vloer", "2800"},
                                                     {"peil", "0"},
                                                     {"", " "},
                                                     {"bovenkant kozijn", "2400"},
                                                     {"dorpel", "900"}},
                                                    {}, format));
        ASSERT_EQ(plan.points.size(), 4u);
        EXPECT_EQ(plan.points[1].name, "dorpel");
        EXPECT_EQ(plan.points[1].row, 4u);
        const struct {
            std::int32_t count;
            const char *text, *joint;
            bool within;
        } stretches[] = {{14, "64,286", "14,29", true},
                         {24, "62,5", "12,50", true},
                         {6, "66,667", "16,67", false}};
        ASSERT_EQ(plan.stretches.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            const calc::Stretch& stretch = plan.stretches[i];
            EXPECT_EQ(stretch.count, stretches[i].count);
            EXPECT_EQ(stretch.gaugeText, In(stretches[i].text, format));
            EXPECT_EQ(Shown(stretch.joint), stretches[i].joint);
            EXPECT_EQ(stretch.withinLimits, stretches[i].within);
            EXPECT_TRUE(stretch.onTarget);
        }
        EXPECT_EQ(plan.courses.back().number, 44);
        EXPECT_EQ(plan.stretches[0].rule, calc::FitRule::Gauges);
        ExpectBuilt(plan, format);
        // One gauge for the whole storey misses the sill and the frame.
        ASSERT_TRUE(plan.oneGauge);
        EXPECT_EQ(plan.oneGauge->count, 45);
        EXPECT_EQ(plan.oneGauge->gaugeText, In("62,2223", format));
        ASSERT_EQ(plan.oneGauge->misses.size(), 2u);
        const auto& sill = plan.oneGauge->misses[0];
        const auto& frame = plan.oneGauge->misses[1];
        EXPECT_EQ(sill.course, 14);
        EXPECT_EQ(Shown(sill.height), "871,11");
        EXPECT_EQ(Shown(sill.difference), "-28,89");
        EXPECT_EQ(frame.course, 39);
        EXPECT_EQ(Shown(frame.height), "2.426,67");
        EXPECT_EQ(Shown(frame.difference), "26,67");
    }
}

TEST(FixedPoints, KeepsATypedCountAndDividesAFacadeInHeads)
{
    const auto typed = std::get<calc::Plan>(Plan({{"peil", "0"}, {"dorpel", "900", 15}}));
    EXPECT_TRUE(typed.stretches[0].typed);
    EXPECT_EQ(typed.stretches[0].gaugeText, "60");
    ExpectBuilt(typed, kDutch);

    // Heads between the openings of a facade, shown with one decimal.
    const auto facade = std::get<calc::Plan>(
        Plan({{"hoek", "0"}, {"raam", "1200"}, {"deur", "3300"}, {"hoek", "5500"}},
             {"100", "10", "8", "12", "1"}));
    const char* texts[] = {"109,091", "110,527", "110"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(facade.stretches[i].gaugeText, texts[i]);
        EXPECT_TRUE(facade.stretches[i].withinLimits);
    }
    EXPECT_EQ(facade.courses.back().number, 50);
    ExpectBuilt(facade, kDutch, 100);
    // 50 heads of 110 at once: the window's head lies 10 to the right, the door's on it.
    EXPECT_EQ(facade.oneGauge->misses[0].course, 11);
    EXPECT_EQ(Shown(facade.oneGauge->misses[0].difference, 1), "10,0");
    EXPECT_EQ(facade.oneGauge->misses[1].course, 30);
    EXPECT_EQ(Shown(facade.oneGauge->misses[1].difference, 1), "0,0");
    // Midway between two heads the nearer is the lower one.
    const auto midway = std::get<calc::Plan>(
        Plan({{"", "0"}, {"", "1155"}, {"", "2200"}}, {"100", "10", "8", "12", "1"}));
    EXPECT_EQ(midway.oneGauge->misses[0].course, 10);
    EXPECT_EQ(midway.oneGauge->misses[0].difference, -55);
}

TEST(FixedPoints, RefusesPointsAndBricksThatMakeNoPlan)
{
    const struct {
        std::vector<calc::PlanPointText> points;
        Bricks bricks;
        PlanProblem problem;
        std::size_t row;
        std::optional<calc::FitProblem> brick = std::nullopt;
        std::size_t otherRow = 0;
    } cases[] = {
        {{{"a", "0"}, {"b", "900"}, {"c", "900,0"}}, {}, PlanProblem::SamePoint, 2, {}, 1},
        {{{"a", "0"}, {"b", "9OO"}}, {}, PlanProblem::NotANumber, 1},
        {{{"a", "0"}, {"b", "1.000"}}, {}, PlanProblem::NotANumber, 1},
        {{{"a", "0"}, {"b", "  "}}, {}, PlanProblem::TooFewPoints, 0},
        {{{"a", "0"}, {"b", "900"}},
         {"0"},
         PlanProblem::Brick,
         0,
         calc::FitProblem::StoneNotPositive},
        {{{"a", "0"}, {"b", "900"}},
         {"50", "12,5", "10", "15", "x"},
         PlanProblem::Brick,
         0,
         calc::FitProblem::NotAWholeNumber},
        {{{"a", "0"}, {"b", "6000000"}, {"c", "12000000"}}, {}, PlanProblem::TooManyCourses, 2},
    };
    for (const auto& c : cases) {
        const auto error = std::get<calc::PlanError>(Plan(c.points, c.bricks));
        EXPECT_EQ(error.problem, c.problem);
        EXPECT_EQ(error.row, c.row);
        EXPECT_EQ(error.otherRow, c.otherRow);
        EXPECT_EQ(error.brick ? std::optional(error.brick->problem) : std::nullopt, c.brick);
    }
    std::vector<calc::PlanPointText> many(51);
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i].height = std::to_string(i * 100);
    EXPECT_EQ(std::get<calc::PlanError>(Plan(many)).problem, PlanProblem::TooManyPoints);
    many.pop_back();
    ExpectBuilt(std::get<calc::Plan>(Plan(many)), kDutch);
}

TEST(FixedPoints, AFacadeOfPiersAndOpeningsIsLaidByTheRuleOfEachStretch)
{
    using calc::FitRule;
    const FitRule pier = FitRule::LessJoint, opening = FitRule::PlusJoint;
    const auto facade = std::get<calc::Plan>(Plan({{"hoek", "0"},
                                                   {"", "1200", 0, pier},
                                                   {"", "2410", 0, opening},
                                                   {"", "3300", 0, pier},
                                                   {"", "4310", 0, opening},
                                                   {"hoek", "5500", 0, pier}},
                                                  {"100", "10", "8", "12", "2"}));
    const struct {
        std::int32_t count;
        const char* joint;
        bool within;
    } expected[] = {{11, "10,00", true},
                    {11, "9,17", true},
                    {8, "12,86", false},
                    {9, "11,00", true},
                    {11, "9,00", true}};
    ASSERT_EQ(facade.stretches.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(facade.stretches[i].count, expected[i].count);
        EXPECT_EQ(Shown(facade.stretches[i].joint), expected[i].joint);
        EXPECT_EQ(facade.stretches[i].withinLimits, expected[i].within);
    }
    ExpectBuilt(facade, kDutch, 100);
    // A pier of one stone has no joint to give.
    const auto one = std::get<calc::Plan>(Plan({{"a", "0"}, {"b", "100", 0, pier}}, {"100", "10"}));
    EXPECT_EQ(one.stretches[0].fault, calc::StretchFault::NothingFits);
}

TEST(FixedPoints, AStretchThatCannotBeDividedLeavesTheRestOfThePlan)
{
    using calc::StretchFault;
    const auto plan = std::get<calc::Plan>(Plan({{"peil", "0"},
                                                 {"dorpel", "900", 20},
                                                 {"", "901"},
                                                 {"kozijn", "2400"},
                                                 {"vloer", "7002400"}}));
    ASSERT_EQ(plan.stretches.size(), 4u);
    // Twenty stones of 50 alone are more than 900; one millimetre takes no stone; seven
    // kilometres take more courses than any list shows.
    EXPECT_EQ(plan.stretches[0].fault, StretchFault::StonesFill);
    EXPECT_EQ(plan.stretches[0].count, 20);
    EXPECT_EQ(plan.stretches[1].fault, StretchFault::NothingFits);
    EXPECT_FALSE(plan.stretches[2].fault);
    EXPECT_EQ(plan.stretches[2].count, 24);
    EXPECT_EQ(plan.stretches[3].fault, StretchFault::TooManyCourses);
    ExpectBuilt(plan, kDutch);
    EXPECT_FALSE(plan.oneGauge);

    // Typed counts as the tab asks before it takes one: the stones of 20 courses fill 0 to 1 000
    // exactly, which leaves no joint; a pier needs two stones; the list's limit holds.
    const auto storey = std::get<calc::Plan>(
        Plan({{"a", "0"}, {"b", "1000"}, {"c", "2000", 0, calc::FitRule::LessJoint}}));
    EXPECT_EQ(calc::TypedCountFault(storey, 0, 20), StretchFault::StonesFill);
    EXPECT_EQ(calc::TypedCountFault(storey, 0, 19), std::nullopt);
    EXPECT_EQ(calc::TypedCountFault(storey, 0, calc::kMaxFitCount + 1),
              StretchFault::TooManyCourses);
    EXPECT_EQ(calc::TypedCountFault(storey, 1, 1), StretchFault::PierTooShort);
    // Near the row limit the rule offers what fits within it.
    const auto tall = std::get<calc::Plan>(Plan({{"peil", "0"}, {"vloer", "6250000"}}));
    EXPECT_EQ(tall.stretches[0].count, calc::kMaxFitCount);
    EXPECT_TRUE(tall.stretches[0].withinLimits);
}

} // namespace
