// A save killed at any moment must leave the project file whole: the old content or the new,
// never a mix or nothing, and no stray file once the next save has gone through.

#include "kill_loop.h"
#include "save_loop_settings.h"

#include "ini/project_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

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

    int newContentSeen = 0;
    KilledSaves saves;
    saves.saved = QStringList{QStringLiteral("project.ini")};
    saves.check = [&] {
        const QByteArray content = ReadBytes(file);
        EXPECT_TRUE(content == contentA || content == contentB)
            << content.size() << " bytes, the whole files have " << contentA.size() << " and "
            << contentB.size();
        newContentSeen += content == contentB;
    };
    saves.nextSave = [&] {
        ASSERT_TRUE(WriteProjectFile(file, SaveLoopSettings(0)));
    };
    KillDuringSaves({VANTORBEL_SAVE_LOOP, QFile::encodeName(file)}, folder.path(), saves);
    // Without this, the kills might all have come before save_loop got to work.
    EXPECT_GT(newContentSeen, 0);
}

} // namespace
