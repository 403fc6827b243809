#pragma once

#include "course_project.h"

#include "facade/facade_inputs.h"

// The project's facade as the calculation reads it: the Gevel window's texts with the document's
// bricks of both modes.
facade::FacadeTexts FacadeTextsOf(const CourseProject& project);
