#pragma once

#include "course_project.h"

#include <QObject>

// The one calculation the windows share, made once at start-up. Its writers are the main
// window's fields and commands (typing, the mode buttons, calculate, the font, opening a
// project), Verdelen's Overnemen and its brick fields; the windows and the print service observe
// it and never each other's widgets. Every change is told once, and only when something really
// changed.
class ProjectDocument final : public QObject {
    Q_OBJECT

public:
    // Verdelen's default bricks are written with the regional decimal separator.
    explicit ProjectDocument(const QString& decimalSeparator);

    const CourseProject& project() const { return m_project; }

    // A real change of a number field empties the table; the project name is not part of it.
    void setText(ProjectField field, const QString& text);
    // The mode buttons: the mode's default gauge goes into the gauge field, also when the mode
    // was on already.
    void setCourseMode(bool courseMode);
    void setBricks(bool courseMode, const BrickTexts& bricks);
    void setPoints(const std::vector<PointTexts>& points);
    // Opening a project: its points, or none (the plan follows the two levels again), and
    // whether the file's points were damaged.
    void openPoints(const std::optional<std::vector<PointTexts>>& points, bool damaged);
    // The calculate command: reads the four number texts; on success the table becomes theirs,
    // otherwise it stays as it was and the first field that cannot be read is returned.
    std::optional<calc::InputError> calculate(const calc::RegionalFormat& format);
    // The font command and opening a project.
    void setTableFont(const TableFont& font);
    // The Gevel window's typing: the facade becomes the project's own at its first change.
    void setFacade(const FacadeSettings& facade);
    // Opening a project: its facade, or none (the window's defaults), with the lines of it that
    // could not be read.
    void openFacade(const std::optional<FacadeSettings>& facade, const QStringList& unread);

signals:
    void textChanged(ProjectField field);
    void modeChanged();
    void bricksChanged();
    void pointsChanged();
    void tableChanged();
    void tableFontChanged();
    void facadeChanged();

private:
    void dropTable();

    CourseProject m_project;
};
