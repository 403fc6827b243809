#include "ini/project_reader.h"
#include "ini/project_writer.h"
#include "support/flaky_device.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string_view>
#include <sys/stat.h>

// gtest finds these printers by argument-dependent lookup, so they sit beside the types. Bytes
// are shown escaped, and cut short: some files in these tests are 100 000 bytes.
static void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    static constexpr char kHex[] = "0123456789abcdef";
    *os << '"';
    for (const char c : bytes.left(300)) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '\r' || c == '\n')
            *os << (c == '\r' ? "\\r" : "\\n");
        else if (code < 0x20 || code >= 0x7f || c == '"' || c == '\\')
            *os << "\\x" << kHex[code >> 4] << kHex[code & 15];
        else
            *os << c;
    }
    *os << '"';
    if (bytes.size() > 300)
        *os << "... (" << bytes.size() << " bytes)";
}

static void PrintTo(const QString& text, std::ostream* os)
{
    PrintTo(text.toUtf8(), os);
}

static void PrintTo(const ProjectSettings& s, std::ostream* os)
{
    const ProjectFont& f = s.Font;
    PrintTo(
        QStringList{s.ProjectName, s.Gauge, s.Bottom, s.Top, s.Decimals, s.Mode, f.name}.join(u'|'),
        os);
    *os << ' ' << f.size << (f.bold ? " B" : "") << (f.italic ? " I" : "")
        << (f.underline ? " U" : "") << (f.strikeOut ? " S" : "");
    for (const FixedPointTexts& point : s.FixedPoints.value_or(std::vector<FixedPointTexts>{})) {
        *os << ' ';
        PrintTo(QStringList{point.name, point.height, QString::number(point.typedCount)}.join(u'|'),
                os);
    }
    *os << (s.FixedPoints ? "" : " no points") << (s.FixedPointsDamaged ? " damaged" : "");
    for (const StretchRuleTexts& rule : s.StretchRules) {
        *os << " rule ";
        PrintTo(QStringList{rule.from, rule.to, QString::number(rule.rule)}.join(u'|'), os);
    }
}

