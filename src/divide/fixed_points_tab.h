#pragma once

// The "Vaste punten" tab of the Verdelen window: a storey with several fixed heights (or a
// facade with several fixed sizes) divided in one plan.
//
//   TFixedPointsTab (this file)   the points as typed and the counts typed for stretches; the
//     -> calc::MakePlan            stretches, the one-gauge line and every course, made again
//     -> PlanWording               as the user types, in the words of the mode
//     -> PlanCoursesModel          the courses, formatted only as far as they are shown
//
// Its points follow the document's two levels until the user changes them; then they are the
// document's own. Its bricks are the document's, shared with the first tab.

#include "calc/fixed_points.h"
#include "divide_commands.h"
#include "document/project_document.h"
#include "printing/print_requests.h"

#include <QWidget>

#include <memory>
#include <optional>

class PlanCoursesModel;
struct ModeWords;
class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;

class TFixedPointsTab final : public QWidget {
    Q_OBJECT

public:
    TFixedPointsTab(QWidget* parent, ProjectDocument& document, PrintRequests& printing,
                    DivideCommands commands);

    void VakOvernemenButtonClick();
    void PlanAfdrukkenButtonClick();
    void LatAfdrukkenButtonClick();

    // The plan made again with the regional separators, once they changed.
    void regionalFormatChanged() { plan(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void connectAll();
    // The points as the document has them, or its two levels while the user changed none.
    std::vector<PointTexts> points() const;
    void showPoints();
    void showPoint(int row, const PointTexts& point);
    void pointsEdited(std::optional<std::size_t> removedRow);
    void takePoints(const std::vector<PointTexts>& points);
    void countEdited(int row);
    void ruleEdited(int row, int rule);
    void showKinds(const ModeWords& words);
    QString brickText(calc::FitField field) const;
    void addPoint();
    void removePoint();
    void plan();
    void showPlan();
    QString problemText(const calc::PlanError& error) const;
    void applyMode();

    ProjectDocument& m_document;
    PrintRequests& m_printing;
    DivideCommands m_commands;
    QTableWidget* m_points = nullptr;
    QPushButton* m_addPoint = nullptr;
    QPushButton* m_removePoint = nullptr;
    QLabel* m_message = nullptr;
    QTableWidget* m_stretches = nullptr;
    QLabel* m_oneGauge = nullptr;
    QLabel* m_coursesLabel = nullptr;
    QTableView* m_courses = nullptr;
    PlanCoursesModel* m_courseRows = nullptr;
    QWidget* m_commandsPanel = nullptr;
    QPushButton* m_takeOver = nullptr;
    QPushButton* m_printPlan = nullptr;
    QPushButton* m_printRod = nullptr;
    // Shared with the course list, which shows its courses without a copy of them.
    std::shared_ptr<const calc::Plan> m_plan;
    bool m_showing = false; // the table is being filled, not edited
    bool m_editing = false; // the document takes the points typed here
};
