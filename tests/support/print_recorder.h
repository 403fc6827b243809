#pragma once

#include "printing/print_requests.h"

#include <vector>

// The print service of a window tested alone: it keeps the rods it was asked to print.
class PrintRecorder final : public PrintRequests {
public:
    void printReport(const std::optional<calc::CourseTable>&) override {}
    void printRod(const std::optional<calc::CourseTable>& table) override
    {
        if (table)
            rods.push_back(*table);
    }
    void printPlan(const calc::Plan&) override {}
    void printPlanRod(const calc::Plan&) override {}
    void printFacade(const FacadePrint&) override {}
    RunningReport running() const override { return RunningReport::None; }

    std::vector<calc::CourseTable> rods;
};