namespace {

// A font with the styles named by their letters: "BI" is bold and italic.
ProjectFont FontWith(const QString& name, int size, std::string_view styles)
{
    const auto has = [styles](char letter) {
        return styles.find(letter) != styles.npos;
    };
    return {name, size, has('B'), has('I'), has('U'), has('S')};
}

// The six field texts joined by "|", and a font.
ProjectSettings SettingsOf(const QString& texts, const ProjectFont& font)
{
    const QStringList t = texts.split(u'|');
    EXPECT_EQ(t.size(), 6);
    return {t.value(0), t.value(1), t.value(2), t.value(3), t.value(4), t.value(5), font};
}

// What the program starts with before any project file is read.
ProjectSettings DefaultProjectSettings()
{
    return SettingsOf(QStringLiteral("|62,5|0|1000|2|1"), FontWith(QStringLiteral("Arial"), 9, ""));
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A project file in a folder of its own.
class ProjectFileTest : public testing::Test {
protected:
    ProjectReadResult read(const QByteArray& bytes, ProjectSettings& settings)
    {
        WriteBytes(path, bytes);
        return ReadProjectFile(path, settings);
    }
    ProjectSettings readBack() const
    {
        // Nothing of this must survive the reading.
        ProjectSettings settings = SettingsOf(QStringLiteral("x|x|x|x|x|x"), FontWith("x", 1, ""));
        EXPECT_EQ(ReadProjectFile(path, settings), ProjectReadResult::Read);
        return settings;
    }
    QByteArray lineOf(const QByteArray& key) const
    {
        for (const QByteArray& line : ReadBytes(path).split('\r'))
            if (line.startsWith('\n' + key + '='))
                return line.mid(1);
        return {};
    }
    QStringList entries() const
    {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.vtb"));
};

// Two suites on one fixture, so that a failure names the side that broke.
class ProjectReaderTest : public ProjectFileTest {};
class ProjectWriterTest : public ProjectFileTest {};

// ---- Reading ---------------------------------------------------------------------------------

// Different from the defaults in every item, so that an item the reader wrongly touches shows.
const QString kPassedTexts = QStringLiteral("Oud|75|-10|2000|1|2");
ProjectFont PassedFont(std::string_view styles = "BU")
{
    return FontWith(QStringLiteral("Courier New"), 11, styles);
}
ProjectSettings PassedIn()
{
    return SettingsOf(kPassedTexts, PassedFont());
}

struct ResultCase {
    const char* name;
    QByteArray file;
    ProjectReadResult result;
};

TEST_F(ProjectReaderTest, ReadsOnlyWhenTheSectionHasLinesAfterItsHeader)
{
    using enum ProjectReadResult;
    const ResultCase cases[] = {
        {"empty file", "", NotRead},
        {"no section", "[Other]\r\nMODE=3\r\n", NotRead},
        {"lines ending in LF alone", "[VANTORBEL]\nMODE=3\n", NotRead},
        {"near misses of the header",
         "[VANTORBEL] \r\n [VANTORBEL]\r\n[ VANTORBEL ]\r\n[VANTORBEL\r\nVANTORBEL\r\n"
         "[VANTORBEL]x\r\n[VANTORBEL]=\r\nMODE=3\r\n",
         NotRead},
        {"header hidden after Ctrl-Z", "A\x1a\r\n[VANTORBEL]\r\nMODE=3\r\n", NotRead},
        {"header as last line", "[Other]\r\n[VANTORBEL]", NotRead},
        {"header as last line with line end", "[VANTORBEL]\r\n", NotRead},
        {"header as last line before Ctrl-Z", "[VANTORBEL]\r\n\x1aMODE=3\r\n", NotRead},
        {"header followed by a header", "[VANTORBEL]\r\n[Other]\r\nMODE=3\r\n", Read},
        {"header followed by an empty line", "[VANTORBEL]\r\n\r\n", Read},
        {"lower-case header", "MODE=3\r\n[vantorbel]\r\n\r\n", Read},
    };
    for (const ResultCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectSettings settings = PassedIn();
        EXPECT_EQ(read(c.file, settings), c.result);
        EXPECT_EQ(settings, PassedIn());
    }
}

struct SectionCase {
    const char* name;
    QByteArray file;
    ProjectSettings expected;
};

TEST_F(ProjectReaderTest, TakesEachKnownKeyOfTheFirstSectionOnly)
{
    const QByteArray y(100000, 'y');
    const auto texts = [](const char* t) {
        return SettingsOf(QString::fromUtf8(t), PassedFont());
    };
    const SectionCase cases[] = {
        {"all keys",
         "[VANTORBEL]\r\nPROJECTNAAM=Schuur\r\nVANTORBEL=62,5\r\nONDERHOOGTE=0\r\n"
         "BOVENHOOGTE=1000\r\nDECIMALEN=3\r\nMODE=1\r\nFONTNAME=Arial\r\nFONTSIZE=9\r\n"
         "FONTSTYLE=fsItalic\r\n",
         SettingsOf(QStringLiteral("Schuur|62,5|0|1000|3|1"), FontWith("Arial", 9, "I"))},
        {"absent keys kept", "[VANTORBEL]\r\nDECIMALEN=3\r\n", texts("Oud|75|-10|2000|3|2")},
        {"lower-case keys", "[vantorbel]\r\nvantorbel=70\r\nMoDe=4\r\n",
         texts("Oud|70|-10|2000|1|4")},
        {"blanks around a key make another key",
         "[VANTORBEL]\r\nVANTORBEL = 5\r\n MODE=1\r\nMODE =1\r\n", PassedIn()},
        {"last occurrence wins", "[VANTORBEL]\r\nMODE=1\r\nMODE=3\r\nMODE=4",
         texts("Oud|75|-10|2000|1|4")},
        {"value kept whole", "[VANTORBEL]\r\nPROJECTNAAM= a=b \r\nMODE=\r\n",
         texts(" a=b |75|-10|2000|1|")},
        {"odd lines skipped", "[VANTORBEL]\r\n; note\r\n=5\r\n\r\nJUNK=1\r\nMODE\r\nMODE=3",
         texts("Oud|75|-10|2000|1|3")},
        {"keys before the section ignored", "MODE=3\r\n[VANTORBEL]\r\nDECIMALEN=4\r\n",
         texts("Oud|75|-10|2000|4|2")},
        {"next section ends it", "[VANTORBEL]\r\nMODE=3\r\n[Other]\r\nDECIMALEN=4\r\n",
         texts("Oud|75|-10|2000|1|3")},
        {"any line starting with [ ends it", "[VANTORBEL]\r\nMODE=3\r\n[\r\nDECIMALEN=4",
         texts("Oud|75|-10|2000|1|3")},
        {"second own section ignored", "[VANTORBEL]\r\nMODE=3\r\n[VANTORBEL]\r\nDECIMALEN=4",
         texts("Oud|75|-10|2000|1|3")},
        {"lines ending in CR alone", "[VANTORBEL]\rMODE=3\rDECIMALEN=4",
         texts("Oud|75|-10|2000|4|3")},
        {"LF alone is part of the line", "[VANTORBEL]\r\nPROJECTNAAM=a\nMODE=3\r\n",
         texts("a\nMODE=3|75|-10|2000|1|2")},
        {"Ctrl-Z ends the file", "[VANTORBEL]\r\nMODE=3\x1a\r\nDECIMALEN=4\r\n",
         texts("Oud|75|-10|2000|1|3")},
        {"only 255 bytes of a line count",
         "[VANTORBEL]\r\nPROJECTNAAM=" + y + "\r\nMODE=3\r\nDECIMALEN=" + y,
         SettingsOf(y.left(243) + "|75|-10|2000|" + y.left(245) + "|3", PassedFont())},
        {"font name decoded as the texts are", "[VANTORBEL]\r\nFONTNAME=Tr\xe9s",
         SettingsOf(kPassedTexts, FontWith("Trés", 11, "BU"))},
    };
    for (const SectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectSettings settings = PassedIn();
        EXPECT_EQ(read(c.file, settings), ProjectReadResult::Read);
        EXPECT_EQ(settings, c.expected);
    }
}

// Values are UTF-8; a value that is not, from an older file, is Windows-1252 as a whole.
TEST_F(ProjectReaderTest, DecodesValuesAsUtf8OrElseAsWindows1252)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"Schuur \xc3\x86r\xc3\xb8 \xe2\x82\xac 1\xc2\xbd", QStringLiteral("Schuur Ærø € 1½")},
        {"\xf0\x9f\xa7\xb1", QStringLiteral("🧱")},
        {"\xef\xbb\xbfSchuur", QStringLiteral("\uFEFFSchuur")}, // a typed mark, kept
        {"Caf\xe9 \x80 5", QStringLiteral("Café € 5")},
        {"\x9f\x8a\x99", QStringLiteral("ŸŠ™")},
        {"\x81\x8d\x8f\x90\x9d", QStringLiteral("\u0081\u008d\u008f\u0090\u009d")}, // unassigned
        {"\xa0\xbd\xff", QStringLiteral("\u00a0½ÿ")},
        {"Caf\xc3\xa9 \xe9", QStringLiteral("CafÃ© é")},
        {"\xc0\x80", QStringLiteral("À€")},                // overlong
        {"\xed\xa0\x80", QStringLiteral("í\u00a0€")},      // a surrogate
        {"\xf4\x90\x80\x80", QStringLiteral("ô\u0090€€")}, // beyond U+10FFFF
    };
    for (const auto& [bytes, text] : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        ProjectSettings settings = PassedIn();
        EXPECT_EQ(read("[VANTORBEL]\r\nPROJECTNAAM=" + bytes, settings), ProjectReadResult::Read);
        EXPECT_EQ(settings.ProjectName, text);
    }
}

