#include "print/windows/page_files.h"

#include "print/engine/document_title.h"

#include "platform/files/replacing_file.h"
#include "platform/pages/page_export.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <deque>
#include <functional>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

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

QByteArray PageBytes(const platform::PageImage& page, PageFileType type)
{
    switch (type) {
    case PageFileType::Svg:
        return platform::PageAsSvg(page, DocumentTitle());
    case PageFileType::Png:
        return platform::PageAsPng(page, kPngPixelsPerInch);
    default:
        return page.emfBytes();
    }
}

// One file per page; page i of the pages goes to folder + name + i + extension.
int saveNumbered(const QString& chosenFile, PageFileType type,
                 const std::vector<std::unique_ptr<platform::PageImage>>& pages,
                 const PageSaveHooks& hooks)
{
    const qsizetype separator = chosenFile.lastIndexOf(QLatin1Char('/'));
    const QString folder = chosenFile.left(separator + 1);
    const QString name = NameWithoutExtension(chosenFile.mid(separator + 1), type);
    const int total = static_cast<int>(pages.size());

    // SVG and PNG pages take their time to make: the next ones are made on the other cores
    // while this one is written. In flight when the save stops, they are waited for and dropped.
    // An EMF page is made in no time, here, when it is written.
    const bool emf = type == PageFileType::Emf;
    const std::size_t ahead = emf ? 1 : std::max(1u, std::thread::hardware_concurrency());
    const std::launch makeHow = emf ? std::launch::deferred : std::launch::async;
    std::deque<std::future<QByteArray>> making;
    std::size_t nextToMake = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const QString file = folder + name + QString::number(i) + ExtensionOf(type);
        for (; nextToMake < pages.size() && nextToMake < i + ahead; ++nextToMake)
            making.push_back(std::async(makeHow, PageBytes, std::cref(*pages[nextToMake]), type));
        const QByteArray bytes = making.front().get();
        making.pop_front();
        const QString onPage = QStringLiteral(" (pagina %1)").arg(i + 1);
        if (bytes.isEmpty())
            failed(file, onPage.toStdString() + " kon niet gemaakt worden");
        if (const auto failure = platform::ReplaceFile(file, bytes))
            throw std::runtime_error(
                platform::WriteFailureText(QStringLiteral("Het bestand ") + file + onPage, *failure)
                    .toStdString());
        const int written = static_cast<int>(i) + 1;
        if (hooks.pageWritten && !hooks.pageWritten(written, total))
            return written;
    }
    return total;
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

int SavePageFiles(const QString& chosenFile, PageFileType type,
                  const std::vector<std::unique_ptr<platform::PageImage>>& pages,
                  const QPageLayout& paper, const PageSaveHooks& hooks, bool actualSize)
{
    if (type != PageFileType::Pdf)
        return saveNumbered(chosenFile, type, pages, hooks);
    const QString extension = ExtensionOf(type);
    const bool completed = !chosenFile.endsWith(extension, Qt::CaseInsensitive);
    const QString file = completed ? chosenFile + extension : chosenFile;
    // The dialog asked about the name the user saw; one the program made is asked about here.
    if (completed && QFileInfo(file).exists() && hooks.replaceUnseen && !hooks.replaceUnseen(file))
        return 0;
    std::vector<const platform::PageImage*> all;
    all.reserve(pages.size());
    for (const auto& page : pages)
        all.push_back(page.get());
    platform::SavePagesAsPdf(file, all, paper, DocumentTitle(), actualSize);
    return 1;
}
