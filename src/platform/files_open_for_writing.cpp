#include "files_open_for_writing.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <memory>

namespace platform {
namespace {

bool openForWriting(const char* descriptor)
{
    QFile info(QStringLiteral("/proc/self/fdinfo/") + QLatin1String(descriptor));
    if (!info.open(QIODevice::ReadOnly))
        return false;
    // Files under /proc have no size: read until nothing comes, not until the end of the size.
    for (const QByteArray& line : info.readAll().split('\n')) {
        if (line.startsWith("flags:")) {
            bool octal = false;
            const int flags = line.mid(6).trimmed().toInt(&octal, 8);
            return octal && (flags & O_ACCMODE) != O_RDONLY;
        }
    }
    return false;
}

} // namespace

QSet<QString> FilesOpenForWriting()
{
    QSet<QString> files;
    const std::unique_ptr<DIR, int (*)(DIR*)> descriptors(opendir("/proc/self/fd"), closedir);
    if (!descriptors)
        return files;
    const int own = dirfd(descriptors.get());
    while (const dirent* entry = readdir(descriptors.get())) {
        const int descriptor = atoi(entry->d_name);
        if (entry->d_name[0] == '.' || descriptor == own)
            continue;
        struct stat status {};
        if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
            !openForWriting(entry->d_name))
            continue;
        char target[PATH_MAX];
        const ssize_t length = readlinkat(own, entry->d_name, target, sizeof target);
        if (length > 0 && target[0] == '/')
            files.insert(QFile::decodeName(QByteArray(target, length)));
    }
    return files;
}

} // namespace platform
