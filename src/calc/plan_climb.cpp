#include "plan_climb.h"

#include "number_reader.h"

namespace calc {

double ClimbGauge(const Stretch& stretch, const RegionalFormat& format)
{
    // A text FitGaugeText found always reads back; the exact gauge only keeps this total.
    return ReadReal(stretch.gaugeText, format).value_or(stretch.gauge);
}

std::vector<PlanCourse> PlanCourses(const Plan& plan, const RegionalFormat& format)
{
    std::size_t total = 1;
    for (const Stretch& stretch : plan.stretches)
        total += static_cast<std::size_t>(stretch.count);
    std::vector<PlanCourse> courses;
    courses.reserve(total);
    courses.push_back({0, plan.points.front().height, 0});
    for (const Stretch& stretch : plan.stretches) {
        const std::int32_t first = courses.back().number;
        const CourseInputs climb{ClimbGauge(stretch, format), plan.points[stretch.from].height,
                                 plan.points[stretch.to].height, plan.decimals};
        // The climb lays at least one course, as every stretch's top lies above its bottom; it
        // stops at the stretch's count even where the table, climbing on, would stop later.
        ClimbCourses(climb, [&](std::int32_t number, double height) {
            courses.push_back({first + number, height, std::nullopt});
            return number < stretch.count;
        });
        courses.back().point = stretch.to;
    }
    return courses;
}

std::vector<OneGauge::Miss> OneGaugeMisses(const Plan& plan, double gauge)
{
    const std::vector<PlanPoint>& points = plan.points;
    std::vector<OneGauge::Miss> misses;
    const std::size_t highest = points.size() - 1;
    std::size_t next = 1;
    OneGauge::Miss below{0, 0, points.front().height, 0};
    ClimbCourses({gauge, points.front().height, points.back().height, plan.decimals},
                 [&](std::int32_t number, double height) {
                     for (; next < highest && height >= points[next].height; ++next) {
                         const double point = points[next].height;
                         const bool lower = point - below.height <= height - point;
                         const std::int32_t course = lower ? below.course : number;
                         const double at = lower ? below.height : height;
                         misses.push_back({next, course, at, at - point});
                     }
                     below = {0, number, height, 0};
                     return next < highest;
                 });
    return misses;
}

} // namespace calc
