#pragma once

#include <QSet>
#include <QString>

namespace platform {

// The regular files this process holds open for writing, by path (empty where the system does
// not tell).
QSet<QString> FilesOpenForWriting();

} // namespace platform
