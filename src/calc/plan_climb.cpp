#include "plan_climb.h"

#include "number_reader.h"

#include <limits>

namespace calc {

double ClimbGauge(const Stretch& stretch, const RegionalFormat& format)
{
    // A text FitGaugeText found always reads back; the exact gauge only keeps this total.
    return ReadReal(stretch.gaugeText, format).value_or(stretch.gauge);
}

std::size_t CourseLines(const Stretch& stretch)
{
    if (stretch.fault)
        return 1;
    return static_cast<std::size_t>(stretch.count) + (stretch.rule == FitRule::PlusJoint ? 1 : 0);
}

std::vector<PlanCourse> PlanCourses(const Plan& plan, const RegionalFormat& format)
{
    std::size_t total = 1;
    for (const Stretch& stretch : plan.stretches)
        total += CourseLines(stretch);
    std::vector<PlanCourse> courses;
    courses.reserve(total);
    courses.push_back({0, plan.points.front().height, 0, std::nullopt});
    std::int32_t number = 0;
    for (std::size_t index = 0; index < plan.stretches.size(); ++index) {
        const Stretch& stretch = plan.stretches[index];
        const double top = plan.points[stretch.to].height;
        if (stretch.fault) {
            courses.push_back({std::nullopt, top, stretch.to, index});
            continue;
        }
        const double gauge = ClimbGauge(stretch, format);
        // A pier's stone ends a joint short of the course line; an opening's on it, its upper
        // point a joint further.
        const double shift =
            stretch.rule == FitRule::LessJoint ? plan.bricks.Brick.Stone - gauge : 0;
        const std::int32_t first = number;
        // The climb stops at the stretch's count, wherever the table, climbing on, would stop.
        const CourseInputs climb{gauge, plan.points[stretch.from].height,
                                 std::numeric_limits<double>::infinity(), plan.decimals};
        ClimbCourses(climb, [&](std::int32_t course, double height) {
            courses.push_back({first + course, height + shift, std::nullopt, std::nullopt});
            return course < stretch.count;
        });
        number = first + stretch.count;
        if (stretch.rule == FitRule::PlusJoint)
            courses.push_back({std::nullopt, top, stretch.to, std::nullopt});
        else
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
