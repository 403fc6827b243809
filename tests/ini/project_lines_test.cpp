#include "ini/project_keys.h"
#include "ini/value_encoding.h"
#include "ini_test_support.h"

#include <gtest/gtest.h>

namespace {

struct KeyLineCase {
    QByteArray line;
    QByteArray key;
    QByteArray value;
};

TEST(ProjectKeyLine, SplitsAtTheFirstEqualsSignAndUpperCasesOnlyAsciiLettersOfTheKey)
{
    const QByteArray longValue(300, 'v');
    const KeyLineCase cases[] = {
        {"PROJECTNAAM=Schuur", "PROJECTNAAM", "Schuur"},
        {"projectNaam=Schuur", "PROJECTNAAM", "Schuur"},
        {"VANTORBEL = 5", "VANTORBEL ", " 5"},
        {"  mode=2  ", "  MODE", "2  "},
        {"PROJECTNAAM=a=b==", "PROJECTNAAM", "a=b=="},
        {"xyz=1", "XYZ", "1"},
        {"\xe9t\xe9=x", "\xe9T\xe9", "x"},
        {"caf\xc3\xa9=1", "CAF\xc3\xa9", "1"},
        {"MODE=", "MODE", ""},
        {"=2", "", "2"},
        {"MODE 2", "", ""},
        {"", "", ""},
        // Only the first 255 bytes of a line count: the value is cut there, and an "=" after
        // them makes no key line.
        {"K=" + longValue, "K", longValue.left(253)},
        {QByteArray(254, 'k') + "=v", QByteArray(254, 'K'), ""},
        {QByteArray(255, 'k') + "=v", "", ""},
    };
    for (const KeyLineCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.line));
        EXPECT_EQ(ProjectKeyOf(c.line), c.key);
        EXPECT_EQ(ProjectValueOf(c.line), c.value);
    }
}

TEST(ProjectKeyLine, OnlyTheProgramsOwnBracketedNameInAnyCaseIsItsHeader)
{
    for (const QByteArray line : {"[VANTORBEL]", "[vantorbel]", "[VanTorBel]"}) {
        SCOPED_TRACE(line.constData());
        EXPECT_TRUE(IsProjectSectionHeader(line));
    }
    for (const QByteArray line : {"[VANTORBEL] ", " [VANTORBEL]", "[VANTORBEL", "VANTORBEL",
                                  "[VANTORBEL]x", "[VANTORBEL]=", "[ VANTORBEL ]", "[Other]", ""}) {
        SCOPED_TRACE(line.constData());
        EXPECT_FALSE(IsProjectSectionHeader(line));
    }
}

struct DecodeCase {
    QByteArray bytes;
    QString text;
};

TEST(ProjectValueEncoding, DecodesUtf8AndFallsBackToWindows1252ForTheWholeValue)
{
    const DecodeCase cases[] = {
        {"", QString()},
        {"Schuur 62,5", QStringLiteral("Schuur 62,5")},
        {"Caf\xc3\xa9", QStringLiteral("Café")},
        {"\xe2\x82\xac \xf0\x9f\xa7\xb1", QStringLiteral("€ 🧱")},
        {"\xef\xbb\xbfSchuur", QStringLiteral("\uFEFFSchuur")},
        // Older files were written in the Windows code page.
        {"Caf\xe9", QStringLiteral("Café")},
        {"\x80", QStringLiteral("€")},
        {"\x9f\x8a\x99", QStringLiteral("ŸŠ™")},
        {"\x81\x8d\x8f\x90\x9d", QStringLiteral("\u0081\u008d\u008f\u0090\u009d")},
        {"\xa0\xbd\xff", QStringLiteral("\u00a0½ÿ")},
        {"Caf\xc3\xa9 \xe9", QStringLiteral("CafÃ© é")},
        {"\xc0\x80", QStringLiteral("À€")},
        {"\xed\xa0\x80", QStringLiteral("í\u00a0€")},
        {"\xf4\x90\x80\x80", QStringLiteral("ô\u0090€€")},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EXPECT_EQ(DecodeProjectValue(c.bytes), c.text);
    }
}

struct CutCase {
    QByteArray line;
    qsizetype limit;
    QByteArray cut;
};

TEST(ProjectValueEncoding, CutsOnlyBetweenUtf8Characters)
{
    const CutCase cases[] = {
        {"", 0, ""},
        {"abc", 3, "abc"},
        {"abcd", 3, "abc"},
        {"a\xc3\xa9", 3, "a\xc3\xa9"},
        {"a\xc3\xa9", 2, "a"},
        {"a\xc3\xa9z", 3, "a\xc3\xa9"},
        {"\xe2\x82\xac\xe2\x82\xac", 5, "\xe2\x82\xac"},
        {"\xe2\x82\xac\xe2\x82\xac", 2, ""},
        {"x\xf0\x9f\xa7\xb1", 4, "x"},
        {"x\xf0\x9f\xa7\xb1y", 5, "x\xf0\x9f\xa7\xb1"},
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.line) + " to " + std::to_string(c.limit));
        EXPECT_EQ(CutAtCharacter(c.line, c.limit), c.cut);
    }
}

} // namespace
