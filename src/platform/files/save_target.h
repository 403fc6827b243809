#pragma once

#include <QString>

#include <optional>

namespace platform {

// The file a save by `fileName` replaces when it follows links: the end of the whole chain of
// links from that name, as realpath(3) finds it, except that a last link that points to nothing
// gives the name it points to, which the save then creates. The folder is named without links,
// so that the file's neighbours are the ones beside it on disk. Nothing for a chain of links
// that never ends.
std::optional<QString> EndOfLinks(const QString& fileName);

// Whether `fileName`, its links followed, is an existing file that this user may not write:
// its mode forbids it, it is immutable, or its file system is mounted read-only. Saving would
// only need the folder's permission, since the new file takes the old one's name; a file the
// user has kept from being written is left alone all the same.
bool IsReadOnlyFile(const QString& fileName);

} // namespace platform
