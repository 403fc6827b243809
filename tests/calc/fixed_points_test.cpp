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

// Checks the plan as a builder would: each stretch laid stone and joint by stone and joint fills
// its length, and the table its text builds from the stretch's lower point ends on the upper
// point as shown, with the plan's courses.
void ExpectBuilt(const calc::Plan& plan, const calc::RegionalFormat& format, double stone = 50)
{
    std::size_t at = 0;
    for (const calc::Stretch& stretch : plan.stretches) {
        const double bottom = plan.points[stretch.from].height;
        const double top = plan.points[stretch.to].height;
        double laid = 0;
        for (std::int32_t course = 0; course < stretch.count; ++course)
            laid += stone + stretch.joint;
        EXPECT_NEAR(laid, top - bottom, 1e-9);
        const auto table = calc::BuildCourseTable(
            {*calc::ReadReal(stretch.gaugeText, format), bottom, top, plan.decimals});
        ASSERT_EQ(table.size(), std::size_t(stretch.count) + 1);
        for (std::size_t row = 1; row < table.size(); ++row)
            EXPECT_EQ(plan.courses.at(++at).height, table[row].Height);
        EXPECT_EQ(plan.courses[at].point, stretch.to);
        EXPECT_EQ(Shown(table.back().Height, plan.decimals), Shown(top, plan.decimals));
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
    } cases[] = {
        {{{"a", "0"}, {"b", "900"}, {"c", "900,0"}}, {}, PlanProblem::SamePoint, 2},
        {{{"a", "0"}, {"b", "9OO"}}, {}, PlanProblem::NotANumber, 1},
        {{{"a", "0"}, {"b", "1.000"}}, {}, PlanProblem::NotANumber, 1},
        {{{"a", "0"}, {"b", "  "}}, {}, PlanProblem::TooFewPoints, 0},
        {{{"a", "0"}, {"b", "900"}},
         {"0"},
         PlanProblem::Brick,
         0,
         calc::FitProblem::StoneNotPositive},
        {{{"a", "0"}, {"b", "30"}, {"c", "900"}},
         {},
         PlanProblem::Brick,
         1,
         calc::FitProblem::NothingFits},
        {{{"a", "0"}, {"b", "6000000"}, {"c", "12000000"}}, {}, PlanProblem::TooManyCourses, 2},
        // A gauge of 62,5 no longer moves a height of 1e20: the table cannot climb there.
        {{{"a", "1e20"}, {"b", "100000000000000100000"}}, {}, PlanProblem::NoGaugeText, 1},
    };
    for (const auto& c : cases) {
        const auto error = std::get<calc::PlanError>(Plan(c.points, c.bricks));
        EXPECT_EQ(error.problem, c.problem);
        EXPECT_EQ(error.row, c.row);
        EXPECT_EQ(error.brick ? std::optional(error.brick->problem) : std::nullopt, c.brick);
    }
    std::vector<calc::PlanPointText> many(51);
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i].height = std::to_string(i * 100);
    EXPECT_EQ(std::get<calc::PlanError>(Plan(many)).problem, PlanProblem::TooManyPoints);
    many.pop_back();
    ExpectBuilt(std::get<calc::Plan>(Plan(many)), kDutch);
}

} // namespace
