// A write killed at any moment must leave the pages saved from the preview and the built-in PDF
// printer's file whole, the old or the new, and no stray file once the next write has gone
// through.

#include "kill_loop.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <utility>

namespace {

struct Output {
    const char* kind;
    QStringList files;
};

void PrintTo(const Output& output, std::ostream* os)
{
    *os << output.kind;
}

// Whether the file holds a complete document of its kind: a cut-off one lacks its end.
bool Whole(const QByteArray& bytes, const QString& name)
{
    if (name.endsWith(QLatin1String(".png")))
        return bytes.startsWith("\x89PNG") && bytes.endsWith(QByteArray("IEND\xae\x42\x60\x82"));
    return bytes.startsWith("%PDF-") && bytes.endsWith("%%EOF\n");
}

class OutputCrashSafety : public testing::TestWithParam<Output> {
protected:
    void writeOnce()
    {
        const int exitCode =
            QProcess::execute(QStringLiteral(VANTORBEL_OUTPUT_SAVE_LOOP),
                              {QLatin1String(GetParam().kind), target(), QStringLiteral("once")});
        ASSERT_EQ(exitCode, 0);
    }
    // The name the program is given: the numbered pages are named after it.
    QString target() const
    {
        return folder.filePath(QString(GetParam().files.front()).remove(QLatin1Char('0')));
    }

    QTemporaryDir folder;
};

TEST_P(OutputCrashSafety, KilledWriteLeavesTheOldOrTheNewFileWholeAndNothingBehind)
{
    ASSERT_TRUE(folder.isValid());
    ASSERT_NO_FATAL_FAILURE(writeOnce());
    QFile first(folder.filePath(GetParam().files.front()));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QByteArray once = first.readAll();
    // What the writes between the kills leave differs from what writeOnce() leaves.
    int changes = 0;
    KilledSaves saves;
    saves.saved = GetParam().files;
    saves.check = [&] {
        for (const QString& name : QDir(folder.path()).entryList(QDir::Files)) {
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            EXPECT_TRUE(Whole(bytes, name)) << name.toStdString() << ": " << bytes.size();
            if (name == GetParam().files.front())
                changes += bytes != once;
        }
    };
    saves.nextSave = [&] {
        writeOnce();
    };
    KillDuringSaves({VANTORBEL_OUTPUT_SAVE_LOOP, GetParam().kind, QFile::encodeName(target())},
                    folder.path(), saves);
    // Without this, the kills might all have come before the loop got to work.
    EXPECT_GT(changes, 0);
}

QStringList NumberedPages()
{
    QStringList pages;
    for (int page = 0; page < 12; ++page)
        pages << QStringLiteral("blad%1.png").arg(page);
    return pages;
}

INSTANTIATE_TEST_SUITE_P(Outputs, OutputCrashSafety,
                         testing::Values(Output{"pdf", {QStringLiteral("plan.pdf")}},
                                         Output{"printer", {QStringLiteral("afdruk.pdf")}},
                                         Output{"png", NumberedPages()}),
                         [](const testing::TestParamInfo<Output>& info) {
                             return std::string(info.param.kind);
                         });

} // namespace
