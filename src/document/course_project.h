#pragma once

// One calculation as the user has it: the texts of the main window's fields, the mode, the
// bricks of each mode (Verdelen's, kept while the program runs, never in project files), and
// the table last calculated from those texts, and the table's font (on screen, in project files
// and on every printed page). A plain value; ProjectDocument keeps it and says
// what changed.

#include "facade_settings.h"
#include "table_font.h"

#include "calc/course_table.h"
#include "ini/project_settings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

enum class ProjectField { ProjectName, Gauge, Bottom, Top, Decimals };

// Verdelen's bricks as typed: the stone, the joint aimed at, and the joints accepted.
struct BrickTexts {
    QString stone;
    QString joint;
    QString jointFrom;
    QString jointTo;

    bool operator==(const BrickTexts&) const = default;
};

// A fixed point as typed in the plan: its name, its height (or size) and a count the user
// typed for the stretch that ends at it (0: none); as the project file keeps it.
using PointTexts = FixedPointTexts;

struct CourseProject {
    std::array<QString, 5> texts; // by ProjectField
    bool courseMode = true;
    std::array<BrickTexts, 2> bricks; // course mode first
    // The plan's fixed points once the user changed them; until then the plan follows the two
    // levels.
    std::optional<std::vector<PointTexts>> points;
    // The project opened had points the program could not read.
    bool pointsDamaged = false;
    // Only while it belongs to the texts: any real change of a number field empties it.
    std::optional<calc::CourseTable> table;
    TableFont tableFont;
    // The facade once the user changed it; until then the Gevel window's defaults.
    std::optional<FacadeSettings> facade;
    // The lines of the project's facade that could not be read, until the facade is changed.
    QStringList facadeUnread;

    const QString& text(ProjectField field) const { return texts[static_cast<std::size_t>(field)]; }
    const BrickTexts& currentBricks() const { return bricks[courseMode ? 0 : 1]; }
    FacadeSettings facadeSettings() const { return facade.value_or(FacadeSettings{}); }
};
