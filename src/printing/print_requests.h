#pragma once

#include "calc/course_table.h"
#include "calc/plan.h"

#include <QObject>

#include <optional>

struct FacadePrint;

// Where the running print's pages go. Closing the main window loses a printer's pages, so it
// asks first; a preview is only for looking, so it does not.
enum class RunningReport { None, ToScreen, ToPrinter };

// What a window asks to print: one call per thing that prints, with the value it prints; the
// project's name, mode and table font come from the document. One print runs at a time: while
// it runs, pending events are processed once per line, so the windows keep painting but hold
// their commands (on `runningChanged`), and a new table cannot replace the one being printed.
class PrintRequests : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The table as the results report; without a calculation, the report's frame with one
    // empty row.
    virtual void printReport(const std::optional<calc::CourseTable>& table) = 0;
    // The table as a rod at full size; without a calculation a box says there is none.
    virtual void printRod(const std::optional<calc::CourseTable>& table) = 0;
    // A plan of fixed points as the report, its stretches first and the point names beside
    // their courses, and as a rod with the names at their lines.
    virtual void printPlan(const calc::Plan& plan) = 0;
    virtual void printPlanRod(const calc::Plan& plan) = 0;
    // A facade drawn to scale on a sheet at actual size, then its plans and count.
    virtual void printFacade(const FacadePrint& facade) = 0;

    virtual RunningReport running() const = 0;

signals:
    void runningChanged(bool running);
};
