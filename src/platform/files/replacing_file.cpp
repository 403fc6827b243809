#include "platform/files/replacing_file.h"

#include "platform/files/file_system_calls.h"
#include "platform/files/save_target.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// The marker in the name of every temporary file of ours, followed by mkstemp's six characters.
const QString kMarker = QStringLiteral(".vantorbel-");

// What a new file gets: read and write for all less the umask. The umask is read, never set:
// setting it and back would change it for a moment for every thread of the program.
mode_t newFileMode()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            if (!line.startsWith("Umask:"))
                continue;
            bool ok = false;
            const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
            if (ok)
                return 0666 & ~mode_t(mask);
        }
    }
    // A system that does not tell: private is the safe guess.
    return 0600;
}

} // namespace

ReplacingFile::ReplacingFile(const QString& fileName, Link link)
    : m_fileName(fileName)
    // A chain of links that never ends leaves no target, which open() reports.
    , m_target(link == Link::WriteThrough ? EndOfLinks(fileName).value_or(QString())
                                          : QFileInfo(fileName).absoluteFilePath())
{
}

ReplacingFile::~ReplacingFile()
{
    discard();
}

void ReplacingFile::removeLeftovers() const
{
    const QDir folder = QFileInfo(m_target).absoluteDir();
    const QStringList leftovers = folder.entryList(
        {QStringLiteral(".*") + kMarker + QStringLiteral("??????")}, QDir::Files | QDir::Hidden);
    for (const QString& name : leftovers) {
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        const int descriptor = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (descriptor < 0)
            continue;
        // A save in progress holds its lock; only what no one holds any more is left over. Where
        // locks fail, a save in progress cannot be told from a leftover: none is removed.
        if (Seam<FileSystemCalls>::get().lock(descriptor, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(descriptor);
    }
}

bool ReplacingFile::failed(int error)
{
    if (m_failure.error == 0)
        m_failure.error = error != 0 ? error : EIO;
    discard();
    return false;
}

int ReplacingFile::duplicateDescriptor() const
{
    return m_lock < 0 ? -1 : ::fcntl(m_lock, F_DUPFD_CLOEXEC, 0);
}

bool ReplacingFile::open()
{
    if (m_target.isEmpty())
        return failed(ELOOP);
    // The file the content replaces; for a name whose link is replaced, the link, which has no
    // owner, permissions or protection of its own to keep.
    struct stat existing {};
    const bool found = ::lstat(QFile::encodeName(m_target).constData(), &existing) == 0 &&
                       S_ISREG(existing.st_mode);
    if (found && IsReadOnlyFile(m_target)) {
        m_failure.readOnlyFile = m_fileName;
        return failed(EACCES);
    }
    removeLeftovers();
    const QFileInfo target(m_target);
    QByteArray pattern = QFile::encodeName(target.absoluteDir().filePath(
                             QLatin1Char('.') + target.fileName() + kMarker)) +
                         "XXXXXX";
    m_lock = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_lock < 0)
        return failed(errno);
    m_temporaryPath = QFile::decodeName(pattern);
    m_failure.begun = true;
    // On a file system without locks the save is as safe; only a file that a save killed
    // halfway leaves there is never cleaned up.
    Seam<FileSystemCalls>::get().lock(m_lock, LOCK_EX);
    // Before the mode, since a change of owner clears the set-id bits. Only root may give a
    // file away; anyone may give it one of their own groups.
    if (found && ::fchown(m_lock, existing.st_uid, existing.st_gid) != 0 &&
        ::fchown(m_lock, uid_t(-1), existing.st_gid) != 0) {
        // Neither is allowed: the file becomes the user's, as a file they make does.
    }
    if (::fchmod(m_lock, found ? (existing.st_mode & 07777) : newFileMode()) != 0)
        return failed(errno);
    const int writer = ::fcntl(m_lock, F_DUPFD_CLOEXEC, 0);
    if (writer < 0)
        return failed(errno);
    m_device = std::make_unique<CheckedFileDevice>(writer);
    return true;
}

bool ReplacingFile::finish()
{
    if (!m_device)
        return failed(EBADF);
    if (!m_device->finish())
        return failed(m_device->failure());
    return true;
}

bool ReplacingFile::commit()
{
    if (!finish())
        return false;
    if (::rename(QFile::encodeName(m_temporaryPath).constData(),
                 QFile::encodeName(m_target).constData()) != 0)
        return failed(errno);
    m_temporaryPath.clear();
    if (!syncFolder())
        return false;
    discard();
    return true;
}

bool ReplacingFile::syncFolder()
{
    // The new name must reach the disk too, or a power cut could bring the old file back.
    const QByteArray folder = QFile::encodeName(QFileInfo(m_target).absolutePath());
    const int directory = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0)
        return failed(errno);
    const int error = Seam<FileSystemCalls>::get().syncFolder(directory);
    ::close(directory);
    // EINVAL: a file system that cannot sync a folder, and keeps its names as it keeps them.
    return error == 0 || error == EINVAL || failed(error);
}

void ReplacingFile::discard()
{
    if (m_device)
        m_device->drop();
    if (!m_temporaryPath.isEmpty())
        ::unlink(QFile::encodeName(m_temporaryPath).constData());
    m_temporaryPath.clear();
    if (m_lock >= 0)
        ::close(m_lock);
    m_lock = -1;
}

std::optional<WriteFailure> ReplaceFile(const QString& fileName, const QByteArray& bytes)
{
    ReplacingFile file(fileName, ReplacingFile::Link::Replace);
    if (!file.open())
        return file.failure();
    // A failed write is kept by the device, and commit() reports it.
    file.device().write(bytes);
    if (!file.commit())
        return file.failure();
    return std::nullopt;
}

} // namespace platform
