// Files that are not what a project file should be, read and saved directly and through the
// main window's open and save commands: each ends in the right box or a sensible result, within
// bounded time and memory, and nothing waits forever.

#include "mainwindow/project_fixture.h"

#include "ini/project_reader.h"
#include "ini/project_writer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <fstream>
#include <ostream>
#include <random>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps freed blocks resident in a 256 MB quarantine, which would hide whether a
// gigabyte streams through a small buffer; a small one still catches a use of a recent block.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=16";
}
#endif

// Shows texts as text in failure messages; gtest finds it by argument-dependent lookup.
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using namespace std::chrono_literals;

const QString kOpenError = QStringLiteral("Bestand kon niet geopend worden!");
const QString kSaveError = QStringLiteral("Bestand kon niet geschreven worden!");
constexpr qint64 kGigabyte = qint64(1) << 30;
constexpr qint64 kMaxGrowth = qint64(64) << 20;
constexpr qint64 kMaxMilliseconds = 10'000;
const QByteArray kSection = "[VANTORBEL]\r\nPROJECTNAAM=Verstopt\r\nVANTORBEL=70\r\n"
                            "ONDERHOOGTE=0\r\nBOVENHOOGTE=700\r\nDECIMALEN=2\r\nMODE=1\r\n"
                            "FONTNAME=Arial\r\nFONTSIZE=9\r\nFONTSTYLE=\r\n";

qint64 statusBytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string word;
    qint64 kilobytes = -1;
    while (status >> word)
        if (word == field && status >> kilobytes)
            break;
    return kilobytes * 1024;
}

struct Cost {
    qint64 growth;
    qint64 milliseconds;
};

// The peak memory is reset first, so that an earlier, larger peak cannot hide this one.
template <class Step> Cost measure(Step&& step)
{
    std::ofstream("/proc/self/clear_refs") << "5";
    const qint64 before = statusBytes("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    step();
    return {statusBytes("VmHWM:") - before, timer.elapsed()};
}

void expectBounded(const Cost& cost)
{
    EXPECT_LT(cost.growth, kMaxGrowth);
    EXPECT_LT(cost.milliseconds, kMaxMilliseconds);
}

QByteArray ReadBytes(const QString& file, qint64 offset, qint64 size)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly) || !in.seek(offset))
        return "<unreadable>";
    return in.read(size);
}

// Plays the writer whenever someone waits to read the FIFO: a reader that would hang forever is
// let go (it sees an empty file) and counted instead.
class FifoWatch {
public:
    explicit FifoWatch(const QString& path)
        : m_path(QFile::encodeName(path))
        , m_thread([this](std::stop_token stop) {
            while (!stop.stop_requested()) {
                if (const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK); fd >= 0) {
                    ++readers;
                    ::close(fd);
                }
                std::this_thread::sleep_for(10ms);
            }
        })
    {
    }

    std::atomic<int> readers = 0;

private:
    QByteArray m_path;
    std::jthread m_thread;
};

using HostileFilesTest = ProjectFixture;

TEST_F(HostileFilesTest, GigabyteWithoutLineBreakStreamsThroughOpenAndSave)
{
    const QString huge = path("groot.ini");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(kGigabyte)); // sparse: a gigabyte of NUL bytes on no disk
    }
    ProjectSettings settings;
    ProjectReadResult result = ProjectReadResult::Read;
    expectBounded(measure([&] { result = ReadProjectFile(huge, settings); }));
    EXPECT_EQ(result, ProjectReadResult::NotRead);

    expectBounded(measure([&] { open(huge); }));
    EXPECT_EQ(boxTexts(), QStringList{kOpenError});
    EXPECT_EQ(text("VantorbelEdit"), QStringLiteral("62,5"));

    boxes.boxes.clear();
    retype("VantorbelEdit", QStringLiteral("75"));
    expectBounded(measure([&] { save(huge); }));
    EXPECT_TRUE(boxes.boxes.empty());
    // The line stays whole in front, and the section follows it.
    const QByteArray seam = QByteArray(4, '\0') + "\r\n[VANTORBEL]\r\nPROJECTNAAM=\r\n";
    EXPECT_EQ(ReadBytes(huge, kGigabyte - 4, seam.size()), seam);
    EXPECT_EQ(ReadBytes(huge, kGigabyte / 2, 1 << 16), QByteArray(1 << 16, '\0'));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("groot.ini")});

    retype("VantorbelEdit", QStringLiteral("80"));
    expectBounded(measure([&] { open(huge); }));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(text("VantorbelEdit"), QStringLiteral("75"));
}

