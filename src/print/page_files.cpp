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

QString ExtensionOf(PageFileType type)
{
    switch (type) {
    case PageFileType::Pdf:
        return QStringLiteral(".pdf");
    case PageFileType::Svg:
        return QStringLiteral(".svg");
    case PageFileType::Png:
        return QStringLiteral(".png");
    case PageFileType::Emf:
        break;
    }
    return QStringLiteral(".EMF");
}

// The chosen name without the extension that numbering replaces: for the EMF types whatever
// follows the last dot, as it has always been; for the others only their own extension, so
// that "Plan v1.2" keeps its "v1.2".
QString NameWithoutExtension(const QString& name, PageFileType type)
{
    if (type != PageFileType::Emf) {
        const QString extension = ExtensionOf(type);
        return name.endsWith(extension, Qt::CaseInsensitive) ? name.chopped(extension.size())
                                                             : name;
    }
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 ? name.left(dot) : name;
}

// One file per page; page i of the pages goes to folder + name + i + extension.
void saveNumbered(const QString& chosenFile, PageFileType type,
                  const std::vector<std::unique_ptr<platform::PageImage>>& pages)
{
    const qsizetype separator = chosenFile.lastIndexOf(QLatin1Char('/'));
    const QString folder = chosenFile.left(separator + 1);
    const QString name = NameWithoutExtension(chosenFile.mid(separator + 1), type);

    for (std::size_t i = 0; i < pages.size(); ++i) {
        const platform::PageImage& page = *pages[i];
        const QString file = folder + name + QString::number(i) + ExtensionOf(type);
        if (type == PageFileType::Emf) {
            // As it has always been: an older file of that name goes first.
            if (QFileInfo::exists(file) && !QFile::remove(file))
                failed(file, " kon niet vervangen worden");
            if (!page.saveToFile(file))
                failed(file, " kon niet geschreven worden");
            continue;
        }
        const std::string onPage = " (pagina " + std::to_string(i + 1) + ")";
        const QByteArray bytes = type == PageFileType::Svg
                                     ? platform::PageAsSvg(page, kTitle)
                                     : platform::PageAsPng(page, kPngPixelsPerInch);
        if (bytes.isEmpty())
            failed(file, onPage + " kon niet gemaakt worden");
        if (!platform::ReplaceWholeFile(file, bytes))
            failed(file, onPage + " kon niet geschreven worden");
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
                   const QPageLayout& paper,
                   const std::function<bool(const QString& file)>& replaceUnseen)
{
    if (type != PageFileType::Pdf) {
        saveNumbered(chosenFile, type, pages);
        return;
    }
    const QString extension = ExtensionOf(type);
    const bool completed = !chosenFile.endsWith(extension, Qt::CaseInsensitive);
    const QString file = completed ? chosenFile + extension : chosenFile;
    // The dialog asked about the name the user saw; one the program made is asked about here.
    if (completed && QFileInfo(file).exists() && !replaceUnseen(file))
        return;
    std::vector<const platform::PageImage*> all;
    all.reserve(pages.size());
    for (const auto& page : pages)
        all.push_back(page.get());
    const QByteArray pdf = platform::PagesAsPdf(all, paper, kTitle);
    const bool written =
        completed ? platform::ReplaceWholeFile(file, pdf) : platform::WriteWholeFile(file, pdf);
    if (!written)
        failed(file, " kon niet geschreven worden");
}
