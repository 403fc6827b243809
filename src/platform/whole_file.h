#pragma once

#include <QByteArray>
#include <QString>

#include <QFileDevice>

namespace platform {

// What a newly made file of the user gets: read and write for all, less the process's umask.
// Temporary files start private; a page or PDF renamed into place gets these.
QFileDevice::Permissions NewFilePermissions();

// Writes bytes as the whole new content of a file: the file by that name is replaced only once
// every byte is on disk, and a failed write leaves no file behind under that name. False when
// the file could not be written.
bool WriteWholeFile(const QString& fileName, const QByteArray& bytes);

// The same for a file whose name the program made itself (a numbered page): the bytes go to a
// new file beside it, which is then renamed over the name. A link by that name is replaced
// itself, never the file it points to. False when the file could not be written.
bool ReplaceWholeFile(const QString& fileName, const QByteArray& bytes);

} // namespace platform
