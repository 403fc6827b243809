#include "ini/project_reader.h"
#include "ini_test_support.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

class ProjectReaderTest : public testing::Test {
protected:
    ProjectReadResult read(const QByteArray& bytes, ProjectSettings& settings)
    {
        WriteBytes(path, bytes);
        return ReadProjectFile(path, settings);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.vtb"));
};

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
        {"header with a trailing blank", "[VANTORBEL] \r\nMODE=3\r\n", NotRead},
        {"header with a leading blank", " [VANTORBEL]\r\nMODE=3\r\n", NotRead},
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

TEST_F(ProjectReaderTest, TellsAMissingFileFromOneThatCannotBeRead)
{
    ProjectSettings settings = PassedIn();
    EXPECT_EQ(ReadProjectFile(dir.filePath(QStringLiteral("none.vtb")), settings),
              ProjectReadResult::FileMissing);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.vtb")));
    EXPECT_EQ(ReadProjectFile(dir.filePath(QStringLiteral("folder.vtb")), settings),
              ProjectReadResult::NotRead);
    EXPECT_EQ(settings, PassedIn());
}

TEST_F(ProjectReaderTest, AFileThatCannotBeOpenedIsNotRead)
{
    WriteBytes(path, "[VANTORBEL]\r\nMODE=3\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0), 0);
    if (::access(QFile::encodeName(path).constData(), R_OK) == 0)
        GTEST_SKIP() << "file permissions are not enforced for this user";
    ProjectSettings settings = PassedIn();
    EXPECT_EQ(ReadProjectFile(path, settings), ProjectReadResult::NotRead);
    EXPECT_EQ(settings, PassedIn());
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
        {"long line before the section", y + "\r\n[VANTORBEL]\r\nMODE=3",
         texts("Oud|75|-10|2000|1|3")},
        {"CR LF split between reads", QByteArray(65535, 'x') + "\r\n[VANTORBEL]\r\nMODE=3",
         texts("Oud|75|-10|2000|1|3")},
        {"UTF-8 value",
         "[VANTORBEL]\r\nPROJECTNAAM=Schuur \xc3\x86r\xc3\xb8 \xe2\x82\xac 1\xc2\xbd",
         texts("Schuur Ærø € 1½|75|-10|2000|1|2")},
        {"Windows-1252 values", "[VANTORBEL]\r\nPROJECTNAAM=Caf\xe9 \x80 5\r\nFONTNAME=Tr\xe9s",
         SettingsOf(QStringLiteral("Café € 5|75|-10|2000|1|2"), FontWith("Trés", 11, "BU"))},
    };
    for (const SectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectSettings settings = PassedIn();
        EXPECT_EQ(read(c.file, settings), ProjectReadResult::Read);
        EXPECT_EQ(settings, c.expected);
    }
}

TEST_F(ProjectReaderTest, FontSizeMustBeAWholeNumber)
{
    const std::pair<QByteArray, int> good[] = {
        {"12", 12},  {"  12", 12}, {"+12", 12},  {"-8", -8},
        {"$1F", 31}, {"x1f", 31},  {"0X1F", 31}, {"-2147483648", -2147483647 - 1}};
    for (const auto& [value, size] : good) {
        SCOPED_TRACE(value.constData());
        ProjectSettings settings = PassedIn();
        EXPECT_EQ(read("[VANTORBEL]\r\nFONTSIZE=" + value, settings), ProjectReadResult::Read);
        EXPECT_EQ(settings, SettingsOf(kPassedTexts, FontWith("Courier New", size, "BU")));
    }
    for (const QByteArray value : {"", " ", "12 ", "1 2", "12pt", "1,5", "+$1F", "2147483648"}) {
        SCOPED_TRACE(value.constData());
        ProjectSettings settings = PassedIn();
        try {
            read("[VANTORBEL]\r\nFONTSIZE=" + value + "\r\n", settings);
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()),
                      "'" + value.toStdString() + "' is not a valid integer value");
        }
    }
}

TEST_F(ProjectReaderTest, FontStyleSetsExactlyTheNamedStyleOrLeavesTheStylesAlone)
{
    const std::pair<QByteArray, std::string_view> cases[] = {
        {"fsBold", "B"},      {"FSITALIC", "I"}, {"fsunderline", "U"}, {"fsStrikeOut", "S"},
        {"", "BU"},           {"fsBold ", "BU"}, {" fsItalic", "BU"},  {"fsBold,fsItalic", "BU"},
        {"[fsItalic]", "BU"}, {"fsNormal", "BU"}};
    for (const auto& [value, styles] : cases) {
        SCOPED_TRACE(value.constData());
        ProjectSettings settings = PassedIn();
        EXPECT_EQ(read("[VANTORBEL]\r\nFONTSTYLE=" + value + "\r\n", settings),
                  ProjectReadResult::Read);
        EXPECT_EQ(settings, SettingsOf(kPassedTexts, PassedFont(styles)));
    }
}

// The last FONTSIZE or FONTSTYLE line alone decides, just as for the text items: an earlier line
// with another value has no say.
// Each key line takes effect as it is read, so a later line wins, but an earlier bad size has
// already stopped the reading and an earlier style word has already been applied.
TEST_F(ProjectReaderTest, FontLinesTakeEffectInTurn)
{
    const std::pair<QByteArray, ProjectFont> cases[] = {
        {"FONTSIZE=7\r\nFONTSIZE=12", FontWith("Courier New", 12, "BU")},
        {"FONTSTYLE=fsItalic\r\nFONTSTYLE=", PassedFont("I")},
        {"FONTSTYLE=fsItalic\r\nFONTSTYLE=fsNone", PassedFont("I")},
        {"FONTSTYLE=fsItalic\r\nFONTSTYLE=fsStrikeOut", PassedFont("S")}};
    for (const auto& [lines, font] : cases) {
        SCOPED_TRACE(testing::PrintToString(lines));
        ProjectSettings settings = PassedIn();
        EXPECT_NO_THROW(read("[VANTORBEL]\r\n" + lines + "\r\n", settings));
        EXPECT_EQ(settings, SettingsOf(kPassedTexts, font));
    }
    ProjectSettings settings = PassedIn();
    EXPECT_THROW(read("[VANTORBEL]\r\nFONTSIZE=abc\r\nFONTSIZE=12\r\n", settings),
                 std::runtime_error);
}

} // namespace
