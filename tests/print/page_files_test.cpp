#include "print/page_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class PageFilesTest : public testing::Test {
protected:
    PageFilesTest()
    {
        for (int page = 0; page < 2; ++page)
            pages.push_back(std::make_unique<platform::PageImage>(QSize(600, 800),
                                                                  QSizeF(25.4, 33.9), 600, 600));
    }
    QString path(const QString& name) const { return folder.filePath(name); }
    int save(const QString& name, PageFileType type, int stopAfter = 0)
    {
        PageSaveHooks hooks;
        hooks.replaceUnseen = [this](const QString& file) {
            asked << QFileInfo(file).fileName();
            return replace;
        };
        if (stopAfter > 0)
            hooks.pageWritten = [stopAfter](int written, int) {
                return written < stopAfter;
            };
        return SavePageFiles(path(name), type, pages, paper, hooks);
    }
    QStringList files() const
    {
        return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir folder;
    std::vector<std::unique_ptr<platform::PageImage>> pages;
    QPageLayout paper{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()};
    QStringList asked;
    bool replace = false;
};

TEST_F(PageFilesTest, TheAddedTypesKeepANameWithADotAndTheEmfTypesCutAtIt)
{
    save(QStringLiteral("Plan v1.2"), PageFileType::Pdf);
    save(QStringLiteral("Plan v1.2"), PageFileType::Png);
    save(QStringLiteral("Blad.SVG"), PageFileType::Svg);
    save(QStringLiteral("Plan v1.2"), PageFileType::Emf);
    EXPECT_EQ(files(), QStringList({"Blad0.svg", "Blad1.svg", "Plan v1.2.pdf", "Plan v1.20.png",
                                    "Plan v1.21.png", "Plan v10.EMF", "Plan v11.EMF"}));
}

TEST_F(PageFilesTest, APageReplacesALinkByItsNameNeverTheFileItPointsTo)
{
    QFile mine(path(QStringLiteral("mijn plan.txt")));
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly) && mine.write("van mij") == 7);
    mine.close();
    for (const char* link : {"printfile0.png", "printfile1.svg"})
        ASSERT_TRUE(QFile::link(mine.fileName(), path(QLatin1String(link))));
    save(QStringLiteral("printfile"), PageFileType::Png);
    save(QStringLiteral("printfile.svg"), PageFileType::Svg);
    for (const char* page : {"printfile0.png", "printfile1.svg"})
        EXPECT_FALSE(QFileInfo(path(QLatin1String(page))).isSymLink()) << page;
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(), QByteArray("van mij"));

    // A PDF name the program completed replaces a file only when the user says so.
    QFile::copy(mine.fileName(), path(QStringLiteral("rapport.pdf")));
    save(QStringLiteral("rapport"), PageFileType::Pdf);
    EXPECT_EQ(asked, QStringList({"rapport.pdf"}));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("rapport.pdf"))).size(), 7);
    replace = true;
    save(QStringLiteral("rapport"), PageFileType::Pdf);
    EXPECT_GT(QFileInfo(path(QStringLiteral("rapport.pdf"))).size(), 7);
    // A name the user typed in full was asked about in the dialog already.
    save(QStringLiteral("rapport.pdf"), PageFileType::Pdf);
    EXPECT_EQ(asked.size(), 2);
}

TEST_F(PageFilesTest, APngPageThatCannotBeMadeIsReportedAndLeavesNoFile)
{
    // Paper of 17 by 17 metres: at 200 pixels per inch more pixels than memory holds.
    pages.insert(pages.begin() + 1, std::make_unique<platform::PageImage>(
                                        QSize(400000, 400000), QSizeF(16933, 16933), 600, 600));
    try {
        save(QStringLiteral("groot"), PageFileType::Png);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "Bestand " +
                                                 path(QStringLiteral("groot1.png")).toStdString() +
                                                 " (pagina 2) kon niet gemaakt worden");
    }
    EXPECT_EQ(files(), QStringList({"groot0.png"}));
}

// A save stopped after a page keeps the pages written and nothing else.
TEST_F(PageFilesTest, ASaveStoppedAfterAPageKeepsThePagesWrittenAndNothingElse)
{
    pages.resize(6);
    for (auto& page : pages)
        page = std::make_unique<platform::PageImage>(QSize(600, 800), QSizeF(25.4, 33.9), 600, 600);
    EXPECT_EQ(save(QStringLiteral("printfile.png"), PageFileType::Png, 3), 3);
    EXPECT_EQ(files(), QStringList({"printfile0.png", "printfile1.png", "printfile2.png"}));
}

} // namespace
