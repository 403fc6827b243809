#pragma once

#include <QFile>
#include <QString>

// Writes a new version of a file beside it and puts it in the file's place in one step, so the
// file always holds either its complete old or its complete new content. Unlike QSaveFile, a
// save that is killed halfway leaves nothing that stays: the temporary file has a name of our
// own, is locked while it is written, and the next save removes any unlocked one it finds.
// A symbolic link is written through: its target gets the new content, the link stays.
class ReplacingFile {
public:
    explicit ReplacingFile(const QString& fileName);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file; false when the folder does not allow it.
    bool open();
    // The temporary file, unbuffered: a short write shows at once.
    QFile& device() { return m_temporary; }
    // Flushes the new content to disk and puts it in place; false when that failed, and then
    // the old file is untouched.
    bool commit();

private:
    void removeLeftovers() const;
    void discard();

    QString m_target;
    QString m_temporaryPath;
    QFile m_temporary;
    int m_descriptor = -1;
};
