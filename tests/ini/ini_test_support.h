#pragma once

#include "ini/project_settings.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>
#include <string_view>

// gtest finds these printers by argument-dependent lookup, so they sit in the namespace of the
// types. Bytes are shown escaped, and cut short: some files in these tests are 100 000 bytes.
inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    static constexpr char kHex[] = "0123456789abcdef";
    *os << '"';
    for (const char c : bytes.left(300)) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '\r')
            *os << "\\r";
        else if (c == '\n')
            *os << "\\n";
        else if (code < 0x20 || code >= 0x7f || c == '"' || c == '\\')
            *os << "\\x" << kHex[code >> 4] << kHex[code & 15];
        else
            *os << c;
    }
    *os << '"';
    if (bytes.size() > 300)
        *os << "... (" << bytes.size() << " bytes)";
}

inline void PrintTo(const QString& text, std::ostream* os)
{
    PrintTo(text.toUtf8(), os);
}

inline void PrintTo(const ProjectSettings& s, std::ostream* os)
{
    for (const QString* text :
         {&s.ProjectName, &s.Gauge, &s.Bottom, &s.Top, &s.Decimals, &s.Mode, &s.Font.name}) {
        PrintTo(*text, os);
        *os << ' ';
    }
    *os << s.Font.size << (s.Font.bold ? " B" : "") << (s.Font.italic ? " I" : "")
        << (s.Font.underline ? " U" : "") << (s.Font.strikeOut ? " S" : "");
}

// A font with the styles named by their letters: "BI" is bold and italic.
inline ProjectFont FontWith(const QString& name, int size, std::string_view styles)
{
    const auto has = [styles](char letter) {
        return styles.find(letter) != styles.npos;
    };
    return {name, size, has('B'), has('I'), has('U'), has('S')};
}

// The six field texts joined by "|", and a font.
inline ProjectSettings SettingsOf(const QString& texts, const ProjectFont& font)
{
    const QStringList t = texts.split(u'|');
    EXPECT_EQ(t.size(), 6);
    return {t.value(0), t.value(1), t.value(2), t.value(3), t.value(4), t.value(5), font};
}

// What the program starts with before any project file is read.
inline ProjectSettings DefaultProjectSettings()
{
    return SettingsOf(QStringLiteral("|62,5|0|1000|2|1"), FontWith(QStringLiteral("Arial"), 9, ""));
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}
