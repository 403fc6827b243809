#include "page_files.h"

#include "platform/page_export.h"
#include "platform/whole_file.h"

#include <QFile>
#include <QFileInfo>

#include <stdexcept>
#include <string>

namespace {

const QString kTitle = QStringLiteral("Vantorbel");
constexpr int kPngPixelsPerInch = 200;
constexpr int kEmfTypes = 5;

[[noreturn]] void failed(const QString& file, const std::string& what)
{
    throw std::runtime_error("Bestand " + file.toStdString() + what);
}

// One file per page; page i of the pages goes to folder + name + i + extension.
void saveNumbered(const QString& chosenFile, PageFileType type,
                  const std::vector<std::unique_ptr<platform::PageImage>>& pages)
{
    // Folder up to the last separator, the name without its extension.
    const qsizetype separator = chosenFile.lastIndexOf(QLatin1Char('/'));
    const QString folder = chosenFile.left(separator + 1);
    QString name = chosenFile.mid(separator + 1);
    if (const qsizetype dot = name.lastIndexOf(QLatin1Char('.')); dot >= 0)
        name.truncate(dot);

    for (std::size_t i = 0; i < pages.size(); ++i) {
        const platform::PageImage& page = *pages[i];
        const QString number = QString::number(i);
        if (type == PageFileType::Emf) {
            // As it has always been: an older file of that name goes first.
            const QString file = folder + name + number + QStringLiteral(".EMF");
            if (QFileInfo::exists(file) && !QFile::remove(file))
                failed(file, " kon niet vervangen worden");
            if (!page.saveToFile(file))
                failed(file, " kon niet geschreven worden");
            continue;
        }
        const bool svg = type == PageFileType::Svg;
        const QString file =
            folder + name + number + (svg ? QStringLiteral(".svg") : QStringLiteral(".png"));
        const QByteArray bytes =
            svg ? platform::PageAsSvg(page, kTitle) : platform::PageAsPng(page, kPngPixelsPerInch);
        if (!platform::WriteWholeFile(file, bytes))
            failed(file, " (pagina " + std::to_string(i + 1) + ") kon niet geschreven worden");
    }
}

} // namespace

PageFileType PageFileTypeOf(int dialogType)
{
    switch (dialogType - kEmfTypes) {
    case 0:
        return PageFileType::Pdf;
    case 1:
        return PageFileType::Svg;
    case 2:
        return PageFileType::Png;
    default:
        return PageFileType::Emf;
    }
}

QString PageFileFilter()
{
    return QStringLiteral("All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|"
                          "Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
                          "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|"
                          "PDF-document (*.pdf)|*.pdf|SVG-afbeeldingen (*.svg)|*.svg|"
                          "PNG-afbeeldingen (*.png)|*.png");
}

QStringList PageFileSuffixes()
{
    QStringList suffixes(kEmfTypes);
    suffixes << QStringLiteral("pdf") << QStringLiteral("svg") << QStringLiteral("png");
    return suffixes;
}

void SavePageFiles(const QString& chosenFile, PageFileType type,
                   const std::vector<std::unique_ptr<platform::PageImage>>& pages,
                   const QPageLayout& paper)
{
    if (type != PageFileType::Pdf) {
        saveNumbered(chosenFile, type, pages);
        return;
    }
    QString file = chosenFile;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");
    std::vector<const platform::PageImage*> all;
    all.reserve(pages.size());
    for (const auto& page : pages)
        all.push_back(page.get());
    if (!platform::WriteWholeFile(file, platform::PagesAsPdf(all, paper, kTitle)))
        failed(file, " kon niet geschreven worden");
}
