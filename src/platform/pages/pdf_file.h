#pragma once

#include "platform/files/replacing_file.h"

#include <QPdfWriter>
#include <QString>

#include <memory>

namespace platform {

// A PDF that is written in full or not at all. Qt's PDF writer writes straight into a
// ReplacingFile, whose `link` says what becomes of a link by the file's name (written through
// for a file the user chose), and since it ignores failed writes, every step here asks the file
// instead. Every failure throws std::runtime_error with a Dutch message that names the file by
// `subject` ("Het bestand plan.pdf") and gives the cause; the file's old content then stays and
// the temporary file goes.
class PdfFile {
public:
    PdfFile(const QString& fileName, QString subject,
            ReplacingFile::Link link = ReplacingFile::Link::Replace);

    // For the painter and the document's settings; pages are begun with newPage() below.
    QPdfWriter& writer() { return *m_writer; }
    // A new page, once all before it was written.
    void newPage();
    // After the painter has ended: with `actualSize` the file asks to be printed at its own
    // size (pdf_actual_size.h). Then every write is checked and the content brought to disk.
    void finish(bool actualSize);
    // The finished file, still under its temporary name, for whoever takes it from there.
    QString temporaryPath() const { return m_file.temporaryPath(); }
    // A descriptor of its own on it, so that it is not opened again by its name.
    int duplicateDescriptor() const { return m_file.duplicateDescriptor(); }
    // Puts the finished file in the place of the file it replaces.
    void commit();

private:
    [[noreturn]] void fail();
    void checkWrites();

    ReplacingFile m_file;
    QString m_subject;
    std::unique_ptr<QPdfWriter> m_writer;
};

} // namespace platform
