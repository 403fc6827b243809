#include "print_service.h"

#include "printed_tables.h"

#include "document/project_document.h"
#include "msg/Msg.h"
#include "platform/toolkit/regional_settings.h"
#include "print/windows/PrintDlg.h"

// Marks the print running, with where its pages go, for as long as it draws; the windows hold
// their commands meanwhile.
class PrintService::Running {
public:
    explicit Running(PrintService& service)
        : m_service(service)
    {
        m_service.m_running =
            PrintDialog1->toScreen() ? RunningReport::ToScreen : RunningReport::ToPrinter;
        emit m_service.runningChanged(true);
    }
    ~Running()
    {
        emit m_service.runningChanged(false);
        m_service.m_running = RunningReport::None;
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

private:
    PrintService& m_service;
};

PrintService::PrintService(const ProjectDocument& document, QObject* parent)
    : PrintRequests(parent)
    , m_document(document)
{
}

bool PrintService::confirmed()
{
    return m_running == RunningReport::None && PrintDialog1 && ConfirmPrintDialog(*PrintDialog1);
}

// The report's rows are made once the dialog is confirmed: at the row limit that takes a moment
// a cancelled dialog need not cost.
void PrintService::printReport(const std::optional<calc::CourseTable>& table)
{
    if (!confirmed())
        return;
    const ReportTable report = ReportTableOf(table, m_document.project());
    const Running running(*this);
    PrintResultsReport(report, *PrintDialog1);
}

void PrintService::printPlan(const calc::Plan& plan)
{
    if (!confirmed())
        return;
    const ReportTable report =
        PlanReportTable(plan, m_document.project(), platform::CurrentRegionalFormat());
    const Running running(*this);
    PrintResultsReport(report, *PrintDialog1);
}

void PrintService::printFacade(const FacadePrint& facade)
{
    if (!confirmed())
        return;
    const FacadeSheet sheet =
        FacadeSheetOf(facade, m_document.project(), platform::CurrentRegionalFormat());
    const Running running(*this);
    PrintFacade(sheet, *PrintDialog1);
}

void PrintService::printRod(const std::optional<calc::CourseTable>& table)
{
    printRodTable(RodTableOf(table, m_document.project()));
}

void PrintService::printPlanRod(const calc::Plan& plan)
{
    printRodTable(PlanRodTable(plan, m_document.project(), platform::CurrentRegionalFormat()));
}

// A rod that cannot be printed is refused before the dialog shows.
void PrintService::printRodTable(const RodTable& table)
{
    if (m_running != RunningReport::None)
        return;
    if (const QString refusal = RodRefusal(table); !refusal.isEmpty()) {
        MsgWarningText(refusal, QStringLiteral("Lat afdrukken"));
        return;
    }
    if (!confirmed())
        return;
    const Running running(*this);
    PrintRod(table, *PrintDialog1);
}
