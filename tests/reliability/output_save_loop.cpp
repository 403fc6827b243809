// Writes one kind of output over and over, by turns with fewer and more pages, until it is
// killed: "pdf" and "png" save the pages as the preview does, "printer" prints them on the
// built-in PDF printer. With "once" it writes once, with the more pages, and ends. The crash-safety
// test kills it at random moments, most of them in the middle of a write.

#include "platform/print_system/desktop_printer.h"
#include "print/windows/page_files.h"
#include "support/page_format_writing.h"
#include "support/stand_ins.h"

#include <QApplication>
#include <QPageSize>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kPixels = 600;

void drawPage(platform::DrawingSurface& surface, int page, int pages)
{
    for (int row = 0; row < 60 + pages; ++row) {
        surface.textOut(20, 20 + row * 12,
                        QStringLiteral("Laag %1 van pagina %2").arg(row).arg(page));
        surface.line(0, row * 12, kPixels, row * 12 + page);
    }
}

void print(platform::DesktopPrinter& printer, FileChooserStub& files, const QString& file,
           int pages)
{
    files.answers.push_back(file);
    printer.beginDocument();
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            printer.newPage();
        drawPage(printer.canvas(), page, pages);
    }
    printer.endDocument();
}

void save(const QString& file, const PageFormat& format, int count)
{
    std::vector<std::unique_ptr<platform::PageImage>> pages;
    for (int page = 0; page < count; ++page) {
        pages.push_back(std::make_unique<platform::PageImage>(QSize(kPixels, 800),
                                                              QSizeF(25.4, 33.9), 600, 600));
        for (int row = 0; row < 60; ++row)
            pages.back()->append(platform::PageImage::Line{
                QPoint(0, row * 12), QPoint(kPixels, row * 12 + page + count)});
    }
    SavePageFiles(file, format, pages,
                  QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: output_save_loop pdf|png|printer FILE [once]\n");
        return 2;
    }
    QApplication application(argc, argv);
    const char* kind = argv[1];
    const QString file = QString::fromLocal8Bit(argv[2]);
    const bool once = argc == 4;
    platform::DesktopPrinter printer;
    FileChooserStub files;
    const auto write = [&](int pages) {
        if (std::strcmp(kind, "printer") == 0)
            print(printer, files, file, pages);
        else
            save(file, FormatWriting(std::strcmp(kind, "png") == 0 ? "png" : "pdf"), pages);
    };
    try {
        if (once)
            write(12);
        else
            for (int round = 0;; ++round)
                write(round % 2 == 0 ? 8 : 12);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "output_save_loop: %s\n", error.what());
        return 1;
    }
    return 0;
}
