#include "print/reports/results_report.h"

#include "print/engine/MyPrint.h"
#include "print/engine/document_title.h"
#include "print/reports/report_start.h"
#include "print/windows/PrintDlg.h"
#include "print/windows/page_progress.h"

#include "msg/Msg.h"
#include "platform/toolkit/busy_cursor.h"
#include "platform/toolkit/modal_runner.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <optional>

namespace {

constexpr int kGroups = 4;
constexpr qint64 kEventIntervalMs = 10;

// Millimetre positions of the number (left-aligned) and the value (on its decimal separator) of
// each column group; -1 is the left text edge.
struct ColumnGroup {
    int number;
    int value;
};
constexpr ColumnGroup kColumnGroups[kGroups] = {{-1, 35}, {50, 80}, {90, 125}, {140, 175}};
// Where a point's name after a height must end: before the next group, or at the right edge.
constexpr int kPointEnds[kGroups] = {48, 88, 138, -1};

// The stretches of a plan: names and kind cut before the next column, the count right-aligned,
// gauge and joint on their separators, the remark up to the right edge.
constexpr int kFromEnd = 30;
constexpr int kTo = 32;
constexpr int kToEnd = 60;
constexpr int kKind = 62;
constexpr int kKindEnd = 83;
constexpr int kCount = 95;
constexpr int kGauge = 118;
constexpr int kJoint = 139;
constexpr int kRemark = 147;
constexpr int kIndent = 10;

// Trims blanks and control characters from both ends.
QString trimmed(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= ' ')
        ++first;
    while (last > first && text.at(last - 1).unicode() <= ' ')
        --last;
    return text.mid(first, last - first);
}

class Report {
public:
    Report(const ReportTable& table, TMyPrinter& engine)
        : m_table(table)
        , m_engine(engine)
    {
        m_sinceEvents.start();
    }

    void printTitleLine()
    {
        for (const ColumnGroup& group : kColumnGroups) {
            m_engine.PrintText(TMyPrinter::Alignment::Left, group.number, m_table.numberHeader);
            m_engine.PrintText(TMyPrinter::Alignment::DecimalComma, group.value,
                               m_table.valueHeader);
        }
        m_engine.NewLine();
    }

    void printSummary(const PlanSummary& plan)
    {
        printStretch(plan.stretchHeaders);
        for (const QStringList& stretch : plan.stretches)
            printStretch(stretch);
        m_engine.NewLine();
        for (qsizetype line = 0; line < plan.oneGauge.size(); ++line) {
            m_engine.PrintCutText(line == 0 ? -1 : kIndent, -1, plan.oneGauge[line]);
            m_engine.NewLine();
        }
        if (!plan.oneGauge.isEmpty())
            m_engine.NewLine();
    }

    // Page p (from 1) has L lines; on its line i (from 1), group g (from 1) shows row
    // (p - 1) * 4L + (g - 1) * L + i. The last page is filled down its first group first: it has
    // as many lines as rows are left for group 1, and a group whose row lies beyond the table
    // stays empty on that line. The first page may have fewer lines (`firstLines`) than the
    // others (`laterLines`): the rows below a plan.
    // `pageDone` hears of every finished page, with the count of all; false stops the report.
    // Returns false when it was stopped.
    bool fillPages(int firstLines, int laterLines,
                   const std::function<bool(int done, int total)>& pageDone)
    {
        const int rowCount = static_cast<int>(m_table.rows.size());
        const int firstRows = kGroups * firstLines;
        // The pages of a plan's summary before them count too.
        int page = m_engine.PageNumber;
        const int pages =
            page + (rowCount <= firstRows ? 0
                                          : (rowCount - firstRows + kGroups * laterLines - 1) /
                                                (kGroups * laterLines));
        int L = firstLines;
        for (int pageStart = 1; pageStart <= rowCount; pageStart += kGroups * L) {
            if (pageStart > 1) {
                L = laterLines;
                if (pageDone && !pageDone(page++, pages))
                    return false;
                m_engine.NewPage();
                printTitleLine();
            }
            const int lines = std::min(L, rowCount - pageStart + 1);
            for (int line = 0; line < lines; ++line) {
                letEventsThrough();
                for (int group = 0; group < kGroups; ++group) {
                    const int row = pageStart + group * L + line;
                    if (row <= rowCount)
                        printRow(row, group);
                }
                m_engine.NewLine();
            }
        }
        return !pageDone || pageDone(pages, pages);
    }

private:
    // Keeps the windows painted during a long job; the main window takes no commands meanwhile.
    // Every few milliseconds rather than after each of the longest report's 25,000 lines: no
    // window repaints that often anyway.
    void letEventsThrough()
    {
        if (m_sinceEvents.hasExpired(kEventIntervalMs)) {
            QCoreApplication::processEvents();
            m_sinceEvents.restart();
        }
    }

