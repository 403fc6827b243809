#include "platform/pages/pdf_file.h"

#include "platform/pages/pdf_actual_size.h"

#include <QFile>

#include <stdexcept>
#include <utility>

namespace platform {

PdfFile::PdfFile(const QString& fileName, QString subject, ReplacingFile::Link link)
    : m_file(fileName, link)
    , m_subject(std::move(subject))
{
    if (!m_file.open())
        fail();
    m_writer = std::make_unique<QPdfWriter>(&m_file.device());
}

void PdfFile::fail()
{
    WriteFailure failure = m_file.failure();
    if (failure.error == 0)
        failure = {m_file.device().failure(), true};
    // The temporary file goes now, not only once the job is given up.
    m_file.discard();
    throw std::runtime_error(WriteFailureText(m_subject, failure).toStdString());
}

void PdfFile::checkWrites()
{
    if (m_file.device().failure() != 0)
        fail();
}

void PdfFile::newPage()
{
    // Beginning a page writes the one before it.
    if (!m_writer->newPage())
        fail();
    checkWrites();
}

void PdfFile::finish(bool actualSize)
{
    checkWrites();
    if (actualSize) {
        // Read back from the disk: the writer keeps nothing of what it wrote.
        QFile written(m_file.temporaryPath());
        const QByteArray pdf = written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
        const QByteArray revision = ActualSizeRevision(pdf);
        if (revision.isEmpty()) {
            m_file.discard();
            throw std::runtime_error(
                (m_subject + QStringLiteral(" kon niet gemaakt worden.")).toStdString());
        }
        m_file.device().write(revision);
    }
    if (!m_file.finish())
        fail();
}

void PdfFile::commit()
{
    if (!m_file.commit())
        fail();
}

} // namespace platform
