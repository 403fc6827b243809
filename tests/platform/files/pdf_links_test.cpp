#include "platform/pages/page_export.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The preview's PDF goes to a file the user chose: saved by a link's name, the link's file gets it.
TEST(PdfSave, WritesThroughALinkWhichStays)
{
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("plan.pdf"));
    ASSERT_TRUE(QFile::link(QStringLiteral("echt.pdf"), link));

    platform::SavePagesAsPdf(link, {}, QPageLayout(), QStringLiteral("Plan"), false);

    EXPECT_EQ(QFile::symLinkTarget(link), folder.filePath(QStringLiteral("echt.pdf")));
    QFile saved(folder.filePath(QStringLiteral("echt.pdf")));
    EXPECT_TRUE(saved.open(QIODevice::ReadOnly) && saved.readAll().startsWith("%PDF"));
}

} // namespace
