#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Writes bytes as the whole new content of a file: the file by that name is replaced only once
// every byte is on disk, and a failed write leaves no file behind under that name. False when
// the file could not be written.
bool WriteWholeFile(const QString& fileName, const QByteArray& bytes);

} // namespace platform
