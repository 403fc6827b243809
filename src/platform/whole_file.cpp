#include "whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cstdio>
#include <sys/stat.h>

namespace platform {

bool WriteWholeFile(const QString& fileName, const QByteArray& bytes)
{
    // QSaveFile leaves an existing file alone until the new one is complete. A short write can
    // come back without an error (a full disk), so the count is checked as well.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QFileDevice::Permissions NewFilePermissions()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    QFileDevice::Permissions permissions;
    for (const auto& [bit, permission] : {std::pair{S_IRUSR, QFile::ReadOwner},
                                          {S_IWUSR, QFile::WriteOwner},
                                          {S_IRGRP, QFile::ReadGroup},
                                          {S_IWGRP, QFile::WriteGroup},
                                          {S_IROTH, QFile::ReadOther},
                                          {S_IWOTH, QFile::WriteOther}})
        if (!(mask & bit))
            permissions |= permission;
    return permissions;
}

bool MoveIntoPlace(const QString& temporary, const QString& fileName)
{
    return QFile::setPermissions(temporary, NewFilePermissions()) &&
           std::rename(QFile::encodeName(temporary).constData(),
                       QFile::encodeName(fileName).constData()) == 0;
}

bool ReplaceWholeFile(const QString& fileName, const QByteArray& bytes)
{
    QTemporaryFile file(QFileInfo(fileName).absolutePath() + QStringLiteral("/.vantorbel-XXXXXX"));
    if (!file.open())
        return false;
    if (file.write(bytes) != bytes.size() || !file.flush())
        return false;
    file.close();
    if (!MoveIntoPlace(file.fileName(), fileName))
        return false;
    file.setAutoRemove(false);
    return true;
}

} // namespace platform
