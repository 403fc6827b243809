// The plan of fixed points on any texts: it must neither crash nor hang, and what it lays out
// must hold together with the table's own climb and formatting.
// Input: a byte for the separators, a byte for the number of points (up to 60), then per point
// a byte for the typed count and the kind of the stretch below it, and its height; then stone,
// joint, lower limit, upper limit and decimals; every text ended by a line feed.

#include "calc/fixed_points.h"
#include "calc/format_height.h"
#include "calc/shown_value.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace {

void CheckPlan(const calc::Plan& plan, const std::string& context)
{
    fuzz::Check(plan.points.size() >= 2 && plan.points.size() <= calc::kMaxPlanPoints &&
                    plan.stretches.size() + 1 == plan.points.size(),
                "points and stretches do not match, " + context);
    for (std::size_t i = 0; i < plan.stretches.size(); ++i) {
        const calc::Stretch& stretch = plan.stretches[i];
        fuzz::Check(stretch.from == i && stretch.to == i + 1 &&
                        plan.points[i].height < plan.points[i + 1].height,
                    "a stretch that is not between consecutive ascending points, " + context);
        fuzz::Check(stretch.fault || (stretch.count >= 1 && stretch.count <= calc::kMaxFitCount &&
                                      stretch.joint > 0),
                    "a count out of range, " + context);
    }
    fuzz::Check(!plan.courses.empty() && plan.courses.size() <= calc::kMaxCourseRows &&
                    plan.courses.front().point == 0 && plan.courses.back().point &&
                    *plan.courses.back().point + 1 == plan.points.size(),
                "the courses do not run from the lowest point to the highest, " + context);
    // The messages are made only for a finding: a plan has up to the row limit of courses.
    std::int32_t number = 0;
    for (std::size_t i = 1; i < plan.courses.size(); ++i) {
        const calc::PlanCourse& course = plan.courses[i];
        if (course.number && *course.number != ++number)
            fuzz::Fail("numbers that do not run on at " + std::to_string(i) + ", " + context);
        // Within a stretch the lines climb; each stretch starts again from its own point. An
        // opening's upper point lies a joint above its last stone, and that joint may be smaller
        // than what the decimals show: as shown, it is not below.
        const calc::PlanCourse& before = plan.courses[i - 1];
        const bool climbs = course.number
                                ? course.height > before.height
                                : calc::Compare(calc::Shown(course.height, plan.decimals),
                                                calc::Shown(before.height, plan.decimals)) >= 0;
        if (!before.point && !climbs)
            fuzz::Fail("lines that do not climb at " + std::to_string(i) + ", " + context);
        if (!course.point)
            continue;
        const calc::Stretch& stretch = plan.stretches.at(*course.point - 1);
        if (course.fault != (stretch.fault ? std::optional(*course.point - 1) : std::nullopt) ||
            (!stretch.fault && !stretch.onTarget))
            continue;
        const std::string shown = calc::FormatHeight(course.height, plan.decimals, {".", ""});
        if (shown !=
            calc::FormatHeight(plan.points[*course.point].height, plan.decimals, {".", ""}))
            fuzz::Fail("a line on target that does not show its point: " + shown + ", " + context);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader input(data, size);
    const std::uint8_t separators = input.Byte();
    const std::size_t count = input.Byte() % 61;
    const calc::RegionalFormat format =
        separators % 2 == 0 ? calc::RegionalFormat{",", "."} : calc::RegionalFormat{".", ","};

    const std::string_view rest = input.Rest();
    fuzz::Lines lines(rest);
    std::vector<calc::PlanPointText> points(count);
    for (calc::PlanPointText& point : points) {
        const std::string_view line = lines.Next();
        // The first byte a typed count (mostly none, now and then a small or an extreme one)
        // and the kind of the stretch below.
        const std::uint8_t typed = line.empty() ? 0 : static_cast<std::uint8_t>(line[0]);
        point.typedCount = typed < 0xe0 ? 0 : (typed == 0xff ? calc::kMaxFitCount : typed - 0xdf);
        point.rule = static_cast<calc::FitRule>(typed % 3);
        point.height = std::string(line.substr(line.empty() ? 0 : 1));
    }
    const std::string_view stone = lines.Next(), joint = lines.Next(), from = lines.Next(),
                           to = lines.Next(), decimals = lines.Next();
    const std::string context =
        "separators " + std::to_string(separators % 2) + ", texts " + fuzz::Escaped(rest);

    const auto plan = calc::MakePlan({points, stone, joint, from, to, decimals}, format);
    if (const auto* made = std::get_if<calc::Plan>(&plan))
        CheckPlan(*made, context);
    return 0;
}
