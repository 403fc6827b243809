#include "print/windows/page_files.h"
#include "support/file_size_limit.h"
#include "support/page_format_writing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

#include <sys/stat.h>

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
    int save(const QString& name, const char* suffix, int stopAfter = 0)
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
        return SavePageFiles(path(name), FormatWriting(suffix), pages, paper, hooks);
    }
    QByteArray read(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<onleesbaar>");
    }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    mode_t modeOf(const QString& name) const
    {
        struct stat status {};
        ::stat(QFile::encodeName(path(name)).constData(), &status);
        return status.st_mode & 07777;
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

// The dialog's types as they have always been offered, and what each writes of a name the dialog
// completed with that type's suffix.
TEST_F(PageFilesTest, EachTypeOfTheDialogWritesFilesEndingInTheSuffixItAdds)
{
    EXPECT_EQ(PageFileFilter(),
              QStringLiteral("All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|"
                             "Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
                             "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|"
                             "PDF-document (*.pdf)|*.pdf|SVG-afbeeldingen (*.svg)|*.svg|"
                             "PNG-afbeeldingen (*.png)|*.png"));
    const QStringList emf{"blad0.EMF", "blad1.EMF"};
    const QStringList written[] = {emf,
                                   emf,
                                   emf,
                                   emf,
                                   emf,
                                   {"blad.pdf"},
                                   {"blad0.svg", "blad1.svg"},
                                   {"blad0.png", "blad1.png"}};
    const QStringList suffixes = PageFileSuffixes();
    ASSERT_EQ(suffixes.size(), qsizetype(std::size(written)));
    for (int type = 0; type < suffixes.size(); ++type) {
        const QTemporaryDir into;
        SavePageFiles(into.filePath(QStringLiteral("blad.") + suffixes[type]), PageFormatOf(type),
                      pages, paper);
        EXPECT_EQ(QDir(into.path()).entryList(QDir::Files, QDir::Name), written[type]) << type;
    }
}

TEST_F(PageFilesTest, TheAddedTypesKeepANameWithADotAndTheEmfTypesCutAtIt)
{
    save(QStringLiteral("Plan v1.2"), "pdf");
    save(QStringLiteral("Plan v1.2"), "png");
    save(QStringLiteral("Blad.SVG"), "svg");
    save(QStringLiteral("Plan v1.2"), "EMF");
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
    save(QStringLiteral("printfile"), "png");
    save(QStringLiteral("printfile.svg"), "svg");
    for (const char* page : {"printfile0.png", "printfile1.svg"})
        EXPECT_FALSE(QFileInfo(path(QLatin1String(page))).isSymLink()) << page;
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(), QByteArray("van mij"));

    // A PDF name the program completed replaces a file only when the user says so.
    QFile::copy(mine.fileName(), path(QStringLiteral("rapport.pdf")));
    save(QStringLiteral("rapport"), "pdf");
    EXPECT_EQ(asked, QStringList({"rapport.pdf"}));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("rapport.pdf"))).size(), 7);
    replace = true;
    save(QStringLiteral("rapport"), "pdf");
    EXPECT_GT(QFileInfo(path(QStringLiteral("rapport.pdf"))).size(), 7);
    // A name the user typed in full was asked about in the dialog already.
    save(QStringLiteral("rapport.pdf"), "pdf");
    EXPECT_EQ(asked.size(), 2);
}

TEST_F(PageFilesTest, APngPageThatCannotBeMadeIsReportedAndLeavesNoFile)
{
    // Paper of 17 by 17 metres: at 200 pixels per inch more pixels than memory holds.
    pages.insert(pages.begin() + 1, std::make_unique<platform::PageImage>(
                                        QSize(400000, 400000), QSizeF(16933, 16933), 600, 600));
    try {
        save(QStringLiteral("groot"), "png");
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
    EXPECT_EQ(save(QStringLiteral("printfile.png"), "png", 3), 3);
    EXPECT_EQ(files(), QStringList({"printfile0.png", "printfile1.png", "printfile2.png"}));
}

// A disk that fills while a file is written, in a page or in the PDF's closing parts: the save
// says which file and why, the file keeps its old content and nothing is left beside it.
TEST_F(PageFilesTest, AFileThatCannotBeWrittenInFullSaysWhyAndKeepsTheOldOne)
{
    save(QStringLiteral("plan.pdf"), "pdf");
    save(QStringLiteral("blad.png"), "png");
    const QByteArray pdf = read(QStringLiteral("plan.pdf"));
    const QByteArray png = read(QStringLiteral("blad1.png"));
    write(QStringLiteral("plan.pdf"), "oud");
    write(QStringLiteral("blad0.png"), "oud");
    const QString tooLarge = QStringLiteral(" kon niet volledig worden geschreven: het bestand "
                                            "wordt te groot.");
    const std::vector<std::pair<qsizetype, QString>> limits = {
        {pdf.indexOf("endstream", pdf.indexOf("endstream") + 1) - 10, QStringLiteral("plan.pdf")},
        {pdf.indexOf("xref") + 30, QStringLiteral("plan.pdf")},
        {pdf.size() - 3, QStringLiteral("plan.pdf")},
        {png.size() / 2, QStringLiteral("blad.png")}};
    for (const auto& [limit, name] : limits) {
        SCOPED_TRACE(testing::Message() << name.toStdString() << " up to " << limit);
        const bool isPdf = name.endsWith(QLatin1String(".pdf"));
        const QString shown =
            isPdf ? path(name) : path(QStringLiteral("blad0.png")) + QStringLiteral(" (pagina 1)");
        try {
            const FileSizeLimit disk{rlim_t(limit)};
            save(name, isPdf ? "pdf" : "png");
            ADD_FAILURE() << "no error";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(QString::fromStdString(error.what()),
                      QStringLiteral("Het bestand ") + shown + tooLarge);
        }
        EXPECT_EQ(files(), QStringList({"blad0.png", "blad1.png", "plan.pdf"}));
        EXPECT_EQ(read(QStringLiteral("plan.pdf")), QByteArray("oud"));
        EXPECT_EQ(read(QStringLiteral("blad0.png")), QByteArray("oud"));
    }
}

// A file replaced keeps who may read it; a new one gets what the umask leaves, and the umask is
// only read, never set.
TEST_F(PageFilesTest, AReplacedFileKeepsItsPermissionsAndANewOneFollowsTheUmask)
{
    save(QStringLiteral("blad.png"), "png");
    save(QStringLiteral("plan.pdf"), "pdf");
    ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("blad0.png")),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("plan.pdf")),
                                      QFile::ReadOwner | QFile::WriteOwner));
    const mode_t untouched = modeOf(QStringLiteral("blad1.png"));
    const mode_t umaskBefore = ::umask(027);
    save(QStringLiteral("blad.png"), "png");
    save(QStringLiteral("plan.pdf"), "pdf");
    save(QStringLiteral("nieuw.svg"), "svg");
    const mode_t umaskAfter = ::umask(umaskBefore);
    EXPECT_EQ(umaskAfter, 027u);
    EXPECT_EQ(modeOf(QStringLiteral("blad0.png")), 0640u);
    EXPECT_EQ(modeOf(QStringLiteral("plan.pdf")), 0600u);
    EXPECT_EQ(modeOf(QStringLiteral("blad1.png")), untouched);
    EXPECT_EQ(modeOf(QStringLiteral("nieuw0.svg")), 0640u);
}

} // namespace
