#include "platform/files/save_target.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// As many links as the kernel follows in one path before it gives up with ELOOP.
constexpr int kMaxLinks = 40;

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0    ? QByteArrayLiteral(".")
           : slash == 0 ? QByteArrayLiteral("/")
                        : path.left(slash);
}

// Where the link at `path` points, as written in it; nothing when `path` is no link.
std::optional<QByteArray> linkTarget(const QByteArray& path)
{
    struct stat status {};
    if (::lstat(path.constData(), &status) != 0 || !S_ISLNK(status.st_mode))
        return std::nullopt;
    // Some file systems report no size for a link.
    QByteArray target(qMax<qsizetype>(status.st_size, PATH_MAX) + 1, Qt::Uninitialized);
    const ssize_t length = ::readlink(path.constData(), target.data(), size_t(target.size()));
    // A link that went away in between: the save finds out what is there now.
    if (length < 0)
        return std::nullopt;
    target.truncate(length);
    return target;
}

} // namespace

std::optional<QString> EndOfLinks(const QString& fileName)
{
    QByteArray path = QFile::encodeName(fileName);
    int followed = 0;
    for (auto target = linkTarget(path); target; target = linkTarget(path)) {
        if (++followed > kMaxLinks)
            return std::nullopt;
        // Joined, not cleaned: ".." after a linked folder is for the kernel to resolve.
        path = target->startsWith('/') ? *target : folderOf(path) + '/' + *target;
    }
    char* const folder = ::realpath(folderOf(path).constData(), nullptr);
    // A folder that is not there: the save itself reports that.
    if (!folder)
        return QFile::decodeName(path);
    QByteArray end(folder);
    std::free(folder);
    if (!end.endsWith('/'))
        end += '/';
    return QFile::decodeName(end + path.mid(path.lastIndexOf('/') + 1));
}

bool IsReadOnlyFile(const QString& fileName)
{
    const QByteArray path = QFile::encodeName(fileName);
    struct stat status {};
    // A file yet to be made, or something that is no file, is up to its folder.
    if (::stat(path.constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    if (::faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) == 0)
        return false;
    // EPERM is an immutable file, which root may not write either.
    return errno == EACCES || errno == EPERM || errno == EROFS;
}

} // namespace platform
