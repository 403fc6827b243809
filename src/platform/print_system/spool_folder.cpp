#include "platform/print_system/spool_folder.h"

#include "platform/files/write_failure.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

QString SpoolFolder()
{
    const QString folder =
        QDir(QDir::tempPath()).filePath(QStringLiteral("vantorbel-%1").arg(::getuid()));
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        throw std::runtime_error(QStringLiteral("De map %1 voor afdrukbestanden kon niet worden "
                                                "gemaakt: %2.")
                                     .arg(folder, WriteFailureCause(errno))
                                     .toStdString());
    // Everyone may make files in the temporary folder: one that was there before us may be
    // someone else's, or a link to elsewhere, and the jobs would be theirs to read or swap.
    struct stat found {};
    if (::lstat(path.constData(), &found) != 0 || !S_ISDIR(found.st_mode) ||
        found.st_uid != ::getuid() || (found.st_mode & 077) != 0)
        throw std::runtime_error(QStringLiteral("De map %1 voor afdrukbestanden is niet van u "
                                                "alleen; er kan niet worden afgedrukt.")
                                     .arg(folder)
                                     .toStdString());
    return folder;
}

} // namespace platform
