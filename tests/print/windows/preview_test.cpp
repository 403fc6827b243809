#include "print/windows/MyPForm.h"
#include "support/read_only_folder.h"
#include "support/stand_ins.h"
#include "support/test_printer.h"

#include "platform/pages/recording_surface.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QProgressDialog>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using platform::PageImage;

// Pages of the size the test printer gives, each carrying its page number.
std::unique_ptr<PageImage> numberedPage(int number, QSize size = QSize(4795, 6803),
                                        int resolution = 600)
{
    auto page = std::make_unique<PageImage>(size, QSizeF(203, 288), resolution, resolution);
    QImage reference(1, 1, QImage::Format_RGB32);
    reference.setDotsPerMeterX(qRound(resolution / 0.0254));
    reference.setDotsPerMeterY(qRound(resolution / 0.0254));
    platform::RecordingSurface surface(*page, reference);
    surface.textOut(100, 100, QStringLiteral("Pagina:%1").arg(number));
    surface.line(100, 300, 2000, 300);
    return page;
}

class PreviewTest : public testing::Test {
protected:
    void fill(int pages)
    {
        for (int i = 1; i <= pages; ++i)
            preview.PageList.push_back(numberedPage(i));
        preview.ShowPage();
    }
    void click(const char* name)
    {
        QTest::mouseClick(preview.findChild<QToolButton*>(QLatin1String(name)), Qt::LeftButton);
    }
    const platform::Bitmap* bitmap() const { return preview.WorkBitmap.get(); }

    MessageBoxRecorder boxes;
    TestPrinter printer;
    TPreviewPrintForm1 preview;
};

TEST_F(PreviewTest, PagesWithinTheirLimitsAndRedrawsOnlyOnAChange)
{
    fill(3);
    EXPECT_EQ(preview.pageLabel(), QStringLiteral("pagina: 1 van: 3"));

    const platform::Bitmap* first = bitmap();
    click("Previous1");
    EXPECT_EQ(preview.CurrentPage, 0);
    EXPECT_EQ(bitmap(), first);

    click("Next1");
    click("Next1");
    EXPECT_EQ(preview.pageLabel(), QStringLiteral("pagina: 3 van: 3"));
    EXPECT_EQ(preview.ShownImage, preview.PageList[2].get());
    const platform::Bitmap* last = bitmap();
    click("Next1");
    EXPECT_EQ(preview.CurrentPage, 2);
    EXPECT_EQ(bitmap(), last);

    click("First1");
    EXPECT_EQ(preview.pageLabel(), QStringLiteral("pagina: 1 van: 3"));
    click("Last1");
    EXPECT_EQ(preview.pageLabel(), QStringLiteral("pagina: 3 van: 3"));
    EXPECT_EQ(preview.ZoomStep, 0);
}

TEST_F(PreviewTest, OnePageStaysOnPageOneButFirstAndLastRedraw)
{
    fill(1);
    for (const char* button : {"Previous1", "Next1"}) {
        const platform::Bitmap* before = bitmap();
        click(button);
        EXPECT_EQ(bitmap(), before) << button;
    }
    for (const char* button : {"First1", "Last1"}) {
        const platform::Bitmap* before = bitmap();
        click(button);
        EXPECT_NE(bitmap(), before) << button;
        EXPECT_EQ(preview.pageLabel(), QStringLiteral("pagina: 1 van: 1"));
    }
}

TEST_F(PreviewTest, ZoomsThroughEightStepsFrom25To300Percent)
{
    fill(1);
    // 4795 x 6803 printer pixels at 600 pixels per inch, shown at D pixels per inch of paper.
    EXPECT_EQ(preview.pageGeometry().size(), QSize(767, 1088));
    const QSize larger[] = {{921, 1306}, {1381, 1959}, {1841, 2612}, {2302, 3265}};
    for (const QSize& size : larger) {
        click("ZoomPlus1");
        EXPECT_EQ(preview.pageGeometry().size(), size) << preview.ZoomStep;
    }
    const platform::Bitmap* largest = bitmap();
    click("ZoomPlus1");
    EXPECT_EQ(preview.ZoomStep, 4);
    EXPECT_EQ(bitmap(), largest);

    click("First1"); // paging keeps the zoom
    EXPECT_EQ(preview.pageGeometry().size(), QSize(2302, 3265));
    for (int i = 0; i < 4; ++i)
        click("ZoomMin1");
    EXPECT_EQ(preview.pageGeometry().size(), QSize(767, 1088));
    const QSize smaller[] = {{384, 544}, {256, 363}, {192, 272}};
    for (const QSize& size : smaller) {
        click("ZoomMin1");
        EXPECT_EQ(preview.pageGeometry().size(), size) << preview.ZoomStep;
    }
    const platform::Bitmap* smallest = bitmap();
    click("ZoomMin1");
    EXPECT_EQ(preview.ZoomStep, -3);
    EXPECT_EQ(bitmap(), smallest);
}

