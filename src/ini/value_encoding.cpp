#include "value_encoding.h"

#include <QStringDecoder>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned codes stay as the
// C1 controls, as Windows itself maps them.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString fromWindows1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text += code >= 0x80 && code < 0xA0 ? QChar(kWindows1252High[code - 0x80]) : QChar(code);
    }
    return text;
}

bool isUtf8(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // decode() only converts when its result is taken: discarded, no error is ever seen.
    const QString decoded = utf8.decode(bytes);
    return !utf8.hasError();
}

} // namespace

QString DecodeProjectValue(const QByteArray& bytes)
{
    // A leading byte-order mark is part of the value the user typed, not a marker to drop.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromWindows1252(bytes) : text;
}

QByteArray EncodeProjectValue(const QString& value)
{
    QByteArray bytes = value.toUtf8();
    bytes.removeIf([](char c) { return c == '\r' || c == '\n' || c == 26; });
    return bytes;
}

QByteArray CutAtCharacter(const QByteArray& line, qsizetype limit)
{
    if (line.size() <= limit)
        return line;
    qsizetype cut = limit;
    // Step back over continuation bytes (10xxxxxx) to the start of the character that does not fit.
    while (cut > 0 && (static_cast<unsigned char>(line.at(cut)) & 0xC0) == 0x80)
        --cut;
    return line.left(cut);
}

QByteArray EvaluatedPart(const QByteArray& line, qsizetype limit)
{
    const QByteArray head = line.left(limit);
    if (line.size() <= limit)
        return head;
    const QByteArray whole = CutAtCharacter(line, limit);
    return whole.size() < limit && isUtf8(whole) ? whole : head;
}