// Only 255 bytes of a line count; a UTF-8 character that the limit cuts in two is left out
// rather than turning the whole value into Windows-1252.
TEST_F(ProjectReaderTest, ALongLineCutInsideAUtf8CharacterKeepsItsWholeCharacters)
{
    const QByteArray e = "\xc3\xa9";
    const std::pair<QByteArray, QString> cases[] = {
        {e.repeated(122), QString(121, u'é')},
        {"a" + e.repeated(121) + "b", 'a' + QString(121, u'é')},
        {"ab" + QByteArray("\xe2\x82\xac").repeated(81), "ab" + QString(80, u'€')},
        {QByteArray("\xe9").repeated(300), QString(243, u'é')}, // Windows-1252 throughout
        {"\xe9" + e.repeated(121), QStringLiteral("é") + QString("Ã©").repeated(121)},
        // Windows-1252 whose bytes at the limit look like UTF-8 continuation bytes.
        {QByteArray("\xff").repeated(200) + QByteArray("\x99").repeated(100),
         QString(200, u'ÿ') + QString(43, u'™')},
    };
    for (const auto& [bytes, text] : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        ProjectSettings settings = PassedIn();
        EXPECT_EQ(read("[VANTORBEL]\r\nPROJECTNAAM=" + bytes + "\r\nMODE=2", settings),
                  ProjectReadResult::Read);
        EXPECT_EQ(settings.ProjectName, text);
        EXPECT_EQ(settings.Mode, QStringLiteral("2"));
    }
}

// A size follows the program's rules for whole numbers, whose every form the number reader's
// tests cover. Each key line takes effect as it is read, so the last one wins; a style word sets
// exactly its style, anything else leaves the styles alone.
TEST_F(ProjectReaderTest, FontSizeIsAWholeNumberAndFontStyleOneNamedStyle)
{
    const auto font = [](int size, std::string_view styles) {
        return FontWith(QStringLiteral("Courier New"), size, styles);
    };
    const std::pair<QByteArray, ProjectFont> cases[] = {
        {"FONTSIZE=12", font(12, "BU")},
        {"FONTSIZE=$1F", font(31, "BU")},
        {"FONTSIZE=-2147483648", font(-2147483647 - 1, "BU")},
        {"FONTSIZE=7\r\nFONTSIZE=12", font(12, "BU")},
        {"FONTSTYLE=fsBold", font(11, "B")},
        {"FONTSTYLE=FSITALIC", font(11, "I")},
        {"FONTSTYLE=fsunderline", font(11, "U")},
        {"FONTSTYLE=fsStrikeOut", font(11, "S")},
        {"FONTSTYLE=fsItalic\r\nFONTSTYLE=fsStrikeOut", font(11, "S")},
        {"FONTSTYLE=fsItalic\r\nFONTSTYLE=", font(11, "I")},
        {"FONTSTYLE=fsItalic\r\nFONTSTYLE=fsNone", font(11, "I")},
        {"FONTSTYLE=", font(11, "BU")},
        {"FONTSTYLE=fsBold ", font(11, "BU")},
        {"FONTSTYLE= fsItalic", font(11, "BU")},
        {"FONTSTYLE=fsBold,fsItalic", font(11, "BU")},
        {"FONTSTYLE=[fsItalic]", font(11, "BU")},
    };
    for (const auto& [lines, expected] : cases) {
        SCOPED_TRACE(testing::PrintToString(lines));
        ProjectSettings settings = PassedIn();
        EXPECT_EQ(read("[VANTORBEL]\r\n" + lines + "\r\n", settings), ProjectReadResult::Read);
        EXPECT_EQ(settings, SettingsOf(kPassedTexts, expected));
    }
}

// The reading stops at the first size that is no whole number, with a message that names it.
TEST_F(ProjectReaderTest, AnyOtherFontSizeStopsTheReading)
{
    for (const QByteArray value : {"", "12 ", "12pt", "2147483648"}) {
        SCOPED_TRACE(value.constData());
        ProjectSettings settings = PassedIn();
        try {
            read("[VANTORBEL]\r\nFONTSIZE=" + value + "\r\nFONTSIZE=12\r\n", settings);
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()),
                      "'" + value.toStdString() + "' is not a valid integer value");
        }
    }
}

// ---- Writing ---------------------------------------------------------------------------------

const QByteArray kHeader = "[VANTORBEL]\r\n";
// The nine key lines of the default settings and the empty line after them.
const QByteArray kDefaultKeys = "PROJECTNAAM=\r\nVANTORBEL=62,5\r\nONDERHOOGTE=0\r\n"
                                "BOVENHOOGTE=1000\r\nDECIMALEN=2\r\nMODE=1\r\nFONTNAME=Arial\r\n"
                                "FONTSIZE=9\r\nFONTSTYLE=\r\n\r\n";
const QByteArray kNewFile = "\r\n" + kHeader + kDefaultKeys;

struct RewriteCase {
    const char* name;
    std::optional<QByteArray> before; // none: no file yet
    QByteArray after;
};