TEST_F(PreviewTest, PageSizesRoundHalvesToEven)
{
    // At 96 pixels per inch and 50 % each printer pixel is half a screen pixel.
    preview.PageList.push_back(numberedPage(1, QSize(5, 7), 96));
    preview.ZoomStep = -1;
    preview.ShowPage();
    EXPECT_EQ(preview.pageGeometry().size(), QSize(2, 4));
}

TEST_F(PreviewTest, SmallPageIsCentredWithItsShadowAndALargeOneStartsTopLeft)
{
    preview.resize(1000, 900);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    preview.ZoomStep = -3;
    fill(1);
    const QRect page = preview.pageGeometry();
    const QWidget* box = preview.findChild<QWidget*>(QStringLiteral("ScrollBox1"));
    EXPECT_EQ(page.left(), (box->width() - page.width()) / 2);
    EXPECT_EQ(page.top(), (box->height() - page.height()) / 2);
    EXPECT_EQ(preview.shadowGeometry(), page.translated(8, 8));

    preview.ZoomStep = 4;
    preview.ShowPage();
    EXPECT_EQ(preview.pageGeometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(preview.shadowGeometry().topLeft(), QPoint(8, 8));
}

TEST_F(PreviewTest, RenderedPageIsWhiteWithABlackOutline)
{
    fill(1);
    const QImage& image = preview.WorkBitmap->image();
    EXPECT_EQ(image.size(), QSize(767, 1088));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(766, 1087), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(700, 1000), QColor(Qt::white));
    // The page's line, 100 to 2000 printer pixels at y 300, scaled by 96 / 600.
    EXPECT_TRUE(image.pixelColor(160, 47) != QColor(Qt::white) ||
                image.pixelColor(160, 48) != QColor(Qt::white));
}

// Across the toolbar panel's top and bottom edges, against its face: the raised outer bevel is
// light above and dark below, the lowered inner bevel within it the other way round.
TEST_F(PreviewTest, ToolbarPanelHasARaisedOuterAndALoweredInnerBevel)
{
    auto* panel = preview.findChild<QFrame*>(QStringLiteral("Panel1"));
    ASSERT_NE(panel, nullptr);
    const QImage image = panel->grab().toImage();
    const int x = image.width() - 20;
    const int bottom = image.height() - 1;
    const auto lightness = [&image](int x, int y) {
        return image.pixelColor(x, y).lightness();
    };
    const int face = lightness(x, image.height() / 2);
    EXPECT_GT(lightness(x, 0), face);
    EXPECT_LT(lightness(x, 1), face);
    EXPECT_GT(lightness(x, bottom - 1), face);
    EXPECT_LT(lightness(x, bottom), face);
}

TEST_F(PreviewTest, ButtonHintsGoToTheStatusBarAndAreClearedByTheTimer)
{
    fill(1);
    auto* button = preview.findChild<QToolButton*>(QStringLiteral("First1"));
    EXPECT_TRUE(button->toolTip().isEmpty());
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(button, &move);
    EXPECT_EQ(preview.statusText(), QStringLiteral("eerste pagina"));
    QTest::qWait(2300);
    EXPECT_EQ(preview.statusText(), QString());
}

TEST_F(PreviewTest, PrintsEveryPageInOrderAndStaysOpen)
{
    fill(3);
    printer.setCopies(2);
    printer.setDocumentTitle(QStringLiteral("Vantorbel"));
    preview.show();
    click("Afdrukken1");
    ASSERT_EQ(printer.jobs.size(), 1u);
    const TestPrinter::Job& job = printer.jobs[0];
    EXPECT_EQ(job.copies, 2);
    EXPECT_EQ(job.title, QStringLiteral("Vantorbel"));
    ASSERT_EQ(job.pages.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const auto& operations = job.pages[i]->operations();
        ASSERT_EQ(operations.size(), preview.PageList[i]->operations().size());
        bool found = false;
        for (const auto& operation : operations)
            if (const auto* text = std::get_if<PageImage::Text>(&operation))
                found = found || text->text == QStringLiteral("Pagina:%1").arg(i + 1);
        EXPECT_TRUE(found) << i;
    }
    EXPECT_TRUE(preview.isVisible());
    EXPECT_FALSE(printer.printing());
}

