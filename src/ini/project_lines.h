#pragma once

#include <QByteArray>

class QIODevice;

// Only this much of a line is ever evaluated; key lines are written no longer than this.
constexpr qsizetype kProjectLineLimit = 255;

// Writes lines ending in CR LF and remembers whether every byte arrived: a device may accept
// fewer bytes than asked without reporting an error (a full disk).
class ProjectLineWriter {
public:
    explicit ProjectLineWriter(QIODevice& device)
        : m_device(device)
    {
    }

    void writeBytes(const QByteArray& bytes);
    void endLine() { writeBytes(QByteArrayLiteral("\r\n")); }
    void writeLine(const QByteArray& line)
    {
        writeBytes(line);
        endLine();
    }
    bool failed() const { return m_failed; }

private:
    QIODevice& m_device;
    bool m_failed = false;
};

// Splits a project file into lines the way project files have always been read: a line ends at
// a carriage return, a line feed right after it belongs to that line end (a lone line feed is
// an ordinary character), and Ctrl-Z ends the file. Lines of any length stream through in
// pieces, so a hostile file never has to fit in memory.
class ProjectLineReader {
public:
    explicit ProjectLineReader(QIODevice& device);

    // True when no line follows (also after a read error).
    bool atEnd();
    // The first byte of the next line, or '\0' when it is empty or none follows.
    char peekFirstByte();
    // Reads the next line: its first kProjectLineLimit bytes into head, and the byte after them
    // when the line is longer (it tells whether a character straddles the limit); with copy, the
    // whole line and a CR LF go there too.
    void readLine(QByteArray& head, ProjectLineWriter* copy = nullptr)
    {
        readHead(head);
        finishLine(head, copy);
    }
    // The two halves of readLine, for a caller that decides by the head whether to copy the line
    // (a header line is whole in its head). Nothing else may be read in between.
    void readHead(QByteArray& head);
    void finishLine(const QByteArray& head, ProjectLineWriter* copy);
    // True when the device reported a read error.
    bool failed() const { return m_failed; }

private:
    bool bufferHasData();

    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_position = 0;
    bool m_ended = false;
    bool m_failed = false;
};
