#include "platform/print_system/desktop_printer.h"
#include "platform/toolkit/busy_cursor.h"
#include "platform/toolkit/toolkit_texts.h"
#include "support/a4_page.h"
#include "support/file_size_limit.h"
#include "support/pdf_settings.h"
#include "support/stand_ins.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using platform::PageOrientation;

// This program runs with a print system that has no queue at all.
class PdfPrinterTest : public testing::Test {
protected:
    // Prints three pages into `output`; what threw, and where, when that failed.
    std::string printThreePages(const QString& output)
    {
        files.answers.push_back(output);
        std::string step = "beginDocument";
        try {
            printer.beginDocument();
            for (int page = 1; page <= 3; ++page) {
                if (page > 1) {
                    step = "newPage";
                    printer.newPage();
                }
                printer.canvas().textOut(100, 100, QStringLiteral("Pagina %1").arg(page));
            }
            step = "endDocument";
            printer.endDocument();
            return {};
        } catch (const std::runtime_error& error) {
            printer.abortDocument();
            return step + ": " + error.what();
        }
    }
    QStringList entries() const
    {
        return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    platform::DesktopPrinter printer;
    FileChooserStub files;
    QTemporaryDir folder;
};

TEST_F(PdfPrinterTest, StandsInAsAnA4PortraitPrinter)
{
    ASSERT_TRUE(printer.builtInPdfPrinter());
    EXPECT_EQ(printer.deviceName(), QStringLiteral("PDF-bestand"));
    EXPECT_EQ(printer.orientation(), PageOrientation::Portrait);
    const platform::PrinterFigures page = printer.figures();
    EXPECT_EQ(page.resolutionX, 1200);
    EXPECT_EQ(page.resolutionY, 1200);
    EXPECT_EQ(page.pageWidthPixels, kA4WidthPixels);
    EXPECT_EQ(page.pageHeightPixels, kA4HeightPixels);
    EXPECT_LE(page.printableWidthMm, 210);
    EXPECT_LE(page.printableHeightMm, 297);
    EXPECT_GE(page.printableWidthMm, 190);

    printer.setOrientation(PageOrientation::Landscape);
    const platform::PrinterFigures lying = printer.figures();
    EXPECT_EQ(lying.pageWidthPixels, kA4HeightPixels);
    EXPECT_EQ(lying.printableWidthMm, page.printableHeightMm);
}

TEST_F(PdfPrinterTest, CancellingTheOutputFileEndsThePrintQuietly)
{
    // Asked in the middle of a busy print: the question waits under the default cursor.
    platform::SetBusyCursor();
    EXPECT_THROW(printer.beginDocument(), platform::PrintCancelled);
    ASSERT_EQ(files.underBusyCursor.size(), 1u);
    EXPECT_FALSE(files.underBusyCursor[0]);
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    platform::SetDefaultCursor();
    EXPECT_THROW(printer.newPage(), std::runtime_error); // no job left running
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_EQ(files.requests[0].purpose, platform::FileDialogRequest::Purpose::Save);
    EXPECT_EQ(files.requests[0].defaultSuffix, QStringLiteral("pdf"));
}

TEST_F(PdfPrinterTest, AJobBecomesAPdfFileWithItsPagesAndTitle)
{
    const QString output = folder.filePath(QStringLiteral("tabel.pdf"));
    files.answers.push_back(output);
    printer.setDocumentTitle(QStringLiteral("Vantorbel"));
    printer.beginDocument();
    printer.canvas().textOut(100, 100, QStringLiteral("Pagina 1"));
    printer.newPage();
    printer.canvas().textOut(100, 100, QStringLiteral("Pagina 2"));
    printer.newPage();
    printer.canvas().line(0, 0, 1000, 1000);
    printer.endDocument();
    EXPECT_THROW(printer.newPage(), std::runtime_error); // no job left running

    QFile pdf(output);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    const QString content = QString::fromLatin1(bytes);
    EXPECT_TRUE(content.startsWith(QStringLiteral("%PDF")));
    EXPECT_EQ(content.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 3);
    // The document title, as the PDF's /Title in UTF-16.
    QByteArray title;
    for (const char c : QByteArray("Vantorbel"))
        title.append('\0').append(c);
    EXPECT_TRUE(bytes.contains("/Title (\xfe\xff" + title + ")"));
}

// The chosen name holds the whole document or nothing: the job writes beside it and takes the
// name when it ends; an aborted job leaves nothing.
TEST_F(PdfPrinterTest, TheChosenFileNeverHoldsHalfADocument)
{
    const QString output = folder.filePath(QStringLiteral("lat.pdf"));
    const QDir written(folder.path(), {}, QDir::Name, QDir::Files | QDir::Hidden);
    files.answers = {output, output};
    printer.beginDocument();
    EXPECT_FALSE(QFile::exists(output));
    printer.endDocument();
    const qint64 whole = QFileInfo(output).size();
    printer.beginDocument();
    printer.canvas().textOut(100, 100, QStringLiteral("half"));
    printer.abortDocument();
    EXPECT_EQ(written.entryList(), QStringList({QStringLiteral("lat.pdf")}));
    EXPECT_EQ(QFileInfo(output).size(), whole);
}

// A disk that fills at any point of the job, on a page, in the closing cross-reference table
// and trailer or in the actual-size revision: the job stops there and says why, and the file
// chosen keeps its old content with nothing left beside it.
TEST_F(PdfPrinterTest, AJobThatCannotBeWrittenInFullSaysWhyAndLeavesTheOldFile)
{
    const QString output = folder.filePath(QStringLiteral("plan.pdf"));
    for (const bool actualSize : {false, true}) {
        printer.setActualSize(actualSize);
        ASSERT_EQ(printThreePages(output), "");
        QFile written(output);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        const QByteArray whole = written.readAll();
        written.close();
        ASSERT_TRUE(written.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(written.write("oud"), 3);
        written.close();

        // The pages' contents come first, each written when the next page begins.
        const qsizetype firstPageEnds = whole.indexOf("endstream");
        const qsizetype lastPageEnds =
            whole.indexOf("endstream", whole.indexOf("endstream", firstPageEnds + 1) + 1);
        std::vector<std::pair<qsizetype, std::string>> limits = {
            {firstPageEnds - 10, "newPage"},
            {lastPageEnds - 10, "endDocument"},
            {whole.indexOf("xref") + 30, "endDocument"},
            {whole.indexOf("%%EOF") + 2, "endDocument"}};
        if (actualSize)
            limits.push_back({whole.indexOf("%%EOF") + 40, "endDocument"});
        for (const auto& [limit, step] : limits) {
            SCOPED_TRACE(testing::Message() << "limit " << limit << " of " << whole.size());
            std::string failure;
            {
                const FileSizeLimit disk{rlim_t(limit)};
                failure = printThreePages(output);
            }
            EXPECT_EQ(failure, step + ": Het bestand " + output.toStdString() +
                                   " kon niet volledig worden geschreven: het bestand wordt te "
                                   "groot.");
            EXPECT_EQ(entries(), QStringList({"plan.pdf"}));
            ASSERT_TRUE(written.open(QIODevice::ReadOnly));
            EXPECT_EQ(written.readAll(), QByteArray("oud"));
            written.close();
        }
    }
}

// A job at actual size asks the reader of its file to print it so; the next job leaves that to
// the reader again.
TEST_F(PdfPrinterTest, AnActualSizeJobsFileAsksToBePrintedAtActualSize)
{
    for (const bool actualSize : {true, false}) {
        const QString output = folder.filePath(QStringLiteral("lat%1.pdf").arg(actualSize));
        files.answers.push_back(output);
        printer.setActualSize(actualSize);
        printer.beginDocument();
        printer.canvas().textOut(100, 100, QStringLiteral("Lagenlat"));
        printer.newPage();
        printer.endDocument();
        const PdfSettings settings = ReadPdfSettings(output);
        EXPECT_TRUE(settings.sound);
        EXPECT_EQ(settings.version, actualSize ? QStringLiteral("1.6") : QStringLiteral("1.4"));
        EXPECT_EQ(settings.printScaling, actualSize ? QStringLiteral("/None") : QString());
    }
}

TEST_F(PdfPrinterTest, TheSetUpDialogConfirmsWithOK)
{
    platform::InstallDutchToolkitTexts();
    QStringList buttons;
    QString title;
    QTimer user;
    user.setInterval(10);
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        title = dialog->windowTitle();
        for (const QAbstractButton* button :
             dialog->findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly)->buttons())
            buttons << button->text().remove(QLatin1Char('&'));
        dialog->reject();
    });
    user.start();
    EXPECT_FALSE(printer.setupDialog(nullptr));
    EXPECT_EQ(title, QStringLiteral("Printerinstelling"));
    EXPECT_TRUE(buttons.contains(QStringLiteral("OK"))) << buttons.join(u',').toStdString();
    EXPECT_FALSE(buttons.contains(QStringLiteral("Afdrukken")));
}

TEST_F(PdfPrinterTest, ASecondJobWorksAfterACancelledOne)
{
    EXPECT_THROW(printer.beginDocument(), platform::PrintCancelled);
    const QString output = folder.filePath(QStringLiteral("tweede.pdf"));
    files.answers.push_back(output);
    printer.beginDocument();
    printer.canvas().textOut(0, 0, QStringLiteral("x"));
    printer.endDocument();
    EXPECT_TRUE(QFile::exists(output));
}

} // namespace