TEST_F(ProjectWriterTest, WritesTheSectionInPlaceOfTheFirstAndKeepsEveryOtherLine)
{
    const QByteArray a(100000, 'a');
    const QByteArray b(100000, 'b');
    const QByteArray x(65535, 'x');
    const RewriteCase cases[] = {
        {"no file yet", std::nullopt, kNewFile},
        {"section between others",
         "; top\r\n[Other]\r\nA=1\r\n[vantorbel]\r\nPROJECTNAAM=Oud\r\nJUNK\r\n\r\nMODE=2\r\n\r\n"
         "[Next]\r\nB=2\r\n",
         "; top\r\n[Other]\r\nA=1\r\n[vantorbel]\r\n" + kDefaultKeys + "[Next]\r\nB=2\r\n"},
        {"file saved before", kNewFile, kNewFile},
        {"empty file", "", kHeader + kDefaultKeys},
        {"no section, last line without end", "[Other]\r\nA=1",
         "[Other]\r\nA=1\r\n" + kHeader + kDefaultKeys},
        {"header with a trailing blank", "[VANTORBEL] \r\nMODE=2\r\n",
         "[VANTORBEL] \r\nMODE=2\r\n" + kHeader + kDefaultKeys},
        {"header as last line", "[Other]\r\n[VANTORBEL]", "[Other]\r\n" + kHeader + kDefaultKeys},
        {"next header as last line", "[VANTORBEL]\r\nMODE=2\r\n[Next]",
         kHeader + kDefaultKeys + "[Next]\r\n"},
        {"header followed by a header", "[VANTORBEL]\r\n[Next]\r\n",
         kHeader + kDefaultKeys + "[Next]\r\n"},
        {"second own section kept", "[VANTORBEL]\r\nMODE=2\r\n[VANTORBEL]\r\nMODE=3\r\n",
         kHeader + kDefaultKeys + "[VANTORBEL]\r\nMODE=3\r\n"},
        {"lines ending in CR alone", "A\r[VANTORBEL]\rMODE=2\r[Next]\rB",
         "A\r\n" + kHeader + kDefaultKeys + "[Next]\r\nB\r\n"},
        {"lines ending in LF alone", "[Other]\nA=1\n[VANTORBEL]\nMODE=2\n",
         "[Other]\nA=1\n[VANTORBEL]\nMODE=2\n\r\n" + kHeader + kDefaultKeys},
        {"Ctrl-Z in the section", "A\r\n[VANTORBEL]\r\nMODE=2\x1a[Next]\r\nB\r\n",
         "A\r\n" + kHeader + kDefaultKeys},
        {"Ctrl-Z before any section", "A\r\nB\x1a\r\n[VANTORBEL]\r\nMODE=2\r\n",
         "A\r\nB\r\n" + kHeader + kDefaultKeys},
        {"long lines", a + "\r\n[VANTORBEL]\r\n" + a + "\r\n[Next]\r\n" + b + "\r\n" + b,
         a + "\r\n" + kHeader + kDefaultKeys + "[Next]\r\n" + b + "\r\n" + b + "\r\n"},
        {"CR LF split between reads", x + "\r\n[VANTORBEL]\r\nMODE=2\r\n",
         x + "\r\n" + kHeader + kDefaultKeys},
    };
    for (const RewriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        if (c.before)
            WriteBytes(path, *c.before);
        ASSERT_TRUE(WriteProjectFile(path, DefaultProjectSettings()));
        EXPECT_EQ(ReadBytes(path), c.after);
        EXPECT_EQ(entries(), QStringList{QStringLiteral("project.vtb")});
    }
}

TEST_F(ProjectWriterTest, WritesValuesAsUtf8WithoutLineBreaksOrEndOfFileMarks)
{
    ProjectSettings settings = DefaultProjectSettings();
    settings.ProjectName = QStringLiteral("Schuur Ærø € 1½");
    settings.Gauge = QStringLiteral("62\r,5\n");
    settings.Top = QStringLiteral("\r\n[Other]");
    settings.Font.name = QStringLiteral("Ari\x1a"
                                        "al");
    settings.Font.size = -12;
    ASSERT_TRUE(WriteProjectFile(path, settings));
    EXPECT_EQ(ReadBytes(path),
              "\r\n[VANTORBEL]\r\nPROJECTNAAM=Schuur \xc3\x86r\xc3\xb8 \xe2\x82\xac "
              "1\xc2\xbd\r\nVANTORBEL=62,5\r\nONDERHOOGTE=0\r\n"
              "BOVENHOOGTE=[Other]\r\nDECIMALEN=2\r\nMODE=1\r\nFONTNAME=Arial\r\n"
              "FONTSIZE=-12\r\nFONTSTYLE=\r\n\r\n");
}

struct CutCase {
    QString text;
    qsizetype lineSize;
    qsizetype keptUnits; // UTF-16 units of the text that come back
};

TEST_F(ProjectWriterTest, CutsLongKeyLinesTo255BytesBetweenCharacters)
{
    const CutCase cases[] = {
        {QString(243, u'a'), 255, 243},
        {QString(300, u'a'), 255, 243},
        {QString(200, u'é'), 254, 121},
        {u'a' + QString(200, u'é'), 255, 122},
        {QStringLiteral("€").repeated(100), 255, 81},
        {QStringLiteral("🧱").repeated(100), 252, 120},
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE(c.text.left(3).toStdString() + "... " + std::to_string(c.text.size()));
        ProjectSettings settings = DefaultProjectSettings();
        settings.ProjectName = c.text;
        ASSERT_TRUE(WriteProjectFile(path, settings));
        EXPECT_EQ(lineOf("PROJECTNAAM").size(), c.lineSize);
        settings.ProjectName = c.text.left(c.keptUnits);
        EXPECT_EQ(readBack(), settings);
    }
    ProjectSettings settings = DefaultProjectSettings();
    settings.Font.name = QString(300, u'n');
    ASSERT_TRUE(WriteProjectFile(path, settings));
    settings.Font.name.truncate(255 - 9);
    EXPECT_EQ(readBack(), settings);
}

