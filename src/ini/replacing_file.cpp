#include "replacing_file.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// ".name.vantorbel-XXXXXX": hidden, and recognisable as ours only.
QString temporaryPrefix(const QFileInfo& target)
{
    return QLatin1Char('.') + target.fileName() + QStringLiteral(".vantorbel-");
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

ReplacingFile::ReplacingFile(const QString& fileName)
{
    const QFileInfo info(fileName);
    // Through a link, also a dangling one, the content goes to where the link points.
    m_target = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
}

ReplacingFile::~ReplacingFile()
{
    discard();
}

void ReplacingFile::removeLeftovers() const
{
    const QFileInfo target(m_target);
    const QDir folder = target.absoluteDir();
    const QStringList leftovers =
        folder.entryList({temporaryPrefix(target) + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    for (const QString& name : leftovers) {
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        const int descriptor = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (descriptor < 0)
            continue;
        // A save in progress holds its lock; only what no one holds any more is left over.
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(descriptor);
    }
}

bool ReplacingFile::open()
{
    removeLeftovers();
    const QFileInfo target(m_target);
    QByteArray pattern =
        QFile::encodeName(target.absoluteDir().filePath(temporaryPrefix(target))) + "XXXXXX";
    m_descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_descriptor < 0)
        return false;
    m_temporaryPath = QFile::decodeName(pattern);
    struct stat existing {};
    const mode_t mode = ::stat(QFile::encodeName(m_target).constData(), &existing) == 0
                            ? (existing.st_mode & 07777)
                            : newFileMode();
    if (::flock(m_descriptor, LOCK_EX) != 0 || ::fchmod(m_descriptor, mode) != 0 ||
        !m_temporary.open(m_descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered,
                          QFileDevice::DontCloseHandle)) {
        discard();
        return false;
    }
    return true;
}

bool ReplacingFile::commit()
{
    if (m_descriptor < 0)
        return false;
    m_temporary.close();
    if (::fsync(m_descriptor) != 0 || ::rename(QFile::encodeName(m_temporaryPath).constData(),
                                               QFile::encodeName(m_target).constData()) != 0) {
        discard();
        return false;
    }
    // The new name must reach the disk too, or a power cut could bring the old file back.
    const QByteArray folder = QFile::encodeName(QFileInfo(m_target).absolutePath());
    if (const int directory = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        directory >= 0) {
        ::fsync(directory);
        ::close(directory);
    }
    ::close(m_descriptor);
    m_descriptor = -1;
    m_temporaryPath.clear();
    return true;
}

void ReplacingFile::discard()
{
    m_temporary.close();
    if (!m_temporaryPath.isEmpty())
        ::unlink(QFile::encodeName(m_temporaryPath).constData());
    m_temporaryPath.clear();
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
}
