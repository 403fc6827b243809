#pragma once

// The "Vaste punten" tab of the Verdelen window: a storey with several fixed heights (or a
// facade with several fixed sizes) divided in one plan.
//
//   TFixedPointsTab (this file)   the points as typed; the stretches, the one-gauge line and
//     -> calc::MakePlan            every course, made again as the user types
//
// Its points follow the document's two levels until the user changes them; then they are the
// document's own. Its bricks are the document's, shared with the first tab.

#include "calc/fixed_points.h"
#include "divide_commands.h"
#include "document/project_document.h"

#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;

class TFixedPointsTab final : public QWidget {
    Q_OBJECT

public:
    TFixedPointsTab(QWidget* parent, ProjectDocument& document, DivideCommands commands);

    void VakOvernemenButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void connectAll();
    // The points as the document has them, or its two levels while the user changed none.
    std::vector<PointTexts> points() const;
    void showPoints();
    void pointsEdited();
    void addPoint();
    void removePoint();
    void plan();
    void showPlan(const calc::Plan& plan);
    void showStretches(const calc::Plan& plan);
    QString oneGaugeText(const calc::Plan& plan) const;
    QString problemText(const calc::PlanError& error) const;
    QString pointName(const calc::Plan& plan, std::size_t point) const;
    QString height(double value) const;
    void applyMode();

    ProjectDocument& m_document;
    DivideCommands m_commands;
    QTableWidget* m_points = nullptr;
    QPushButton* m_addPoint = nullptr;
    QPushButton* m_removePoint = nullptr;
    QLabel* m_message = nullptr;
    QTableWidget* m_stretches = nullptr;
    QLabel* m_oneGauge = nullptr;
    QTableWidget* m_courses = nullptr;
    QPushButton* m_takeOver = nullptr;
    std::optional<calc::Plan> m_plan;
    bool m_showing = false; // the table is being filled, not edited
    bool m_editing = false; // the document takes the points typed here
};