TEST_F(ProjectWriterTest, WritesTheFirstStyleOfTheFontAndReadsOnlyThatOneBack)
{
    const std::pair<std::string_view, QByteArray> cases[] = {{"", "FONTSTYLE="},
                                                             {"BI", "FONTSTYLE=FSBOLD"},
                                                             {"IUS", "FONTSTYLE=FSITALIC"},
                                                             {"US", "FONTSTYLE=FSUNDERLINE"},
                                                             {"S", "FONTSTYLE=FSSTRIKEOUT"}};
    for (const auto& [styles, line] : cases) {
        SCOPED_TRACE(line.constData());
        ProjectSettings settings = DefaultProjectSettings();
        settings.Font = FontWith("Arial", 9, styles);
        ASSERT_TRUE(WriteProjectFile(path, settings));
        EXPECT_EQ(lineOf("FONTSTYLE"), line);
        // The letters are in writing order: the first is the style that comes back.
        settings.Font = FontWith("Arial", 9, styles.substr(0, 1));
        EXPECT_EQ(readBack(), settings);
    }
}

// Values with the characters that mean something in the file come back as they were written.
TEST_F(ProjectWriterTest, ReadsBackWhatItWrote)
{
    const ProjectSettings cases[] = {
        SettingsOf(QStringLiteral("a=b=c|=|==|[x]| 2 |1"), FontWith("Font=Name", 0, "U")),
        SettingsOf(QStringLiteral("|||||"), FontWith("", -2147483647 - 1, "S")),
        SettingsOf(QStringLiteral("東京 🧱|\t|x|y|z|w"), FontWith("Noto", 2147483647, "B")),
        SettingsOf(QStringLiteral("\uFEFFSchuur|62,5|0|1000|2|1"), FontWith("Arial", 9, ""))};
    for (const ProjectSettings& settings : cases) {
        SCOPED_TRACE(testing::PrintToString(settings));
        ASSERT_TRUE(WriteProjectFile(path, settings));
        EXPECT_EQ(readBack(), settings);
    }
}

