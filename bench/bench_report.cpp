// The results report of the row-limit table into preview pages, per page: the report itself,
// and the user's whole wait from the print dialog's OK to the preview's first page; against
// measuring the same texts at the printer's resolution and recording the same texts, lines and
// band rectangles at the same places into a QPicture, Qt's own vector recorder.

#include "bench_support.h"
#include "cases.h"

#include "calc/course_table.h"
#include "mainwindow/VantorForm.h"
#include "mainwindow/course_grid.h"
#include "print/reports/results_report.h"
#include "print/windows/MyPForm.h"
#include "print/windows/PrintDlg.h"
#include "printing/printed_tables.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPicture>

#include <benchmark/benchmark.h>

#include <optional>
#include <variant>

namespace bench {
namespace {

int lastPages = 0;

void ensureTable()
{
    MainWindow& window = shared().window;
    if (window.form->resultGrid().table().gridRowCount() != calc::kMaxCourseRows + 1)
        window.calculate();
}

void countPages(TPreviewPrintForm1& preview)
{
    lastPages = static_cast<int>(preview.PageList.size());
}

// The print command as the user gives it: the dialog confirmed with "Scherm", the table read
// from the window, the report with its events processed per line, the preview's first page.
void printToPreview()
{
    Shared& s = shared();
    s.onPreview = countPages;
    s.window.form->AfdrukkenButtonClick();
    s.onPreview = nullptr;
}

// The report alone, from the table as the print command hands it over.
const ReportTable& rowLimitTable()
{
    static const ReportTable table = [] {
        ensureTable();
        const CourseProject& project = shared().window.parts->document.project();
        return ReportTableOf(project.table, project);
    }();
    return table;
}

void reportIntoPages()
{
    Shared& s = shared();
    s.onPreview = countPages;
    PrintResultsReport(rowLimitTable(), *s.window.dialog);
    s.onPreview = nullptr;
}

// One page's drawing in Qt's own types, made once, outside the measured time.
struct QtPage {
    struct Text {
        int font;
        QPointF baseline;
        QString text;
    };
    struct Pen {
        QPen pen;
    };
    struct Brush {
        QBrush brush;
    };
    using Step = std::variant<Text, Pen, Brush, QLineF, QRectF>;
    std::vector<QFont> fonts;
    std::vector<Step> steps;
};

QtPage qtPageOf(const platform::PageImage& page)
{
    QtPage made;
    for (const platform::PageImage::Operation& operation : page.operations()) {
        if (const auto* select = std::get_if<platform::PageImage::SelectFont>(&operation)) {
            QFont font(select->name);
            font.setPointSizeF(select->emPixels * 72.0 / page.resolutionY());
            font.setBold(select->bold);
            made.fonts.push_back(font);
        } else if (const auto* pen = std::get_if<platform::PageImage::SelectPen>(&operation)) {
            made.steps.push_back(QtPage::Pen{QPen(pen->pen.color, pen->pen.width)});
        } else if (const auto* brush = std::get_if<platform::PageImage::SelectBrush>(&operation)) {
            made.steps.push_back(QtPage::Brush{brush->brush.solid ? QBrush(brush->brush.color)
                                                                  : QBrush(Qt::NoBrush)});
        } else if (const auto* text = std::get_if<platform::PageImage::Text>(&operation)) {
            made.steps.push_back(QtPage::Text{static_cast<int>(made.fonts.size()) - 1,
                                              QPointF(text->topLeft.x(), text->baseline),
                                              text->text});
        } else if (const auto* line = std::get_if<platform::PageImage::Line>(&operation)) {
            made.steps.push_back(QLineF(line->from, line->to));
        } else if (const auto* box = std::get_if<platform::PageImage::Rectangle>(&operation)) {
            made.steps.push_back(QRectF(box->area));
        }
    }
    return made;
}

const std::vector<QtPage>& reportPagesInQt()
{
    static const std::vector<QtPage> pages = [] {
        std::vector<QtPage> made;
        for (const auto& page : shared().reportPages)
            made.push_back(qtPageOf(*page));
        return made;
    }();
    return pages;
}

void recordPagesIntoQPictures()
{
    QPaintDevice& printer = shared().printer.referenceDevice();
    for (const QtPage& page : reportPagesInQt()) {
        QPicture picture;
        QPainter painter(&picture);
        std::optional<QFontMetricsF> metrics;
        int current = -1;
        for (const QtPage::Step& step : page.steps) {
            if (const auto* text = std::get_if<QtPage::Text>(&step)) {
                const QFont& font = page.fonts[static_cast<std::size_t>(text->font)];
                if (text->font != current) {
                    current = text->font;
                    painter.setFont(font);
                    metrics.emplace(font, &printer);
                }
                benchmark::DoNotOptimize(metrics->horizontalAdvance(text->text));
                painter.drawText(text->baseline, text->text);
            } else if (const auto* pen = std::get_if<QtPage::Pen>(&step)) {
                painter.setPen(pen->pen);
            } else if (const auto* brush = std::get_if<QtPage::Brush>(&step)) {
                painter.setBrush(brush->brush);
            } else if (const auto* line = std::get_if<QLineF>(&step)) {
                painter.drawLine(*line);
            } else if (const auto* box = std::get_if<QRectF>(&step)) {
                painter.drawRect(*box);
            }
        }
        painter.end();
        benchmark::DoNotOptimize(picture.size());
    }
}

const Register wait({"ReportPreview/row_limit", [] { return double(lastPages); }, ensureTable,
                     printToPreview});
const Register report({"ReportPages/row_limit", [] { return double(lastPages); }, ensureTable,
                       reportIntoPages});
const Register reference({"RecordPagesQPicture/row_limit",
                          [] { return double(reportPagesInQt().size()); },
                          {},
                          recordPagesIntoQPictures});

} // namespace
} // namespace bench
