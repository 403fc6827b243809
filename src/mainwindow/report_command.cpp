// The print commands of the main window: the table and its texts go to the results report, or
// the courses to a rod at full size.

#include "VantorForm.h"

#include "course_grid.h"

#include "report_in_progress.h"

#include "divide/VerdeelForm.h"

#include "print/windows/PrintDlg.h"
#include "print/reports/results_report.h"
#include "print/reports/rod_report.h"

#include "calc/course_table.h"
#include "calc/format_height.h"
#include "msg/Msg.h"
#include "platform/toolkit/regional_settings.h"

#include <QLabel>
#include <QLineEdit>

namespace {

const QString kRodCaption = QStringLiteral("Lat afdrukken");

platform::SurfaceFont surfaceFontOf(const TableFont& table)
{
    platform::SurfaceFont font;
    font.name = table.font.family();
    font.pointSize = PointSizeOf(table.font);
    font.bold = table.font.bold();
    font.italic = table.font.italic();
    font.underline = table.font.underline();
    font.strikeOut = table.font.strikeOut();
    font.color = table.color;
    return font;
}

} // namespace

void TVantorForm::AfdrukkenButtonClick()
{
    printReport();
}

void TVantorForm::printReport()
{
    if (m_reportRunning || !PrintDialog1 || !ConfirmPrintDialog(*PrintDialog1))
        return;
    const ReportTable table = reportTable();
    const ReportInProgress running(m_reportRunning, heldWhilePrinting());
    PrintResultsReport(table, *PrintDialog1);
}

void TVantorForm::printRod()
{
    printRodTable(rodTable());
}

void TVantorForm::printRodOf(const RodSource& source)
{
    const calc::RegionalFormat& format = platform::CurrentRegionalFormat();
    const auto parsed =
        calc::ParseCourseInputs({source.gauge.toStdString(), source.bottom.toStdString(),
                                 source.top.toStdString(), source.decimals.toStdString()},
                                format);
    if (const auto* error = std::get_if<calc::InputError>(&parsed)) {
        MsgWarningText(QString::fromStdString(error->message), kRodCaption);
        return;
    }
    const auto& inputs = std::get<calc::CourseInputs>(parsed);
    const auto shown = [&](double height) {
        return QString::fromStdString(calc::FormatHeight(height, inputs.Decimals, format));
    };
    RodTable table = rodTableFrame(source.gauge);
    for (const calc::CourseRow& row : calc::BuildCourseTable(inputs))
        table.courses.push_back({row.Height, QString::number(row.Number), shown(row.Height)});
    table.top = RodTable::Top{inputs.Top, shown(inputs.Top)};
    printRodTable(table);
}

void TVantorForm::printRodTable(const RodTable& table)
{
    if (m_reportRunning)
        return;
    if (const QString refusal = RodRefusal(table); !refusal.isEmpty()) {
        MsgWarningText(refusal, kRodCaption);
        return;
    }
    if (!PrintDialog1 || !ConfirmPrintDialog(*PrintDialog1))
        return;
    const ReportInProgress running(m_reportRunning, heldWhilePrinting());
    PrintRod(table, *PrintDialog1);
}

RodTable TVantorForm::rodTable() const
{
    const CourseTableModel& grid = m_grid->table();
    RodTable table = rodTableFrame(m_inputs.VantorbelEdit->text());
    const std::vector<calc::CourseRow>& courses = grid.courseRows();
    for (std::size_t row = 0; row < courses.size(); ++row) {
        const int gridRow = static_cast<int>(row) + 1;
        table.courses.push_back(
            {courses[row].Height, grid.cell(0, gridRow), grid.cell(1, gridRow)});
    }
    // A table on screen always belongs to the texts on screen, so they give its top again.
    const auto parsed = calc::ParseCourseInputs({m_inputs.VantorbelEdit->text().toStdString(),
                                                 m_inputs.OnderhoogteEdit->text().toStdString(),
                                                 m_inputs.BovenhoogteEdit->text().toStdString(),
                                                 m_inputs.DecimalenEdit->text().toStdString()},
                                                platform::CurrentRegionalFormat());
    if (const auto* inputs = std::get_if<calc::CourseInputs>(&parsed); inputs && !courses.empty())
        table.top =
            RodTable::Top{inputs->Top, QString::fromStdString(calc::FormatHeight(
                                           inputs->Top, inputs->Decimals, grid.courseFormat()))};
    return table;
}

RodTable TVantorForm::rodTableFrame(const QString& gaugeText) const
{
    RodTable table;
    table.courseMode = courseMode();
    table.gaugeText = gaugeText;
    table.projectName = m_inputs.ProjectNaamEdit->text();
    table.valueHeader = m_grid->table().cell(1, 0);
    table.font = surfaceFontOf(m_tableFont);
    return table;
}

std::vector<QWidget*> TVantorForm::heldWhilePrinting() const
{
    std::vector<QWidget*> held{m_toolBand, m_inputBand};
    if (m_divide)
        held.push_back(m_divide->commandsPanel());
    return held;
}

ReportTable TVantorForm::reportTable() const
{
    const CourseTableModel& grid = m_grid->table();
    ReportTable table;
    table.numberHeader = grid.cell(0, 0);
    table.valueHeader = grid.cell(1, 0);
    table.rows.reserve(static_cast<std::size_t>(grid.gridRowCount() - 1));
    for (int row = 1; row < grid.gridRowCount(); ++row)
        table.rows.push_back({grid.cell(0, row), grid.cell(1, row)});
    if (!grid.courseRows().empty())
        table.decimalSeparator = QString::fromStdString(grid.courseFormat().decimalSeparator);
    table.projectName = m_inputs.ProjectNaamEdit->text();
    table.gaugeLabel = m_labels.VanTorbelLabel->text();
    table.gaugeText = m_inputs.VantorbelEdit->text();
    table.font = surfaceFontOf(m_tableFont);
    return table;
}
