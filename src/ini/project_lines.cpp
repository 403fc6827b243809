#include "project_lines.h"

#include <QIODevice>

#include <algorithm>

namespace {

constexpr qsizetype kChunkSize = 64 * 1024;
constexpr char kEndOfFile = 26; // Ctrl-Z

} // namespace

void ProjectLineWriter::writeBytes(const QByteArray& bytes)
{
    if (m_failed || bytes.isEmpty())
        return;
    if (m_device.write(bytes) != bytes.size())
        m_failed = true;
}

ProjectLineReader::ProjectLineReader(QIODevice& device)
    : m_device(device)
{
}

bool ProjectLineReader::bufferHasData()
{
    if (m_position < m_buffer.size())
        return true;
    if (m_ended)
        return false;
    m_buffer.resize(kChunkSize);
    const qint64 got = m_device.read(m_buffer.data(), kChunkSize);
    if (got < 0)
        m_failed = true;
    if (got <= 0) {
        m_buffer.clear();
        m_ended = true;
        return false;
    }
    m_buffer.resize(got);
    m_position = 0;
    if (const qsizetype stop = m_buffer.indexOf(kEndOfFile); stop >= 0) {
        m_buffer.truncate(stop);
        m_ended = true;
    }
    return m_position < m_buffer.size();
}

bool ProjectLineReader::atEnd()
{
    return !bufferHasData();
}

char ProjectLineReader::peekFirstByte()
{
    if (!bufferHasData())
        return '\0';
    const char first = m_buffer.at(m_position);
    return first == '\r' ? '\0' : first;
}

void ProjectLineReader::readHead(QByteArray& head)
{
    head.clear();
    while (head.size() <= kProjectLineLimit && bufferHasData()) {
        const qsizetype lineEnd = m_buffer.indexOf('\r', m_position);
        const qsizetype pieceEnd = std::min(lineEnd < 0 ? m_buffer.size() : lineEnd,
                                            m_position + kProjectLineLimit + 1 - head.size());
        head += m_buffer.mid(m_position, pieceEnd - m_position);
        m_position = pieceEnd;
        if (pieceEnd == lineEnd)
            break;
    }
}

void ProjectLineReader::finishLine(const QByteArray& head, ProjectLineWriter* copy)
{
    if (copy)
        copy->writeBytes(head);
    while (bufferHasData()) {
        const qsizetype lineEnd = m_buffer.indexOf('\r', m_position);
        const qsizetype pieceEnd = lineEnd < 0 ? m_buffer.size() : lineEnd;
        if (copy)
            copy->writeBytes(m_buffer.mid(m_position, pieceEnd - m_position));
        m_position = pieceEnd;
        if (lineEnd >= 0) {
            ++m_position;
            if (bufferHasData() && m_buffer.at(m_position) == '\n')
                ++m_position;
            break;
        }
    }
    if (copy)
        copy->endLine();
}
