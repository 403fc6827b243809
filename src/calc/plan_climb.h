#pragma once

// The climbs of a plan, each done as the calculate command climbs, so that what the plan says
// of a course is what the table will show: every course stretch by stretch, and how far the
// one gauge's courses fall from the points between.

#include "plan.h"
#include "regional_format.h"

namespace calc {

// The gauge a stretch climbs with: its text read as the main window reads it.
double ClimbGauge(const Stretch& stretch, const RegionalFormat& format);

// The lines a stretch adds to the course list: one per stone, and for an opening the upper
// point a joint above its last stone; a stretch without a division, one for its upper point.
std::size_t CourseLines(const Stretch& stretch);

// Every line from the lowest point, each stretch climbing from its own lower point up to its
// count, the joint of a pier taken off each line; the last line of a stretch carries its upper
// point. The numbers run on over the stretches.
std::vector<PlanCourse> PlanCourses(const Plan& plan, const RegionalFormat& format);

// For each point between the lowest and the highest, the course line of the climb with `gauge`
// from the lowest point that lies nearest to it (midway: the lower one).
std::vector<OneGauge::Miss> OneGaugeMisses(const Plan& plan, double gauge);

} // namespace calc