// The saved file takes the place of the old one as it was: a link stays a link to the same
// file, and the file keeps who may read it.
TEST_F(ProjectWriterTest, SavingThroughASymlinkUpdatesItsTargetAndKeepsItsPermissions)
{
    const QString target = dir.filePath(QStringLiteral("target.vtb"));
    WriteBytes(target, "[Other]\r\nA=1\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(target, path));
    ASSERT_TRUE(WriteProjectFile(path, DefaultProjectSettings()));
    EXPECT_EQ(QFileInfo(path).symLinkTarget(), target);
    EXPECT_EQ(ReadBytes(target), "[Other]\r\nA=1\r\n" + kHeader + kDefaultKeys);
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(entries(),
              (QStringList{QStringLiteral("project.vtb"), QStringLiteral("target.vtb")}));
}

TEST(WriteProjectSettings, FailsWhenTheTargetStopsTakingBytes)
{
    QByteArray file = "[Other]\r\nA=1\r\n[VANTORBEL]\r\nMODE=2\r\n[Next]\r\nB=2";
    const QByteArray expected = "[Other]\r\nA=1\r\n" + kHeader + kDefaultKeys + "[Next]\r\nB=2\r\n";
    for (const bool reportsError : {true, false}) {
        for (const qint64 budget : {qint64(0), qint64(1), qint64(20), expected.size() / 2,
                                    expected.size() - 1, expected.size()}) {
            SCOPED_TRACE(testing::Message() << "error " << reportsError << ", budget " << budget);
            QBuffer source(&file);
            ASSERT_TRUE(source.open(QIODevice::ReadOnly));
            FlakyDevice target({}, budget, reportsError);
            EXPECT_EQ(WriteProjectSettings(source, target, DefaultProjectSettings()),
                      budget == expected.size());
            EXPECT_EQ(target.written, expected.left(target.written.size()));
        }
    }
}

TEST(WriteProjectSettings, FailsWhenTheSourceCannotBeReadToTheEnd)
{
    for (const QByteArray first : {"", "[Other]\r\nA=1\r\n", "[VANTORBEL]\r\nMODE=2\r\n"}) {
        SCOPED_TRACE(first.constData());
        FlakyDevice source(first, 0, true);
        QByteArray out;
        QBuffer target(&out);
        ASSERT_TRUE(target.open(QIODevice::WriteOnly));
        EXPECT_FALSE(WriteProjectSettings(source, target, DefaultProjectSettings()));
    }
}

// ---- Fixed points ----------------------------------------------------------------------------

const QByteArray kPointsHeader = "[VASTE PUNTEN]\r\n";

ProjectSettings WithPoints(std::vector<FixedPointTexts> points)
{
    ProjectSettings settings = DefaultProjectSettings();
    settings.FixedPoints = std::move(points);
    return settings;
}

// Names and heights with every character that means something in the file or in the value.
TEST_F(ProjectWriterTest, FixedPointsComeBackAsTheyWereWritten)
{
    const std::vector<FixedPointTexts> points = {
        {QStringLiteral("a=b;c[d]e"), QStringLiteral("=;[]"), 0},
        {QStringLiteral(" \"Vloer\" 'oud' "), QStringLiteral(" +2,850 "), 14},
        {QStringLiteral("\\;\\\\;"), QStringLiteral("\\;"), 2147483647},
        {QStringLiteral("Ærø 東京 🧱 ü"), QStringLiteral("€ 1½"), 3},
        {QString(60, u'東'), QString(50, u'9'), 1000000000},
        {QString(59, u';') + u'\\', QStringLiteral("[x]"), 7},
        {QStringLiteral("\uFEFF"), QString(), 0},
        {QString(), QString(), 0},
    };
    for (const ProjectSettings& settings : {WithPoints(points), WithPoints({})}) {
        ASSERT_TRUE(WriteProjectFile(path, settings));
        EXPECT_EQ(readBack(), settings);
    }
    EXPECT_EQ(ReadBytes(path), kNewFile + kPointsHeader + "\r\n");
    ASSERT_TRUE(WriteProjectFile(path, WithPoints({points[0], points[1], points[2]})));
    EXPECT_EQ(ReadBytes(path), kNewFile + kPointsHeader +
                                   "PUNT1=0;a=b\\;c[d]e;=;[]\r\n"
                                   "PUNT2=14; \"Vloer\" 'oud' ; +2,850 \r\n"
                                   "PUNT3=2147483647;\\\\\\;\\\\\\\\\\;;\\;\r\n\r\n");
}

// Within the limits every point fits its line; beyond them the writer keeps to them, so that a
// saved plan always opens again.
TEST_F(ProjectWriterTest, FixedPointsBeyondTheLimitsAreCutToThem)
{
    std::vector<FixedPointTexts> points(51, {QStringLiteral("p"), QStringLiteral("1"), 1});
    points[0] = {QString(61, u'n'), QString(300, u'h'), -5};
    points[1] = {QStringLiteral("a\r\nb\x1a"), QStringLiteral("1\r\n2"), 0};
    ASSERT_TRUE(WriteProjectFile(path, WithPoints(points)));
    EXPECT_EQ(lineOf("PUNT1").size(), 255);
    EXPECT_EQ(lineOf("PUNT51"), QByteArray());
    points.pop_back();
    points[0] = {QString(60, u'n'), QString(255 - 6 - 1 - 2 - 60, u'h'), 0};
    points[1] = {QStringLiteral("ab"), QStringLiteral("12"), 0};
    EXPECT_EQ(readBack(), WithPoints(points));
}

TEST_F(ProjectWriterTest, FixedPointsReplaceTheFirstSectionOfTheirNameOrFollowAtTheEnd)
{
    const QByteArray points = "PUNT1=4;Vloer;0\r\n\r\n";
    const RewriteCase cases[] = {
        {"no file yet", std::nullopt, kNewFile + kPointsHeader + points},
        {"no section yet", "[Other]\r\n[VANTORBEL]\r\n\r\n[Next]\r\nB=2\r\n",
         "[Other]\r\n" + kHeader + kDefaultKeys + "[Next]\r\nB=2\r\n" + kPointsHeader + points},
        {"section before the program's, lower case",
         "[vaste punten]\r\nPUNT1=1;Oud;5\r\nJUNK\r\n[VANTORBEL]\r\n[VASTE PUNTEN]\r\nPUNT1=",
         "[vaste punten]\r\n" + points + kHeader + kDefaultKeys + "[VASTE PUNTEN]\r\nPUNT1=\r\n"},
        {"section after another", "[VANTORBEL]\r\n[Next]\r\n[VASTE PUNTEN]\r\nPUNT2=x\r\n[Last]",
         kHeader + kDefaultKeys + "[Next]\r\n" + kPointsHeader + points + "[Last]\r\n"},
    };
    for (const RewriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        if (c.before)
            WriteBytes(path, *c.before);
        ASSERT_TRUE(WriteProjectFile(path, WithPoints({{QStringLiteral("Vloer"), "0", 4}})));
        EXPECT_EQ(ReadBytes(path), c.after);
    }
}

// What a build that knows no fixed points does: the section stays as it is, damaged or not.
TEST_F(ProjectWriterTest, SettingsWithoutFixedPointsKeepTheSectionAsItIs)
{
    for (const QByteArray section : {"PUNT1=4;Vloer;0\r\n\r\n", "PUNT1=x\r\nPUNT1=\r\n"}) {
        const QByteArray file = kPointsHeader + section + "[VANTORBEL]\r\nMODE=2\r\n";
        WriteBytes(path, file);
        ASSERT_TRUE(WriteProjectFile(path, DefaultProjectSettings()));
        EXPECT_EQ(ReadBytes(path), kPointsHeader + section + kHeader + kDefaultKeys);
    }
}

TEST_F(ProjectReaderTest, ADamagedFixedPointsSectionLeavesNoPointsAndTheRestOpens)
{
    const QByteArray name61 = "PUNT1=0;" + QByteArray(61, 'n') + ";1";
    QByteArray fiftyOne;
    for (int i = 1; i <= 51; ++i)
        fiftyOne += "PUNT" + QByteArray::number(i) + "=1;p;1\r\n";
    for (const QByteArray& section : QList<QByteArray>{"PUNT2=1;a;1",
                                                       "PUNT1=1;a;1\r\nPUNT3=1;b;2",
                                                       "PUNT1=1;a;1\r\nPUNT1=1;a;1",
                                                       "PUNT01=1;a;1",
                                                       "PUNT1 =1;a;1",
                                                       "; note",
                                                       "X=1",
                                                       "PUNT1=1;a",
                                                       "PUNT1=1",
                                                       "PUNT1=",
                                                       "PUNT1=1;a\\b;1",
                                                       "PUNT1=1;a\\",
                                                       "PUNT1=-1;a;1",
                                                       "PUNT1=+1;a;1",
                                                       "PUNT1= 1;a;1",
                                                       "PUNT1=;a;1",
                                                       "PUNT1=2147483648;a;1",
                                                       "PUNT1=0x1;a;1",
                                                       name61,
                                                       "PUNT1=0;n;" + QByteArray(300, 'h'),
                                                       fiftyOne}) {
        SCOPED_TRACE(testing::PrintToString(section));
        ProjectSettings settings = PassedIn();
        settings.FixedPoints = std::vector<FixedPointTexts>{};
        EXPECT_EQ(read("[VASTE PUNTEN]\r\n" + section + "\r\n[VANTORBEL]\r\nMODE=3\r\n", settings),
                  ProjectReadResult::Read);
        ProjectSettings expected = SettingsOf(QStringLiteral("Oud|75|-10|2000|1|3"), PassedFont());
        expected.FixedPointsDamaged = true;
        EXPECT_EQ(settings, expected);
    }
}

TEST_F(ProjectReaderTest, FixedPointsAreReadWhereverTheirFirstSectionStands)
{
    const std::vector<FixedPointTexts> points = {{QStringLiteral("Trés"), "0", 0},
                                                 {QStringLiteral(""), QStringLiteral(";"), 12}};
    const QByteArray section = "[Vaste Punten]\r\n\r\npunt1=0;Tr\xe9s;0\r\n\r\nPUNT2=12;;;\r\n";
    for (const QByteArray& file :
         {section + "[VANTORBEL]\r\nMODE=3\r\n[VASTE PUNTEN]\r\nX",
          "[VANTORBEL]\r\nMODE=3\r\n[Other]\r\nA=1\r\n" + section + "[VASTE PUNTEN]\r\n"}) {
        SCOPED_TRACE(testing::PrintToString(file));
        ProjectSettings settings = PassedIn();
        settings.FixedPointsDamaged = true;
        EXPECT_EQ(read(file, settings), ProjectReadResult::Read);
        ProjectSettings expected = SettingsOf(QStringLiteral("Oud|75|-10|2000|1|3"), PassedFont());
        expected.FixedPoints = points;
        EXPECT_EQ(settings, expected);
    }
}

TEST(ReadProjectSettings, AFileThatFailsAfterTheProgramsSectionOpensWithoutItsPoints)
{
    ProjectSettings settings;
    settings.FixedPoints = std::vector<FixedPointTexts>{};
    FlakyDevice source("[VANTORBEL]\r\nMODE=3\r\n[Next]\r\n", 0, true);
    EXPECT_TRUE(ReadProjectSettings(source, settings));
    EXPECT_EQ(settings.Mode, QStringLiteral("3"));
    EXPECT_EQ(settings.FixedPoints, std::nullopt);
    EXPECT_TRUE(settings.FixedPointsDamaged);
}

// ---- Stretch rules ---------------------------------------------------------------------------

const QByteArray kRulesHeader = "[VASTE PUNTEN SOORT]\r\n";
const QByteArray kOnePoint = kPointsHeader + "PUNT1=4;Vloer;0\r\n\r\n";

ProjectSettings WithRules(std::vector<StretchRuleTexts> rules)
{
    ProjectSettings settings = WithPoints({{QStringLiteral("Vloer"), "0", 4}});
    settings.StretchRules = std::move(rules);
    return settings;
}

// Heights with every character that means something in the file or in the value. Only the two
// rules other than the default are written.
TEST_F(ProjectWriterTest, StretchRulesComeBackAsTheyWereWritten)
{
    const std::vector<StretchRuleTexts> rules = {
        {QStringLiteral("a;b\\;"), QStringLiteral("=;[\\"), 1},
        {QStringLiteral("1"), QStringLiteral("2"), 0},
        {QStringLiteral("Ærø"), QString(), 2},
        {QStringLiteral("3"), QStringLiteral("4"), 3},
        {QString(), QStringLiteral("5"), -1},
    };
    ASSERT_TRUE(WriteProjectFile(path, WithRules(rules)));
    EXPECT_EQ(ReadBytes(path), kNewFile + kOnePoint + kRulesHeader +
                                   "VAK1=MIN;a\\;b\\\\\\;;=;[\\\r\n"
                                   "VAK2=PLUS;\xc3\x86r\xc3\xb8;\r\n\r\n");
    EXPECT_EQ(readBack(), WithRules({rules[0], rules[2]}));
}

TEST_F(ProjectWriterTest, StretchRulesTakeTheFirstSectionOfTheirNameOrFollowTheEndOrGo)
{
    const QByteArray rules = "VAK1=PLUS;0;2\r\n\r\n";
    const ProjectSettings withRules = WithRules({{QStringLiteral("0"), QStringLiteral("2"), 2}});
    ProjectSettings withoutPoints = withRules;
    withoutPoints.FixedPoints.reset();
    const struct {
        const char* name;
        QByteArray before;
        ProjectSettings settings;
        QByteArray after;
    } cases[] = {
        {"no section yet", "[VANTORBEL]\r\n", withRules,
         kHeader + kDefaultKeys + kOnePoint + kRulesHeader + rules},
        {"before the others, lower case",
         "[vaste punten soort]\r\nVAK1=MIN;1;2\r\nJUNK\r\n[VASTE PUNTEN]\r\n[VANTORBEL]\r\n"
         "[VASTE PUNTEN SOORT]\r\nVAK1=x",
         withRules,
         "[vaste punten soort]\r\n" + rules + kOnePoint + kHeader + kDefaultKeys +
             "[VASTE PUNTEN SOORT]\r\nVAK1=x\r\n"},
        {"no rule to write", "[A]\r\n[VASTE PUNTEN SOORT]\r\nVAK1=MIN;1;2\r\n\r\n[VANTORBEL]\r\n",
         WithRules({{QStringLiteral("0"), QStringLiteral("2"), 0}}),
         "[A]\r\n" + kHeader + kDefaultKeys + kOnePoint},
        {"no points", "[VASTE PUNTEN SOORT]\r\nVAK1=x\r\n[VANTORBEL]\r\n", withoutPoints,
         "[VASTE PUNTEN SOORT]\r\nVAK1=x\r\n" + kHeader + kDefaultKeys},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path, c.before);
        ASSERT_TRUE(WriteProjectFile(path, c.settings));
        EXPECT_EQ(ReadBytes(path), c.after);
    }
}

