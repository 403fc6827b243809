#pragma once

#include "platform/files/checked_file_device.h"
#include "platform/files/write_failure.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

namespace platform {

// The one way the program replaces a file: the new content goes to a temporary file beside it,
// made with the owner (where the system allows) and permissions the file has (a new file: read
// and write for all, less the umask), and takes the file's name in one step once it is on disk,
// so the name always holds the complete old or the complete new content. A file the user may
// not write (save_target.h) is refused before anything is written. The temporary file has a
// name of our own (".name.vantorbel-XXXXXX") and is locked while it is written: a save that is
// killed halfway leaves it unlocked, and the next save into that folder removes it. Where the
// file system has no locks, the save goes on without and leftovers stay.
class ReplacingFile {
public:
    enum class Link {
        // A file the user chose, perhaps through links: the file at the end of the chain gets
        // the content (save_target.h) and every link stays.
        WriteThrough,
        // A name the program chose in a shared folder: a link planted there is replaced itself,
        // never the file it points to.
        Replace,
    };

    ReplacingFile(const QString& fileName, Link link);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file; false when the folder does not allow it.
    bool open();
    // The temporary file, unbuffered, from open() on: it keeps the first failed write.
    CheckedFileDevice& device() { return *m_device; }
    QString temporaryPath() const { return m_temporaryPath; }
    // A descriptor of its own on the temporary file, from open() on, for whoever reads the
    // finished file on (and closes it); -1 when the system gives none.
    int duplicateDescriptor() const;
    // Checks every write and brings the content to disk; the file keeps its temporary name
    // until commit() or, for a file that is handed on by that name, until this is destroyed.
    bool finish();
    // finish(), then puts the file in the target's place; false when that failed, and then the
    // old file is untouched and the temporary one gone, except when only the folder could not
    // be brought to disk: the new content then has the name, but a power cut may undo that.
    bool commit();
    // What failed, by open(), finish() or commit(); nothing before them reports a failed write.
    WriteFailure failure() const { return m_failure; }
    // Gives the new content up: the temporary file goes, the old file stays as it was.
    void discard();

private:
    void removeLeftovers() const;
    bool syncFolder();
    bool failed(int error);

    QString m_fileName;
    QString m_target;
    QString m_temporaryPath;
    // Holds the lock, where there are locks, from creation until the file is in place, apart from
    // the descriptor that writes, so that closing that one (which reports late failures) keeps the
    // file locked.
    int m_lock = -1;
    std::unique_ptr<CheckedFileDevice> m_device;
    WriteFailure m_failure;
};

// Replaces fileName by `bytes` as ReplacingFile does, a link by that name replaced itself.
// Nothing when it went well.
std::optional<WriteFailure> ReplaceFile(const QString& fileName, const QByteArray& bytes);

} // namespace platform
