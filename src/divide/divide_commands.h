#pragma once

#include "calc/course_table.h"
#include "calc/fixed_points.h"

#include <functional>

// The commands the window runs: calculating the document's table, and printing a table as a
// rod, or a plan of fixed points as a report or a rod.
struct DivideCommands {
    std::function<void()> calculate = {};
    std::function<void(const calc::CourseTable&)> printRod = {};
    std::function<void(const calc::Plan&)> printPlan = {};
    std::function<void(const calc::Plan&)> printPlanRod = {};
};
