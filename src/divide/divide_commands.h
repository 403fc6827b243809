#pragma once

#include "calc/course_table.h"

#include <functional>

// The commands the window runs: calculating the document's table, and printing a table as a
// rod.
struct DivideCommands {
    std::function<void()> calculate;
    std::function<void(const calc::CourseTable&)> printRod;
};
