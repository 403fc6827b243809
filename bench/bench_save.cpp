// Saving the row-limit preview's pages as EMF files, per page, against writing the same pages'
// EMF bytes into memory, so that the file system's share shows apart.

#include "bench_support.h"
#include "cases.h"

#include "print/page_files.h"

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
    SavePageFiles(folder.filePath(QStringLiteral("printfile.emf")), PageFileType::Emf,
                  shared().reportPages, shared().printer.pageLayout());
}

void writeEmfBytes()
{
    for (const auto& page : shared().reportPages)
        benchmark::DoNotOptimize(page->emfBytes());
}

const Register files({"SaveEmfFiles/row_limit", reportPages, {}, saveEmfFiles});
const Register bytes({"EmfBytes/row_limit", reportPages, {}, writeEmfBytes});

} // namespace
} // namespace bench
