#include "print/windows/page_files.h"

#include "platform/files/replacing_file.h"

#include <QFileInfo>

#include <algorithm>
#include <deque>
#include <functional>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

[[noreturn]] void failed(const QString& file, const std::string& what)
{
    throw std::runtime_error("Bestand " + file.toStdString() + what);
}

// The chosen name without the extension that numbering replaces.
QString NameWithoutExtension(const QString& name, const QString& extension, bool cutAtLastDot)
{
    if (!cutAtLastDot)
        return name.endsWith(extension, Qt::CaseInsensitive) ? name.chopped(extension.size())
                                                             : name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 ? name.left(dot) : name;
}

// One file per page; page i of the pages goes to folder + name + i + extension.
int saveNumbered(const QString& chosenFile, const QString& extension, const FilePerPage& format,
                 const std::vector<std::unique_ptr<platform::PageImage>>& pages,
                 const PageSaveHooks& hooks)
{
    const qsizetype separator = chosenFile.lastIndexOf(QLatin1Char('/'));
    const QString folder = chosenFile.left(separator + 1);
    const QString name =
        NameWithoutExtension(chosenFile.mid(separator + 1), extension, format.cutAtLastDot);
    const int total = static_cast<int>(pages.size());

    // In flight when the save stops, pages made ahead are waited for and dropped.
    const std::size_t ahead =
        format.madeAhead ? std::max(1u, std::thread::hardware_concurrency()) : 1;
    const std::launch makeHow = format.madeAhead ? std::launch::async : std::launch::deferred;
    std::deque<std::future<QByteArray>> making;
    std::size_t nextToMake = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const QString file = folder + name + QString::number(i) + extension;
        for (; nextToMake < pages.size() && nextToMake < i + ahead; ++nextToMake)
            making.push_back(std::async(makeHow, format.bytes, std::cref(*pages[nextToMake])));
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

int saveInOneFile(const QString& chosenFile, const QString& extension,
                  const OneFileOfAllPages& format,
                  const std::vector<std::unique_ptr<platform::PageImage>>& pages,
                  const QPageLayout& paper, const PageSaveHooks& hooks, bool actualSize)
{
    const bool completed = !chosenFile.endsWith(extension, Qt::CaseInsensitive);
    const QString file = completed ? chosenFile + extension : chosenFile;
    // The dialog asked about the name the user saw; one the program made is asked about here.
    if (completed && QFileInfo(file).exists() && hooks.replaceUnseen && !hooks.replaceUnseen(file))
        return 0;
    std::vector<const platform::PageImage*> all;
    all.reserve(pages.size());
    for (const auto& page : pages)
        all.push_back(page.get());
    format.write(file, all, paper, actualSize);
    return 1;
}

} // namespace

int SavePageFiles(const QString& chosenFile, const PageFormat& format,
                  const std::vector<std::unique_ptr<platform::PageImage>>& pages,
                  const QPageLayout& paper, const PageSaveHooks& hooks, bool actualSize)
{
    const QString extension = QLatin1Char('.') + QLatin1String(format.suffix);
    if (const auto* perPage = std::get_if<FilePerPage>(&format.writer))
        return saveNumbered(chosenFile, extension, *perPage, pages, hooks);
    return saveInOneFile(chosenFile, extension, std::get<OneFileOfAllPages>(format.writer), pages,
                         paper, hooks, actualSize);
}
