// Memory figures, printed as one JSON object: the table's heap per row beyond its texts at the
// row limit, the size of each report page image, and how many preview bitmaps ShowPage holds at
// its peak.

#include "alloc_counter.h"
#include "bench_support.h"

#include "calc/course_table.h"
#include "mainwindow/VantorForm.h"
#include "mainwindow/course_grid.h"
#include "platform/fonts/font_stand_ins.h"
#include "platform/toolkit/regional_settings.h"
#include "print/windows/MyPForm.h"
#include "print/windows/zoom.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>

namespace {

using bench::heap::blockSize;

// The heap block of a string's text; none for static texts.
std::size_t payloadOf(const QString& text)
{
    return blockSize(const_cast<QString&>(text).data_ptr().d_ptr());
}

void tableMemory()
{
    bench::MainWindow& window = bench::shared().window;
    window.clearTable();
    const std::size_t before = bench::heap::live();
    window.calculate();
    const std::size_t after = bench::heap::live();

    const CourseTableModel& table = window.form->resultGrid().table();
    const int rows = table.gridRowCount() - 1;
    // Texts the model keeps are shared by every copy it hands out; texts made on each request
    // are not held and weigh nothing here.
    std::size_t texts = 0;
    for (int row = 1; row <= rows; ++row)
        for (int column = 0; column <= 1; ++column) {
            const QString a = table.cell(column, row);
            const QString b = table.cell(column, row);
            if (a.constData() == b.constData())
                texts += payloadOf(a);
        }
    const double delta = double(after) - double(before);
    std::printf("  \"table_rows\": %d,\n", rows);
    std::printf("  \"table_bytes_per_row\": %.2f,\n", delta / rows);
    std::printf("  \"table_text_bytes_per_row\": %.2f,\n", double(texts) / rows);
    std::printf("  \"table_bytes_per_row_beyond_texts\": %.2f,\n", (delta - double(texts)) / rows);
}

// The heap each page gives back when it goes: its records and every text it holds, whatever
// the page keeps them in.
void pageImageMemory()
{
    auto& pages = bench::shared().reportPages;
    const std::size_t count = pages.size();
    std::size_t largest = 0;
    std::size_t total = 0;
    std::size_t largestOperations = 0;
    for (auto& page : pages) {
        largestOperations = std::max(largestOperations, page->operations().size());
        const std::size_t before = bench::heap::live();
        page.reset();
        const std::size_t bytes = before - bench::heap::live();
        largest = std::max(largest, bytes);
        total += bytes;
    }
    pages.clear();
    std::printf("  \"report_pages\": %zu,\n", count);
    std::printf("  \"page_operations_max\": %zu,\n", largestOperations);
    std::printf("  \"page_image_bytes_max\": %zu,\n", largest);
    std::printf("  \"page_image_bytes_total\": %zu,\n", total);
    std::printf("  \"page_image_bytes_mean\": %.0f\n", double(total) / count);
}

// The heap at its peak while the user waits for the row-limit preview and then zooms it to
// 300 %, beyond what it held before the print command.
void rowLimitPreviewMemory()
{
    bench::Shared& s = bench::shared();
    double bitmap = 0;
    s.onPreview = [&bitmap](TPreviewPrintForm1& preview) {
        preview.ZoomStep = kLargestZoomStep;
        preview.ShowPage();
        bitmap = double(preview.WorkBitmap->image().sizeInBytes());
    };
    const std::size_t before = bench::heap::live();
    bench::heap::resetPeak();
    s.window.form->AfdrukkenButtonClick();
    const std::size_t peak = bench::heap::peak();
    s.onPreview = nullptr;
    std::printf("  \"row_limit_preview_peak_bytes\": %.0f,\n", double(peak) - double(before));
    std::printf("  \"zoom_300_bitmap_bytes\": %.0f,\n", bitmap);
}

void previewMemory()
{
    bench::Shared& s = bench::shared();
    TPreviewPrintForm1 preview;
    preview.PageList.push_back(std::make_unique<platform::PageImage>(bench::TypicalPage()));
    preview.ZoomStep = kLargestZoomStep;
    preview.show();
    QApplication::processEvents();
    preview.ShowPage();
    QApplication::processEvents();
    (void)s;

    const QImage& shown = preview.WorkBitmap->image();
    const double bitmap = double(shown.sizeInBytes());
    const std::size_t before = bench::heap::live();
    bench::heap::resetPeak();
    preview.ShowPage();
    const std::size_t peak = bench::heap::peak();
    // One bitmap is held before and after; more at the peak means the old and the new overlap.
    std::printf("  \"preview_bitmap_bytes\": %.0f,\n", bitmap);
    std::printf("  \"showpage_peak_extra_bytes\": %.0f,\n", double(peak) - double(before));
    std::printf("  \"showpage_bitmaps_at_peak\": %.2f,\n",
                1.0 + (double(peak) - double(before)) / bitmap);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    {
        QApplication application(argc, argv);
        platform::InstallFontStandIns();
        platform::SetRegionalFormat(bench::DutchFormat());
        bench::shared();
        std::printf("{\n");
        tableMemory();
        rowLimitPreviewMemory();
        previewMemory();
        pageImageMemory();
        std::printf("}\n");
        bench::releaseShared();
    }
    return 0;
}