// The facade's section takes the place of the first of its name, or follows the end; a build
// that has no facade keeps the section as it is, as every build keeps a section it does not know.
TEST_F(ProjectWriterTest, TheFacadeTakesTheFirstSectionOfItsNameAndIsKeptWithoutIt)
{
    ProjectSettings withFacade = DefaultProjectSettings();
    withFacade.Facade = std::vector<KeyedLine>{{"BREEDTE", QStringLiteral("5500")},
                                               {"SPARING1", QStringLiteral("r\\;a;1;2;3;4;")}};
    const QByteArray facade = "BREEDTE=5500\r\nSPARING1=r\\;a;1;2;3;4;\r\n\r\n";
    const struct {
        const char* name;
        QByteArray before;
        ProjectSettings settings;
        QByteArray after;
    } cases[] = {
        {"no section yet", "[VANTORBEL]\r\n", withFacade,
         kHeader + kDefaultKeys + "[GEVEL]\r\n" + facade},
        {"before the program's, lower case", "[gevel]\r\nX=1\r\n[VANTORBEL]\r\n[GEVEL]\r\nY",
         withFacade, "[gevel]\r\n" + facade + kHeader + kDefaultKeys + "[GEVEL]\r\nY\r\n"},
        {"a build without it", "[GEVEL]\r\nBREEDTE=1\r\n[VANTORBEL]\r\n", DefaultProjectSettings(),
         "[GEVEL]\r\nBREEDTE=1\r\n" + kHeader + kDefaultKeys},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path, c.before);
        ASSERT_TRUE(WriteProjectFile(path, c.settings));
        EXPECT_EQ(ReadBytes(path), c.after);
        if (c.settings.Facade)
            EXPECT_EQ(readBack().Facade, c.settings.Facade);
    }
}