TEST_F(HostileFilesTest, SectionAfterAMegabyteOfControlBytesIsFoundAndTheBytesKept)
{
    // Every control byte but the two that end a line or the file: NUL, tab, lone LF, escape...
    QByteArray junk(1 << 20, '\0');
    std::mt19937 random(1);
    for (char& byte : junk)
        if (const char c = static_cast<char>(random() % 33); c != '\r' && c != 26)
            byte = c == 32 ? '\x7f' : c;
    const QByteArray after = "\r\n[ANDER]\r\nX=1\r\n";
    const QString file = path("ruis.ini");
    put(file, junk + "\r\n" + kSection + after);

    ProjectSettings settings;
    EXPECT_EQ(ReadProjectFile(file, settings), ProjectReadResult::Read);
    EXPECT_EQ(settings.Gauge, QStringLiteral("70"));

    open(file);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(text("ProjectNaamEdit"), QStringLiteral("Verstopt"));
    EXPECT_EQ(text("BovenhoogteEdit"), QStringLiteral("700"));
    EXPECT_EQ(rows(), 12);

    retype("ProjectNaamEdit", QStringLiteral("Gevonden"));
    save(file);
    EXPECT_TRUE(boxes.boxes.empty());
    const QByteArray saved = contents(file);
    EXPECT_TRUE(saved.startsWith(junk + "\r\n[VANTORBEL]\r\nPROJECTNAAM=Gevonden\r\n"));
    EXPECT_TRUE(saved.endsWith("\r\nFONTSTYLE=\r\n" + after));
}

TEST_F(HostileFilesTest, DirectoryAndFifoAreRefusedWithoutWaiting)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("map.ini")));
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pijp.ini")).constData(), 0644), 0);
    const FifoWatch fifo(path("pijp.ini"));
    for (const char* name : {"map.ini", "pijp.ini"}) {
        SCOPED_TRACE(name);
        boxes.boxes.clear();
        ProjectSettings settings;
        EXPECT_EQ(ReadProjectFile(path(name), settings), ProjectReadResult::NotRead);
        EXPECT_FALSE(WriteProjectFile(path(name), settings));
        open(path(name));
        save(path(name));
        EXPECT_EQ(boxTexts(), (QStringList{kOpenError, kSaveError}));
    }
    EXPECT_EQ(fifo.readers, 0);
    EXPECT_TRUE(QFileInfo(path("map.ini")).isDir());
    struct stat info {};
    ASSERT_EQ(lstat(QFile::encodeName(path("pijp.ini")).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("map.ini"), QStringLiteral("pijp.ini")}));
}

// Stands for a disk that fails half-way: the kernel refuses to read this process's memory at
// address 0, so the file opens but its first read fails.
TEST_F(HostileFilesTest, ReadErrorReachesTheTopLevelBox)
{
    const QString file = QStringLiteral("/proc/self/mem");
    ProjectSettings settings;
    EXPECT_THROW(ReadProjectFile(file, settings), std::runtime_error);
    calculate();
    open(file);
    EXPECT_EQ(boxTexts(),
              QStringList{QStringLiteral("Het bestand kon niet tot het einde gelezen worden.")});
    EXPECT_EQ(boxes.boxes.at(0).caption, QStringLiteral("Vantorbel"));
    EXPECT_EQ(boxes.boxes.at(0).icon, platform::BoxIcon::Error);
    EXPECT_EQ(rows(), 18);
}

