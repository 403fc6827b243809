#pragma once

// The facade as the [GEVEL] section of a project file keeps it: its sizes, ends, first course,
// breakage and openings, and the bricks it was planned with (both rows and the stone length),
// which opening the project puts back into the shared bricks.

#include "course_project.h"

#include "ini/project_settings.h"

#include <QStringList>

#include <array>
#include <optional>
#include <vector>

std::vector<KeyedLine> FacadeLinesOf(const FacadeSettings& facade,
                                     const std::array<BrickTexts, 2>& bricks);

struct OpenedFacade {
    FacadeSettings facade;
    // Course mode first, as the document keeps them; none where the file has no such line.
    std::array<std::optional<BrickTexts>, 2> bricks;
    // The lines that could not be read, as they stand in the file.
    QStringList unread;
};

OpenedFacade FacadeFromLines(const std::vector<KeyedLine>& lines);
