// A save killed at any moment must leave the project file whole: the old content or the new,
// never a mix or nothing, and no stray file once the next save has gone through.

#include "save_loop_settings.h"

#include "ini/project_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

// Other sections before and after the program's own, some 300 KB in all, so that a save takes
// long enough for most kills to land in the middle of one.
QByteArray SurroundingSection(const char* header)
{
    QByteArray section = header;
    for (int line = 0; line < 1500; ++line)
        section += "REGEL" + QByteArray::number(line) + '=' +
                   QByteArray(90, static_cast<char>('a' + line % 26)) + "\r\n";
    return section;
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

TEST(CrashSafety, KilledSaveLeavesTheOldOrTheNewFileWholeAndNothingBehind)
{
    const QByteArray before = SurroundingSection("[VOOR]\r\n");
    const QByteArray after = SurroundingSection("[NA]\r\n");
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("project.ini"));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(before + "[VANTORBEL]\r\nVANTORBEL=1\r\n" + after);
    }
    ASSERT_TRUE(WriteProjectFile(file, SaveLoopSettings(1)));
    const QByteArray contentB = ReadBytes(file);
    ASSERT_TRUE(WriteProjectFile(file, SaveLoopSettings(0)));
    const QByteArray contentA = ReadBytes(file);
    ASSERT_NE(contentA, contentB);
    for (const QByteArray& content : {contentA, contentB}) {
        ASSERT_TRUE(content.startsWith(before + "[VANTORBEL]\r\n"));
        ASSERT_TRUE(content.endsWith("\r\n\r\n" + after));
    }

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delayMs(0, 50);
    const QByteArray fileArgument = QFile::encodeName(file);
    char* const argv[] = {const_cast<char*>(VANTORBEL_SAVE_LOOP),
                          const_cast<char*>(fileArgument.constData()), nullptr};
    const auto deadline = std::chrono::steady_clock::now() + 25s;
    int newContentSeen = 0;
    int kills = 0;
    QStringList strays;
    for (; kills < 50 && std::chrono::steady_clock::now() < deadline; ++kills) {
        SCOPED_TRACE(testing::Message() << "kill " << kills);
        pid_t child = 0;
        ASSERT_EQ(posix_spawn(&child, argv[0], nullptr, nullptr, argv, environ), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        // Ending any other way means save_loop failed a save or a sanitizer stopped it.
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;

        const QByteArray content = ReadBytes(file);
        ASSERT_TRUE(content == contentA || content == contentB)
            << content.size() << " bytes, the whole files have " << contentA.size() << " and "
            << contentB.size();
        newContentSeen += content == contentB;

        // Whatever the kill left beside the file, the next save must not leave it lying around.
        // Each stray is noted and cleared, so that one does not hide what the later kills leave.
        ASSERT_TRUE(WriteProjectFile(file, SaveLoopSettings(0)));
        for (const QString& name : Entries(folder.path())) {
            if (name == QLatin1String("project.ini"))
                continue;
            const QByteArray stray = ReadBytes(folder.filePath(name));
            strays << QStringLiteral("%1 after kill %2 (%3)")
                          .arg(name)
                          .arg(kills)
                          .arg(stray == contentA || stray == contentB
                                   ? QLatin1String("a complete save that never took its place")
                                   : QLatin1String("incomplete"));
            QFile::remove(folder.filePath(name));
        }
    }
    EXPECT_TRUE(strays.isEmpty()) << "left in place by the next save: "
                                  << strays.join(QLatin1String(", ")).toStdString();
    EXPECT_GE(kills, 30);
    // Without this, the kills might all have come before save_loop got to work.
    EXPECT_GT(newContentSeen, 0);
}

} // namespace