// Root reads every file whatever its permissions; with the file-system identity of "nobody" this
// thread loses that power, so that the case runs for root too.
class AsNobody {
public:
    explicit AsNobody(const QString& folder, const QString& file)
    {
        if (geteuid() != 0)
            return;
        chmod(QFile::encodeName(folder).constData(), 0777);
        EXPECT_EQ(chown(QFile::encodeName(file).constData(), kNobody, kNobody), 0);
        m_previous = setfsuid(kNobody);
    }
    ~AsNobody()
    {
        if (m_previous >= 0)
            setfsuid(static_cast<uid_t>(m_previous));
    }

private:
    static constexpr uid_t kNobody = 65534;
    int m_previous = -1;
};

TEST_F(HostileFilesTest, FileWithoutReadPermissionIsRefusedAndKept)
{
    const QString file = path("geheim.ini");
    put(file, "[ANDER]\r\nX=1\r\n" + kSection);
    ASSERT_EQ(chmod(QFile::encodeName(file).constData(), 0200), 0);
    {
        const AsNobody nobody(folder.path(), file);
        if (const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY); fd >= 0) {
            ::close(fd);
            GTEST_SKIP() << "this user reads files without read permission";
        }
        ProjectSettings settings;
        EXPECT_EQ(ReadProjectFile(file, settings), ProjectReadResult::NotRead);
        open(file);
        save(file);
    }
    EXPECT_EQ(boxTexts(), (QStringList{kOpenError, kSaveError}));
    EXPECT_EQ(text("VantorbelEdit"), QStringLiteral("62,5"));
    ASSERT_EQ(chmod(QFile::encodeName(file).constData(), 0600), 0);
    EXPECT_EQ(contents(file), "[ANDER]\r\nX=1\r\n" + kSection);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("geheim.ini")});
}

TEST_F(HostileFilesTest, SaveThroughASymlinkUpdatesTheTargetAndKeepsTheLink)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("echt")));
    put(path("echt/project.ini"), "[VOOR]\r\nX=1\r\n" + kSection + "\r\n[NA]\r\nY=2\r\n");
    ASSERT_EQ(symlink("echt/project.ini", QFile::encodeName(path("link.ini")).constData()), 0);

    open(path("link.ini"));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(text("ProjectNaamEdit"), QStringLiteral("Verstopt"));
    retype("ProjectNaamEdit", QStringLiteral("Via link"));
    save(path("link.ini"));
    EXPECT_TRUE(boxes.boxes.empty());

    EXPECT_TRUE(QFileInfo(path("link.ini")).isSymLink());
    EXPECT_EQ(QFile::symLinkTarget(path("link.ini")), path("echt/project.ini"));
    const QByteArray saved = contents(path("echt/project.ini"));
    EXPECT_TRUE(saved.startsWith("[VOOR]\r\nX=1\r\n[VANTORBEL]\r\nPROJECTNAAM=Via link\r\n"));
    EXPECT_TRUE(saved.endsWith("\r\n[NA]\r\nY=2\r\n"));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("echt"), QStringLiteral("link.ini")}));
    EXPECT_EQ(entries("echt"), QStringList{QStringLiteral("project.ini")});
}

TEST_F(HostileFilesTest, DanglingSymlinkIsMissingToOpenAndSavingCreatesItsTarget)
{
    ASSERT_EQ(symlink("nieuw.ini", QFile::encodeName(path("los.ini")).constData()), 0);
    open(path("los.ini"));
    EXPECT_EQ(boxTexts(), (QStringList{QStringLiteral("inifile niet gevonden\r") + path("los.ini"),
                                       kOpenError}));

    boxes.boxes.clear();
    retype("VantorbelEdit", QStringLiteral("75"));
    save(path("los.ini"));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(QFileInfo(path("los.ini")).isSymLink());
    EXPECT_TRUE(contents(path("nieuw.ini")).contains("\r\nVANTORBEL=75\r\n"));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("los.ini"), QStringLiteral("nieuw.ini")}));

    retype("VantorbelEdit", QStringLiteral("80"));
    open(path("los.ini"));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(text("VantorbelEdit"), QStringLiteral("75"));
}

} // namespace