// Rules are a convenience: a line that does not read costs that line, never the points.
TEST_F(ProjectReaderTest, AStretchRuleLineThatDoesNotReadIsSkippedAlone)
{
    const QByteArray section = kRulesHeader +
                               "vak1=MIN;0;1\r\n"
                               "; note\r\nX=1\r\nVAK1=MIN;a;b\r\nVAK3=MIN;a;b\r\n"
                               "VAK2=MAX;a;b\r\nVAK3=min;a;b\r\nVAK4=PLUS;a\r\n"
                               "VAK5=PLUS\r\nVAK6=PLUS;a\\b;c\r\nVAK7=PLUS;1;" +
                               QByteArray(300, 'h') + "\r\nVAK8=PLUS;\\;;\xe9\r\n";
    const QByteArray rest = "[VANTORBEL]\r\nMODE=3\r\n" + kOnePoint;
    for (const QByteArray& file :
         {section + rest, rest + "[A]\r\n" + section + kRulesHeader + "VAK1=MIN;9;9\r\n"}) {
        SCOPED_TRACE(testing::PrintToString(file));
        ProjectSettings settings = PassedIn();
        settings.StretchRules = {{QStringLiteral("x"), QStringLiteral("y"), 1}};
        EXPECT_EQ(read(file, settings), ProjectReadResult::Read);
        ProjectSettings expected = SettingsOf(QStringLiteral("Oud|75|-10|2000|1|3"), PassedFont());
        expected.FixedPoints = WithRules({}).FixedPoints;
        expected.StretchRules = {{QStringLiteral("0"), QStringLiteral("1"), 1},
                                 {QStringLiteral(";"), QStringLiteral("é"), 2}};
        EXPECT_EQ(settings, expected);
    }
}

// Reading on for the rules must not cost points read whole before the failure.
TEST(ReadProjectSettings, AFileThatFailsWhileTheRulesAreSoughtLosesOnlyThem)
{
    const QByteArray points = "[VANTORBEL]\r\nMODE=3\r\n" + kOnePoint;
    const QByteArray rules = kRulesHeader + "VAK1=MIN;1;2\r\n";
    const std::pair<QByteArray, bool> cases[] = {
        {points + "[Next]\r\n", true},
        {points + rules, true},
        {rules + "[VANTORBEL]\r\nMODE=3\r\n[Next]\r\n", false}};
    for (const auto& [file, pointsKept] : cases) {
        SCOPED_TRACE(file.constData());
        ProjectSettings settings;
        settings.FixedPoints = std::vector<FixedPointTexts>{};
        FlakyDevice source(file, 0, true);
        EXPECT_TRUE(ReadProjectSettings(source, settings));
        EXPECT_EQ(settings.Mode, QStringLiteral("3"));
        EXPECT_EQ(settings.FixedPoints, pointsKept ? WithRules({}).FixedPoints : std::nullopt);
        EXPECT_EQ(settings.FixedPointsDamaged, !pointsKept);
        EXPECT_EQ(settings.StretchRules, std::vector<StretchRuleTexts>{});
    }
}

} // namespace
