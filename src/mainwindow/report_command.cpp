// The print command of the main window: the table and its texts go to the results report.

#include "VantorForm.h"

#include "course_grid.h"

#include "divide/VerdeelForm.h"

#include "print/PrintDlg.h"
#include "print/results_report.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

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

// While a report runs, pending events are processed once per line: the window keeps painting,
// but takes no command and no typing until the report is done.
class ReportInProgress {
public:
    ReportInProgress(bool& running, std::initializer_list<QWidget*> held)
        : m_running(running)
    {
        m_running = true;
        for (QWidget* widget : held)
            if (widget) {
                widget->setEnabled(false);
                m_held.push_back(widget);
            }
    }
    ~ReportInProgress()
    {
        for (QWidget* widget : m_held)
            widget->setEnabled(true);
        m_running = false;
    }
    ReportInProgress(const ReportInProgress&) = delete;
    ReportInProgress& operator=(const ReportInProgress&) = delete;

private:
    bool& m_running;
    std::vector<QWidget*> m_held;
};

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
    const ReportInProgress running(
        m_reportRunning,
        {m_toolBand, m_inputBand, m_divide ? m_divide->takeOverButton() : nullptr});
    PrintResultsReport(table, *PrintDialog1);
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
    table.projectName = m_inputs.ProjectNaamEdit->text();
    table.gaugeLabel = m_labels.VanTorbelLabel->text();
    table.gaugeText = m_inputs.VantorbelEdit->text();
    table.font = surfaceFontOf(m_tableFont);
    return table;
}

void TVantorForm::closeEvent(QCloseEvent* event)
{
    // The running report still draws from this window's table.
    if (m_reportRunning)
        event->ignore();
    else
        QWidget::closeEvent(event);
}
