#include "platform/files/file_system_calls.h"
#include "platform/files/replacing_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Link = platform::ReplacingFile::Link;

// Locks and folder syncs that fail as they do on file systems without them.
struct FailingCalls final : platform::FileSystemCalls {
    int lock(int descriptor, int operation) override
    {
        return lockError != 0 ? lockError : ::flock(descriptor, operation) == 0 ? 0 : errno;
    }
    int syncFolder(int descriptor) override
    {
        return syncError != 0 ? syncError : ::fsync(descriptor) == 0 ? 0 : errno;
    }
    int lockError = 0;
    int syncError = 0;
};

class ReplacingFileTest : public ::testing::Test {
protected:
    QString at(const char* name) const { return folder.filePath(QLatin1String(name)); }
    void put(const char* name, const QByteArray& bytes, mode_t mode = 0644)
    {
        QFile file(at(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        ASSERT_EQ(::fchmod(file.handle(), mode), 0);
    }
    QByteArray contents(const char* name) const
    {
        QFile file(at(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    // Saves "nieuw" by `name`: the failure, or nothing when it went well.
    std::optional<platform::WriteFailure> save(const char* name, Link link = Link::WriteThrough)
    {
        platform::ReplacingFile file(at(name), link);
        if (file.open() && file.device().write("nieuw") == 5 && file.commit())
            return std::nullopt;
        return file.failure();
    }
    QStringList entries(const char* sub = ".") const
    {
        return QDir(at(sub)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot |
                                       QDir::System);
    }

    QTemporaryDir folder;
    FailingCalls calls;
    platform::ScopedStandIn<platform::FileSystemCalls> standIn{calls};
};

// A file the user chose is saved at the end of the chain, keeping its owner and mode; a name
// the program made in a shared folder replaces a link planted there, not someone else's file.
TEST_F(ReplacingFileTest, ChosenNamesAreWrittenThroughTheirLinksMadeNamesReplaceThem)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("echt")));
    put("echt/c.ini", "oud", 0640);
    // Only root gives a file away; then the owner must come through as well.
    const bool root = ::geteuid() == 0;
    ASSERT_TRUE(!root || ::chown(QFile::encodeName(at("echt/c.ini")), 1234, 4321) == 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("echt/c.ini"), at("b.ini")));
    ASSERT_TRUE(QFile::link(QStringLiteral("b.ini"), at("a.ini")));
    put("eigen.svg", "van een ander");
    ASSERT_TRUE(QFile::link(QStringLiteral("eigen.svg"), at("printfile0.svg")));

    EXPECT_FALSE(save("a.ini"));
    EXPECT_FALSE(save("printfile0.svg", Link::Replace));

    EXPECT_EQ(QFile::symLinkTarget(at("a.ini")), at("b.ini"));
    EXPECT_EQ(QFile::symLinkTarget(at("b.ini")), at("echt/c.ini"));
    EXPECT_EQ(contents("echt/c.ini"), "nieuw");
    struct stat saved {};
    ASSERT_EQ(::lstat(QFile::encodeName(at("echt/c.ini")), &saved), 0);
    EXPECT_EQ(saved.st_mode & 07777, 0640u);
    EXPECT_TRUE(!root || (saved.st_uid == 1234 && saved.st_gid == 4321));
    EXPECT_EQ(entries("echt"), QStringList{QStringLiteral("c.ini")});
    EXPECT_EQ(contents("printfile0.svg"), "nieuw");
    EXPECT_EQ(contents("eigen.svg"), "van een ander");
}

// Read-only for its owner by its mode; for root, who ignores modes, by the immutable attribute.
TEST_F(ReplacingFileTest, AFileTheUserMayNotWriteIsRefusedUntouched)
{
    put("plan.ini", "oud", 0444);
    const bool root = ::geteuid() == 0;
    if (root &&
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), at("plan.ini")}) != 0)
        GTEST_SKIP() << "root writes any file here, and chattr +i is not available";

    const auto failure = save("plan.ini");

    if (root)
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), at("plan.ini")});
    ASSERT_TRUE(failure);
    EXPECT_EQ(platform::WriteFailureText(QStringLiteral("Het bestand ") + at("plan.ini"), *failure),
              QStringLiteral("Het bestand plan.ini is alleen-lezen; er is niets opgeslagen."));
    EXPECT_EQ(contents("plan.ini"), "oud");
    EXPECT_EQ(entries(), QStringList{QStringLiteral("plan.ini")});
}

TEST_F(ReplacingFileTest, FailingLocksOnlyKeepLeftoversFailingFolderSyncsAreReported)
{
    put(".plan.ini.vantorbel-abcdef", "half");
    calls.lockError = ENOLCK;
    EXPECT_FALSE(save("plan.ini"));
    EXPECT_EQ(contents("plan.ini"), "nieuw");
    EXPECT_EQ(entries().size(), 2);

    // EINVAL: a file system that cannot sync a folder at all.
    calls.syncError = EINVAL;
    EXPECT_FALSE(save("plan.ini"));
    calls.syncError = EIO;
    const auto failure = save("plan.ini");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->error, EIO);
}

} // namespace