// A long print says how far it is, and Annuleren before the job is handed over sends nothing.
TEST_F(PreviewTest, ALongPrintShowsItsProgressAndACancelSendsNothing)
{
    fill(5);
    preview.show();
    preview.ProgressAfter = std::chrono::milliseconds(0);
    QString shown;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (auto* progress = preview.findChild<QProgressDialog*>();
            progress && progress->isVisible() && shown.isEmpty()) {
            shown = progress->labelText();
            // No hourglass over the window that offers "Annuleren".
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
            progress->cancel();
        }
    });
    user.start(0);
    click("Afdrukken1");
    EXPECT_EQ(shown, QStringLiteral("Pagina 1 van 5 naar de printer"));
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_TRUE(printer.jobs[0].aborted);
    EXPECT_FALSE(printer.printing());
}

TEST_F(PreviewTest, APrinterFailureIsReportedAndLeavesNoJobOpen)
{
    fill(2);
    printer.noPrinter = true;
    click("Afdrukken1");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              QStringLiteral("There is no default printer currently selected."));
    printer.noPrinter = false;
    EXPECT_FALSE(printer.printing());
}

TEST_F(PreviewTest, SavesEveryPageAsANumberedEmfWhateverTypeWasChosen)
{
    fill(3);
    QTemporaryDir folder;
    const QString stale = folder.filePath(QStringLiteral("printfile1.EMF"));
    {
        QFile old(stale);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("oud");
    }
    const QString other = folder.filePath(QStringLiteral("printfile3.EMF"));
    QFile(other).open(QIODevice::WriteOnly);

    FileChooserStub files;
    files.answers.push_back(folder.filePath(QStringLiteral("printfile.bmp")));
    click("SaveMeta");
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_EQ(files.requests[0].fileName, QStringLiteral("printfile"));
    EXPECT_EQ(files.requests[0].defaultSuffix, QStringLiteral("EMF"));
    EXPECT_TRUE(
        files.requests[0].filter.startsWith(QStringLiteral("All (*.bmp;*.ico;*.emf;*.wmf)|")));

    QStringList written = QDir(folder.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(written,
              (QStringList{QStringLiteral("printfile0.EMF"), QStringLiteral("printfile1.EMF"),
                           QStringLiteral("printfile2.EMF"), QStringLiteral("printfile3.EMF")}));
    EXPECT_EQ(QFileInfo(other).size(), 0);
    for (int i = 0; i < 3; ++i) {
        const QString emf = folder.filePath(QStringLiteral("printfile%1.EMF").arg(i));
        const QString svg = folder.filePath(QStringLiteral("page%1.svg").arg(i));
        ASSERT_EQ(QProcess::execute(QStringLiteral("emf2svg-conv"),
                                    {QStringLiteral("-i"), emf, QStringLiteral("-o"), svg}),
                  0);
        QFile read(svg);
        ASSERT_TRUE(read.open(QIODevice::ReadOnly));
        EXPECT_TRUE(read.readAll().contains(QStringLiteral("Pagina:%1").arg(i + 1).toUtf8())) << i;
    }
}

TEST_F(PreviewTest, ASaveIntoAFolderThatRefusesFilesLeavesNoneAndNamesTheFile)
{
    fill(2);
    QTemporaryDir folder;
    FileChooserStub files;
    files.answers = {folder.filePath(QStringLiteral("blad.png"))};
    files.types = {7};
    {
        ReadOnlyFolder readOnly(folder.path());
        if (readOnly.acceptsNewFiles())
            GTEST_SKIP() << "this file system cannot make a folder read-only";
        click("SaveMeta");
    }
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Het bestand %1 (pagina 1) kon niet worden "
                                                  "geschreven: u hebt geen toestemming om hier "
                                                  "te schrijven.")
                                       .arg(folder.filePath(QStringLiteral("blad0.png"))));
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(PreviewTest, CancelledSaveWritesNothing)
{
    fill(1);
    FileChooserStub files;
    click("SaveMeta");
    EXPECT_EQ(files.requests.size(), 1u);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(PreviewTest, OpensOverTheWorkAreaWhenAskedTo)
{
    fill(1);
    preview.OpenState = PreviewOpenState::WorkArea;
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    EXPECT_EQ(preview.frameGeometry(), preview.screen()->availableGeometry());
}

} // namespace
