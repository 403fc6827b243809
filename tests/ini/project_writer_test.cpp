#include "ini/project_reader.h"
#include "ini/project_writer.h"
#include "ini_test_support.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kHeader = "[VANTORBEL]\r\n";
// The nine key lines of the default settings and the empty line after them.
const QByteArray kDefaultKeys = "PROJECTNAAM=\r\nVANTORBEL=62,5\r\nONDERHOOGTE=0\r\n"
                                "BOVENHOOGTE=1000\r\nDECIMALEN=2\r\nMODE=1\r\nFONTNAME=Arial\r\n"
                                "FONTSIZE=9\r\nFONTSTYLE=\r\n\r\n";
const QByteArray kNewFile = "\r\n" + kHeader + kDefaultKeys;

class ProjectWriterTest : public testing::Test {
protected:
    QStringList entries() const
    {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    QByteArray lineOf(const QByteArray& key) const
    {
        for (const QByteArray& line : ReadBytes(path).split('\r'))
            if (line.startsWith('\n' + key + '='))
                return line.mid(1);
        return {};
    }
    ProjectSettings readBack() const
    {
        // Nothing of this must survive the reading.
        ProjectSettings settings = SettingsOf(QStringLiteral("x|x|x|x|x|x"), FontWith("x", 1, ""));
        EXPECT_EQ(ReadProjectFile(path, settings), ProjectReadResult::Read);
        return settings;
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.vtb"));
};

TEST_F(ProjectWriterTest, ANewFileHoldsAnEmptyLineAndTheSection)
{
    ASSERT_TRUE(WriteProjectFile(path, DefaultProjectSettings()));
    EXPECT_EQ(ReadBytes(path), kNewFile);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("project.vtb")});
}

struct RewriteCase {
    const char* name;
    QByteArray before;
    QByteArray after;
};

TEST_F(ProjectWriterTest, ReplacesTheFirstSectionAndKeepsEveryOtherLine)
{
    const QByteArray a(100000, 'a');
    const QByteArray b(100000, 'b');
    const QByteArray x(65535, 'x');
    const RewriteCase cases[] = {
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
        WriteBytes(path, c.before);
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
                                                             {"S", "FONTSTYLE=FSSTRIKEOUT"},
                                                             {"BIUS", "FONTSTYLE=FSBOLD"}};
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

TEST_F(ProjectWriterTest, ReadsBackWhatItWrote)
{
    const ProjectSettings cases[] = {
        DefaultProjectSettings(),
        SettingsOf(QStringLiteral("Schuur Ærø € 1½|62,5|-12,5|3000|1|2"),
                   FontWith("Segoe UI", 12, "I")),
        SettingsOf(QStringLiteral("a=b=c|=|==|[x]| 2 |1"), FontWith("Font=Name", 0, "U")),
        SettingsOf(QStringLiteral("|||||"), FontWith("", -2147483647 - 1, "S")),
        SettingsOf(QStringLiteral("東京 🧱|\t|x|y|z|w"), FontWith("Noto", 2147483647, "B")),
        SettingsOf(QStringLiteral("\uFEFFSchuur|62,5|0|1000|2|1"), FontWith("Arial", 9, ""))};
    for (const ProjectSettings& settings : cases) {
        SCOPED_TRACE(testing::PrintToString(settings));
        QFile::remove(path);
        ASSERT_TRUE(WriteProjectFile(path, settings));
        EXPECT_EQ(readBack(), settings);
        WriteBytes(path, "[A]\r\nX=1\r\n[VANTORBEL]\r\nMODE=7\r\nFONTSIZE=3\r\n[B]\r\nMODE=8\r\n");
        ASSERT_TRUE(WriteProjectFile(path, settings));
        EXPECT_EQ(readBack(), settings);
    }
}

TEST_F(ProjectWriterTest, FailsOnADirectory)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("project.vtb")));
    EXPECT_FALSE(WriteProjectFile(path, DefaultProjectSettings()));
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_TRUE(QDir(path).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("project.vtb")});
}

TEST_F(ProjectWriterTest, FailsInAReadOnlyFolderAndLeavesTheFileAlone)
{
    const QByteArray before = "[Other]\r\nA=1\r\n[VANTORBEL]\r\nMODE=2\r\n";
    WriteBytes(path, before);
    const QByteArray folder = QFile::encodeName(dir.path());
    ASSERT_EQ(::chmod(folder.constData(), 0555), 0);
    const auto restore = qScopeGuard([&] { ::chmod(folder.constData(), 0700); });
    if (::access(folder.constData(), W_OK) == 0)
        GTEST_SKIP() << "folder permissions are not enforced for this user";

    EXPECT_FALSE(WriteProjectFile(path, DefaultProjectSettings()));
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_FALSE(
        WriteProjectFile(dir.filePath(QStringLiteral("new.vtb")), DefaultProjectSettings()));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("project.vtb")});
}

TEST_F(ProjectWriterTest, SavingThroughASymlinkUpdatesItsTarget)
{
    const QString target = dir.filePath(QStringLiteral("target.vtb"));
    WriteBytes(target, "[Other]\r\nA=1\r\n");
    ASSERT_TRUE(QFile::link(target, path));
    ASSERT_TRUE(WriteProjectFile(path, DefaultProjectSettings()));
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_EQ(QFileInfo(path).symLinkTarget(), target);
    EXPECT_EQ(ReadBytes(target), "[Other]\r\nA=1\r\n" + kHeader + kDefaultKeys);
    EXPECT_EQ(entries(),
              (QStringList{QStringLiteral("project.vtb"), QStringLiteral("target.vtb")}));
}

TEST_F(ProjectWriterTest, SavingKeepsTheFilePermissions)
{
    WriteBytes(path, "[VANTORBEL]\r\nMODE=2\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(WriteProjectFile(path, DefaultProjectSettings()));
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(path), kHeader + kDefaultKeys);
}

// Hands out `source` to a reader and then reports a read error; takes `budget` bytes from a
// writer and then fails, with an error or, like a full disk, by quietly taking fewer bytes.
class FlakyDevice : public QIODevice {
public:
    FlakyDevice(const QByteArray& source, qint64 budget, bool reportsError)
        : m_source(source)
        , m_budget(budget)
        , m_reportsError(reportsError)
    {
        open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    QByteArray written;

protected:
    qint64 readData(char* data, qint64 size) override
    {
        const qint64 given = std::min<qint64>(size, m_source.size());
        std::copy_n(m_source.constData(), given, data);
        m_source.remove(0, given);
        return given > 0 ? given : -1;
    }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (m_reportsError && size > m_budget)
            return -1;
        const qint64 taken = std::min(size, m_budget);
        written.append(data, taken);
        m_budget -= taken;
        return taken;
    }

private:
    QByteArray m_source;
    qint64 m_budget;
    bool m_reportsError;
};

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

} // namespace
