#pragma once

// Reference pieces for the project file harnesses (Qt Core).

#include "fuzz_support.h"

#include "ini/project_settings.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

inline QByteArray Bytes(std::string_view text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string_view View(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The code points of well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF), or nothing.
inline std::optional<std::u32string> StrictUtf8(std::string_view bytes)
{
    std::u32string points;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int length = 0;
        char32_t point = 0;
        char32_t lowest = 0;
        if (lead < 0x80) {
            length = 1;
            point = lead;
        } else if (lead >= 0xc0 && lead < 0xe0) {
            length = 2;
            point = lead & 0x1f;
            lowest = 0x80;
        } else if (lead >= 0xe0 && lead < 0xf0) {
            length = 3;
            point = lead & 0x0f;
            lowest = 0x800;
        } else if (lead >= 0xf0 && lead < 0xf8) {
            length = 4;
            point = lead & 0x07;
            lowest = 0x10000;
        } else {
            return std::nullopt;
        }
        if (i + length > bytes.size())
            return std::nullopt;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xc0) != 0x80)
                return std::nullopt;
            point = (point << 6) | (next & 0x3f);
        }
        if (point < lowest || point > 0x10ffff || (point >= 0xd800 && point <= 0xdfff))
            return std::nullopt;
        points += point;
        i += length;
    }
    return points;
}

// The text of these code points. Not QString::fromUcs4: that drops a leading U+FEFF as a
// byte-order mark, and here it is a character like any other.
inline QString FromCodePoints(std::u32string_view points)
{
    QString text;
    for (const char32_t point : points) {
        if (point < 0x10000) {
            text += QChar(static_cast<char16_t>(point));
        } else {
            text += QChar(static_cast<char16_t>(0xd800 + ((point - 0x10000) >> 10)));
            text += QChar(static_cast<char16_t>(0xdc00 + ((point - 0x10000) & 0x3ff)));
        }
    }
    return text;
}

// A value's text: UTF-8 when the bytes are well-formed UTF-8 (a leading byte-order mark is
// part of the text), otherwise Windows-1252 with its five unassigned codes as C1 controls.
inline QString ReferenceDecode(std::string_view bytes)
{
    if (const std::optional<std::u32string> points = StrictUtf8(bytes))
        return FromCodePoints(*points);

    static constexpr char16_t k80To9F[32] = {
        u'€', 0x81, u'‚', u'ƒ', u'„', u'…', u'†', u'‡', u'ˆ', u'‰', u'Š',
        u'‹', u'Œ', 0x8d, u'Ž', 0x8f, 0x90, u'‘', u'’', u'“', u'”', u'•',
        u'–', u'—', u'˜', u'™', u'š', u'›', u'œ', 0x9d, u'ž', u'Ÿ',
    };
    QString text;
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        text += QChar(code >= 0x80 && code < 0xa0 ? k80To9F[code - 0x80] : char16_t(code));
    }
    return text;
}

inline std::string Shown(const QString& text)
{
    return Escaped(View(text.toUtf8()));
}

inline std::string Shown(const ProjectSettings& s)
{
    std::string out;
    for (const QString* text :
         {&s.ProjectName, &s.Gauge, &s.Bottom, &s.Top, &s.Decimals, &s.Mode, &s.Font.name})
        out += Shown(*text) + " ";
    out += std::to_string(s.Font.size);
    out += s.Font.bold ? " B" : "";
    out += s.Font.italic ? " I" : "";
    out += s.Font.underline ? " U" : "";
    out += s.Font.strikeOut ? " S" : "";
    return out;
}

// Hands out its bytes in pieces of the given sizes, in turn, the way a pipe or a slow disk may:
// the line reader must join lines, CR LF pairs and Ctrl-Z across the pieces. At the end it
// reports 0 bytes, as a file does (-1 would be a read error).
class TrickleDevice : public QIODevice {
public:
    TrickleDevice(QByteArray bytes, std::vector<qint64> pieces)
        : m_bytes(std::move(bytes))
        , m_pieces(std::move(pieces))
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 piece = m_pieces[m_next++ % m_pieces.size()];
        const qint64 given = std::min({maxSize, piece, m_bytes.size() - m_position});
        std::memcpy(data, m_bytes.constData() + m_position, static_cast<std::size_t>(given));
        m_position += given;
        return given;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    std::vector<qint64> m_pieces;
    std::size_t m_next = 0;
    qint64 m_position = 0;
};

} // namespace fuzz
