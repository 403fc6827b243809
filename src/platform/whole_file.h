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

// Puts a finished temporary file in the folder of fileName in its place: it gets what a new
// file gets (temporary files start private) and is renamed over the name, at once; a link by
// that name is replaced itself, never the file it points to. False when it could not be.
bool MoveIntoPlace(const QString& temporary, const QString& fileName);

// The same as WriteWholeFile for a file whose name the program made itself (a numbered page): the
// bytes go to a new file beside it, which is then renamed over the name. A link by that name is
// replaced itself, never the file it points to. False when the file could not be written.
bool ReplaceWholeFile(const QString& fileName, const QByteArray& bytes);

} // namespace platform
