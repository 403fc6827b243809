// The plan of fixed points at the row limit: 50 points whose stretches hold 99 999 courses, so
// that the plan lays as many rows as the calculate command's largest table. Its reference is
// that table built and formatted (BuildAndFormat/row_limit in bench_calculate.cpp).

#include "bench_support.h"
#include "cases.h"

#include "calc/fixed_points.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <variant>

namespace bench {
namespace {

// Stretches of about 2 040 courses that do not divide evenly, so that every gauge text is
// searched for; the highest point is set so that the courses come to the row limit.
std::vector<calc::PlanPointText> RowLimitPoints()
{
    std::vector<calc::PlanPointText> points;
    const int count = static_cast<int>(calc::kMaxPlanPoints);
    for (int i = 0; i < count; ++i) {
        const int height = i * 127'551 + i * 37 % 50 - (i + 1 == count ? 600 : 0);
        points.push_back({"punt " + std::to_string(i), std::to_string(height), 0});
    }
    return points;
}

void makePlan()
{
    static const calc::RegionalFormat format = DutchFormat();
    static const std::vector<calc::PlanPointText> points = RowLimitPoints();
    const auto plan = calc::MakePlan({points, "50", "12,5", "10", "15", kDecimals}, format);
    const auto* made = std::get_if<calc::Plan>(&plan);
    if (!made || made->courses.size() != static_cast<std::size_t>(calc::kMaxCourseRows))
        throw std::logic_error("the plan does not come to the row limit");
    benchmark::DoNotOptimize(made->courses.data());
}

const Register plan({"FixedPoints/row_limit", [] { return 1.0; }, {}, makePlan});

} // namespace
} // namespace bench