    void printRow(int row, int group)
    {
        const ReportTable::Row& cells = m_table.rows[static_cast<std::size_t>(row - 1)];
        const ColumnGroup& column = kColumnGroups[group];
        m_engine.PrintText(TMyPrinter::Alignment::Left, column.number, cells.number);
        m_engine.PrintText(TMyPrinter::Alignment::DecimalComma, column.value, trimmed(cells.value));
        if (!cells.point.isEmpty())
            m_engine.PrintCutTextAfter(kPointEnds[group], cells.point);
    }

    void printStretch(const QStringList& cells)
    {
        using Alignment = TMyPrinter::Alignment;
        m_engine.PrintCutText(-1, kFromEnd, cells.value(0));
        m_engine.PrintCutText(kTo, kToEnd, cells.value(1));
        m_engine.PrintCutText(kKind, kKindEnd, cells.value(2));
        m_engine.PrintText(Alignment::Right, kCount, cells.value(3));
        m_engine.PrintText(Alignment::DecimalComma, kGauge, cells.value(4));
        m_engine.PrintText(Alignment::DecimalComma, kJoint, cells.value(5));
        m_engine.PrintCutText(kRemark, -1, cells.value(6));
        m_engine.NewLine();
    }

    const ReportTable& m_table;
    TMyPrinter& m_engine;
    QElapsedTimer m_sinceEvents;
};

} // namespace

bool ConfirmPrintDialog(TPrintDialog1& dialog)
{
    return platform::RunModal(dialog) == QDialog::Accepted;
}

void PrintResultsReport(const ReportTable& table, const TPrintDialog1& dialog,
                        std::chrono::milliseconds progressAfter)
{
    const platform::BusyCursor busy;
    TMyPrinter engine;
    DirectReport(engine, dialog);

    engine.SetHeaderFont(table.font);
    engine.SetTitleFont(table.font);
    engine.SetTextFont(table.font);
    engine.SelectFont(TMyPrinter::FontSelector::Text);
    // Heights line up on the separator they were written with, even when the regional setting
    // changed since they were calculated.
    if (!table.decimalSeparator.isEmpty())
        engine.DecimalSeparator = table.decimalSeparator;
    engine.SetComputerPaper(dialog.computerPaper());
    engine.SetLineSpacing(4);
    engine.SetHeaderText(1, table.plan ? table.projectName + QStringLiteral(" Vaste punten")
                                       : table.projectName + QLatin1Char(' ') + table.gaugeLabel +
                                             QLatin1Char(' ') + table.gaugeText);
    engine.SetHeaderText(2, QString());
    engine.SetHeaderText(3, QStringLiteral("Pagina:"));
    engine.SetHeaderLine(true);
    engine.SetFooterLine(false);
    engine.SetPageNumbers(true);

    if (!BeginReport(engine))
        return;
    Report report(table, engine);
    // A later page holds the title line and as many lines as fit under it.
    const int laterLines = (engine.BodyBottom - engine.CursorY) / engine.LineHeight() - 1;
    if (table.plan) {
        report.printSummary(*table.plan);
        // No title line alone at the foot of a page.
        if (engine.LinesLeft() < 2 && laterLines >= 1)
            engine.NewPage();
    }
    report.printTitleLine();
    const int linesPerColumn = engine.LinesLeft();
    if (linesPerColumn < 1) {
        // Not one table line fits under the title line: end with that page instead of a page
        // per row, and say why.
        engine.EndDocument();
        MsgWarningText(QStringLiteral("Het lettertype van de tabel is te groot: er past geen "
                                      "tabelregel op een pagina."),
                       DocumentTitle());
        return;
    }
    std::optional<PageProgress> progress;
    if (!dialog.toScreen())
        progress.emplace(MsgOwnerHandle(), progressAfter, QStringLiteral("Afdrukken"),
                         QStringLiteral("Pagina %1 van %2 naar de printer"));
    const auto pageDone = [&progress](int done, int total) {
        return progress->pageDone(done, total);
    };
    // Stopped before the job is handed over: the engine takes the job with it, unsent.
    if (!report.fillPages(linesPerColumn, table.plan ? laterLines : linesPerColumn,
                          progress ? std::function<bool(int, int)>(pageDone) : nullptr))
        return;
    // Gone before the job is handed over, so that the main window below it can be closed then.
    progress.reset();
    engine.EndDocument();
}
