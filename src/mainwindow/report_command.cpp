// The print commands of the main window: the table and its texts go to the results report, or
// the courses to a rod at full size.

#include "VantorForm.h"

#include "report_in_progress.h"

#include "divide/VerdeelForm.h"

#include "print/reports/results_report.h"
#include "print/reports/rod_report.h"
#include "print/windows/PrintDlg.h"

#include "calc/course_table.h"
#include "document/mode_words.h"
#include "document/shown_height.h"
#include "msg/Msg.h"

#include <QLabel>
#include <QLineEdit>

namespace {

const QString kRodCaption = QStringLiteral("Lat afdrukken");

// A height as the table of that calculation shows it.
QString ShownHeight(double height, const calc::CourseTable& table)
{
    return ::ShownHeight(height, table.inputs.Decimals, table.format);
}

RunningReport DestinationOf(const TPrintDialog1& dialog)
{
    return dialog.toScreen() ? RunningReport::ToScreen : RunningReport::ToPrinter;
}

} // namespace

void TVantorForm::AfdrukkenButtonClick()
{
    printReport();
}

void TVantorForm::printReport()
{
    printReportOf([this] { return reportTable(); });
}

// The table is made once the dialog is confirmed: at the row limit that takes a moment a
// cancelled dialog need not cost.
void TVantorForm::printReportOf(const std::function<ReportTable()>& tableNow)
{
    if (m_report != RunningReport::None || !PrintDialog1 || !ConfirmPrintDialog(*PrintDialog1))
        return;
    const ReportTable table = tableNow();
    const ReportInProgress running(m_report, DestinationOf(*PrintDialog1), heldWhilePrinting());
    PrintResultsReport(table, *PrintDialog1);
}

void TVantorForm::printRod()
{
    const std::optional<calc::CourseTable>& table = m_document.project().table;
    printRodTable(table ? rodTableOf(*table) : rodTableFrame());
}

void TVantorForm::printRodOf(const calc::CourseTable& table)
{
    printRodTable(rodTableOf(table));
}

void TVantorForm::printRodTable(const RodTable& table)
{
    if (m_report != RunningReport::None)
        return;
    if (const QString refusal = RodRefusal(table); !refusal.isEmpty()) {
        MsgWarningText(refusal, kRodCaption);
        return;
    }
    if (!PrintDialog1 || !ConfirmPrintDialog(*PrintDialog1))
        return;
    const ReportInProgress running(m_report, DestinationOf(*PrintDialog1), heldWhilePrinting());
    PrintRod(table, *PrintDialog1);
}

RodTable TVantorForm::rodTableOf(const calc::CourseTable& calculated) const
{
    const auto shown = [&calculated](double height) {
        return ShownHeight(height, calculated);
    };
    RodTable table = rodTableFrame();
    table.gauge =
        table.words.gauge + QLatin1Char(' ') + QString::fromStdString(calculated.gaugeText);
    for (const calc::CourseRow& row : calculated.rows)
        table.courses.push_back({row.Height, QString::number(row.Number), shown(row.Height)});
    table.top = RodTable::Top{calculated.inputs.Top, shown(calculated.inputs.Top)};
    return table;
}

RodTable TVantorForm::rodTableFrame() const
{
    RodTable table;
    table.words = WordsOf(m_document.project().courseMode);
    table.projectName = m_document.project().text(ProjectField::ProjectName);
    table.font = SurfaceFontOf(m_tableFont);
    return table;
}

std::vector<QWidget*> TVantorForm::heldWhilePrinting() const
{
    std::vector<QWidget*> held{m_toolBand, m_inputBand};
    if (m_divide)
        for (QWidget* panel : m_divide->commandPanels())
            held.push_back(panel);
    return held;
}

ReportTable TVantorForm::reportTableFrame() const
{
    const CourseProject& project = m_document.project();
    const ModeWords& words = WordsOf(project.courseMode);
    ReportTable table;
    table.numberHeader = words.numberHeader;
    table.valueHeader = words.valueHeader;
    table.projectName = project.text(ProjectField::ProjectName);
    table.font = SurfaceFontOf(m_tableFont);
    return table;
}

ReportTable TVantorForm::reportTable() const
{
    const CourseProject& project = m_document.project();
    ReportTable table = reportTableFrame();
    if (project.table) {
        table.rows.reserve(project.table->rows.size());
        for (const calc::CourseRow& row : project.table->rows)
            table.rows.push_back(
                {QString::number(row.Number), ShownHeight(row.Height, *project.table)});
        table.decimalSeparator = QString::fromStdString(project.table->format.decimalSeparator);
    } else {
        // The table on screen without a calculation: one empty row.
        table.rows.emplace_back();
    }
    table.gaugeLabel = WordsOf(project.courseMode).gaugeLabel;
    table.gaugeText = project.text(ProjectField::Gauge);
    return table;
}
