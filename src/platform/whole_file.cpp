#include "whole_file.h"

#include <QSaveFile>

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

} // namespace platform
