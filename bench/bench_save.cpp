// Saving the row-limit preview's pages as EMF files, per page, against writing the same pages'
// EMF bytes into memory, so that the file system's share shows apart; and saving them as PNG
// pages, made on every core, against making and writing the same pages one after the other.

#include "bench_support.h"
#include "cases.h"

#include "platform/files/replacing_file.h"
#include "platform/pages/page_export.h"
#include "print/windows/page_files.h"
#include "support/page_format_writing.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace bench {
namespace {

double reportPages()
{
    return double(shared().reportPages.size());
}

void saveEmfFiles()
{
    static const QTemporaryDir folder;
    SavePageFiles(folder.filePath(QStringLiteral("printfile.emf")), FormatWriting("EMF"),
                  shared().reportPages, shared().printer.pageLayout());
}

void writeEmfBytes()
{
    for (const auto& page : shared().reportPages)
        benchmark::DoNotOptimize(page->emfBytes());
}

void savePngFiles()
{
    static const QTemporaryDir folder;
    SavePageFiles(folder.filePath(QStringLiteral("printfile.png")), FormatWriting("png"),
                  shared().reportPages, shared().printer.pageLayout());
}

void savePngFilesOneByOne()
{
    static const QTemporaryDir folder;
    const auto& pages = shared().reportPages;
    for (std::size_t i = 0; i < pages.size(); ++i)
        platform::ReplaceFile(folder.filePath(QStringLiteral("printfile%1.png").arg(i)),
                              platform::PageAsPng(*pages[i], kPngPixelsPerInch));
}

const Register files({"SaveEmfFiles/row_limit", reportPages, {}, saveEmfFiles});
const Register png({"SavePngFiles/row_limit", reportPages, {}, savePngFiles});
const Register
    pngOneByOne({"SavePngFilesOneByOne/row_limit", reportPages, {}, savePngFilesOneByOne});
const Register bytes({"EmfBytes/row_limit", reportPages, {}, writeEmfBytes});

} // namespace
} // namespace bench
