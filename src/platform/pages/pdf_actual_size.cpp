#include "platform/pages/pdf_actual_size.h"

#include <QRegularExpression>

#include <optional>

namespace platform {
namespace {

constexpr qsizetype kXrefEntrySize = 20; // "0000001234 00000 n \n"

bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

qsizetype skipSpace(const QByteArray& pdf, qsizetype at)
{
    while (at < pdf.size() && isSpace(pdf[at]))
        ++at;
    return at;
}

// The unsigned number at `at` (after white space), and where it ends.
std::optional<std::pair<qint64, qsizetype>> numberAt(const QByteArray& pdf, qsizetype at)
{
    at = skipSpace(pdf, at);
    const qsizetype start = at;
    while (at < pdf.size() && pdf[at] >= '0' && pdf[at] <= '9' && at - start < 18)
        ++at;
    if (at == start)
        return std::nullopt;
    return std::pair{pdf.mid(start, at - start).toLongLong(), at};
}

// The offset of object `object` in the classic cross-reference table at `xref`, and where the
// table ends (at its trailer).
struct XrefTable {
    std::optional<qint64> objectOffset;
    qsizetype end = 0;
};

std::optional<XrefTable> readXref(const QByteArray& pdf, qsizetype xref, qint64 object)
{
    if (!pdf.mid(xref).startsWith("xref"))
        return std::nullopt;
    XrefTable table;
    qsizetype at = xref + 4;
    for (;;) {
        at = skipSpace(pdf, at);
        if (pdf.mid(at).startsWith("trailer"))
            break;
        const auto first = numberAt(pdf, at);
        const auto count = first ? numberAt(pdf, first->second) : std::nullopt;
        if (!count)
            return std::nullopt;
        at = skipSpace(pdf, count->second);
        if (at + count->first * kXrefEntrySize > pdf.size())
            return std::nullopt;
        if (object >= first->first && object < first->first + count->first) {
            const QByteArray entry =
                pdf.mid(at + (object - first->first) * kXrefEntrySize, kXrefEntrySize);
            if (entry.size() != kXrefEntrySize || entry[17] != 'n')
                return std::nullopt;
            table.objectOffset = entry.left(10).toLongLong();
        }
        at += count->first * kXrefEntrySize;
    }
    table.end = at;
    return table;
}

// The text between the outermost << and >> of [from, to), or nothing.
std::optional<QByteArray> dictionaryBody(const QByteArray& pdf, qsizetype from, qsizetype to)
{
    const qsizetype open = pdf.indexOf("<<", from);
    const qsizetype close = pdf.lastIndexOf(">>", to - 2);
    if (open < 0 || close < 0 || open >= to || close < open + 2)
        return std::nullopt;
    return pdf.mid(open + 2, close - open - 2);
}

QByteArray padded(qint64 number, int width)
{
    return QByteArray::number(number).rightJustified(width, '0');
}

} // namespace

QByteArray ActualSizeRevision(const QByteArray& pdf)
{
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    const auto xref = startxref >= 0 ? numberAt(pdf, startxref + 9) : std::nullopt;
    if (!xref || xref->first >= startxref)
        return {};

    // The trailer names the catalog, which the table then finds.
    const qsizetype trailerAt = pdf.indexOf("trailer", xref->first);
    const auto trailer = trailerAt >= 0 ? dictionaryBody(pdf, trailerAt, startxref) : std::nullopt;
    if (!trailer || trailer->contains("/Prev") || trailer->contains("/XRefStm"))
        return {};
    const QRegularExpressionMatch root =
        QRegularExpression(QStringLiteral("/Root\\s+(\\d+)\\s+(\\d+)\\s+R"))
            .match(QString::fromLatin1(*trailer));
    if (!root.hasMatch())
        return {};
    const qint64 object = root.captured(1).toLongLong();
    const qint64 generation = root.captured(2).toLongLong();
    const auto table = readXref(pdf, xref->first, object);
    if (!table || table->end != trailerAt || !table->objectOffset)
        return {};

    const qsizetype objectAt = *table->objectOffset;
    const QByteArray header = QByteArray::number(object) + ' ' + QByteArray::number(generation);
    const qsizetype endobj = pdf.indexOf("endobj", objectAt);
    if (objectAt >= pdf.size() || !pdf.mid(objectAt).startsWith(header + " obj") || endobj < 0)
        return {};
    const auto catalog = dictionaryBody(pdf, objectAt, endobj);
    if (!catalog || catalog->contains("stream") || catalog->contains("/ViewerPreferences") ||
        !QRegularExpression(QStringLiteral("/Type\\s*/Catalog\\b"))
             .match(QString::fromLatin1(*catalog))
             .hasMatch())
        return {};

    QByteArray revision;
    if (!pdf.endsWith('\n') && !pdf.endsWith('\r'))
        revision += '\n';
    const qint64 newObjectAt = pdf.size() + revision.size();
    revision += header + " obj\n<<" + *catalog +
                "/ViewerPreferences << /PrintScaling /None >>\n>>\nendobj\n";
    const qint64 newXrefAt = pdf.size() + revision.size();
    revision += "xref\n" + QByteArray::number(object) + " 1\n" + padded(newObjectAt, 10) + ' ' +
                padded(generation, 5) + " n \n";
    revision += "trailer\n<<" + *trailer + "/Prev " + QByteArray::number(xref->first) +
                "\n>>\nstartxref\n" + QByteArray::number(newXrefAt) + "\n%%EOF\n";
    return revision;
}

} // namespace platform
