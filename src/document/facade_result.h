#pragma once

#include "course_project.h"

#include "facade/facade_drawing.h"

#include <QString>

#include <memory>
#include <optional>
#include <variant>

// A facade set out: what was read, both plans, every stone laid and the drawing of it.
struct FacadeResult {
    facade::FacadeInputs inputs;
    facade::FacadePlans plans;
    facade::LaidFacade laid;
    facade::FacadeDrawing drawing;
};

// A facade to print: at 1:scale, or with none at the largest scale that fits the paper.
struct FacadePrint {
    std::shared_ptr<const FacadeResult> facade;
    std::optional<int> scale;
};

// The project's facade set out, or why it cannot be, in one Dutch line.
std::variant<std::shared_ptr<const FacadeResult>, QString>
SetOutFacade(const CourseProject& project, const calc::RegionalFormat& format);
