#include "plan_climb.h"

#include "number_reader.h"

namespace calc {
namespace {

// The table's climb cut off at course `count`: a stretch ends on its point there even when the
// table, climbing on to its top, would stop later.
template <class Visit>
void ClimbStretch(const CourseInputs& climb, std::int32_t count, Visit&& visit)
{
    ClimbCourses(climb, [&](std::int32_t number, double height) {
        visit(number, height);
        return number < count;
    });
}

} // namespace

double ClimbGauge(const Stretch& stretch, const RegionalFormat& format)
{
    if (stretch.gaugeText.empty())
        return stretch.gauge;
    return ReadReal(stretch.gaugeText, format).value_or(stretch.gauge);
}

double ExactLanding(const FitInputs& inputs, std::int32_t count, double gauge)
{
    double landing = inputs.Bottom;
    ClimbStretch({gauge, inputs.Bottom, inputs.Top, inputs.Decimals}, count,
                 [&](std::int32_t, double height) { landing = height; });
    return landing;
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
        // The climb lays at least one course: every stretch's top lies above its bottom.
        ClimbStretch(climb, stretch.count, [&](std::int32_t number, double height) {
            courses.push_back({first + number, height, std::nullopt});
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
