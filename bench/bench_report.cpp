// The results report of the row-limit table into preview pages, per page, against measuring and
// drawing one page's texts straight into a 600 dpi page bitmap.

#include "bench_support.h"
#include "cases.h"

#include "calc/course_table.h"
#include "mainwindow/VantorForm.h"
#include "mainwindow/course_grid.h"
#include "print/MyPForm.h"

#include <QFontMetricsF>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <optional>

namespace bench {
namespace {

int lastPages = 0;

void ensureTable()
{
    MainWindow& window = shared().window;
    if (window.form->resultGrid().table().gridRowCount() != calc::kMaxCourseRows + 1)
        window.calculate();
}

void printToPreview()
{
    Shared& s = shared();
    s.onPreview = [](TPreviewPrintForm1& preview) {
        lastPages = static_cast<int>(preview.PageList.size());
    };
    s.window.form->AfdrukkenButtonClick();
    s.onPreview = nullptr;
}

QImage& pageBitmap()
{
    static QImage image = [] {
        const platform::PageImage& page = TypicalPage();
        QImage bitmap(page.size(), QImage::Format_RGB32);
        bitmap.setDotsPerMeterX(qRound(page.resolutionX() / 0.0254));
        bitmap.setDotsPerMeterY(qRound(page.resolutionY() / 0.0254));
        bitmap.fill(Qt::white);
        return bitmap;
    }();
    return image;
}

void measureAndDrawPageTexts()
{
    static const std::vector<PlacedText> texts = TextsOf(TypicalPage());
    QImage& image = pageBitmap();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    std::optional<QFontMetricsF> metrics;
    const QFont* current = nullptr;
    for (const PlacedText& text : texts) {
        if (!current || !(*current == text.font)) {
            current = &text.font;
            painter.setFont(text.font);
            metrics.emplace(text.font, &image);
        }
        benchmark::DoNotOptimize(metrics->horizontalAdvance(text.text));
        painter.drawText(QPointF(text.x, text.baseline), text.text);
    }
}

const Register report({"ReportPreview/row_limit", [] { return double(lastPages); }, ensureTable,
                       printToPreview});

const Register reference({"DrawPageTexts/page", [] { return 1.0; }, {}, measureAndDrawPageTexts});

} // namespace
} // namespace bench
