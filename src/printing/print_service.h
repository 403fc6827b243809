#pragma once

#include "print_requests.h"

class ProjectDocument;
struct RodTable;

// Prints on the print dialog of the run (`PrintDialog1`), once the user confirms it.
class PrintService final : public PrintRequests {
    Q_OBJECT

public:
    explicit PrintService(const ProjectDocument& document, QObject* parent = nullptr);

    void printReport(const std::optional<calc::CourseTable>& table) override;
    void printRod(const std::optional<calc::CourseTable>& table) override;
    void printPlan(const calc::Plan& plan) override;
    void printPlanRod(const calc::Plan& plan) override;
    void printFacade(const FacadePrint& facade) override;

    RunningReport running() const override { return m_running; }

private:
    class Running;

    // No print runs, and the user confirmed the dialog.
    bool confirmed();
    void printRodTable(const RodTable& table);

    const ProjectDocument& m_document;
    RunningReport m_running = RunningReport::None;
};
