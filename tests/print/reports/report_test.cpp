#include "msg/Msg.h"
#include "platform/toolkit/regional_settings.h"
#include "print/reports/results_report.h"
#include "print/windows/MyPForm.h"
#include "print/windows/PrintDlg.h"
#include "support/pdf_settings.h"
#include "support/stand_ins.h"
#include "support/test_printer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProgressDialog>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

namespace {

using platform::PageImage;

ReportTable tableOf(int rows)
{
    ReportTable table;
    table.numberHeader = QStringLiteral("Laag");
    table.valueHeader = QStringLiteral("Hoogte");
    for (int row = 1; row <= rows; ++row)
        table.rows.push_back({QString::number(row), QStringLiteral(" %1,50 ").arg(row * 62)});
    table.gaugeLabel = QStringLiteral("Vantorbel:");
    table.gaugeText = QStringLiteral("62,5");
    table.font.name = QStringLiteral("Arial");
    table.font.pointSize = 9;
    return table;
}

// A plan over tableOf(rows) with `stretches` stretches, the worked example's three over and over.
ReportTable planOf(int rows, int stretches)
{
    ReportTable table = tableOf(rows);
    table.projectName = QStringLiteral("Schuur");
    table.plan.emplace();
    table.plan->stretchHeaders =
        QStringList{"Van", "Tot", "Soort", "Lagen", "Lagenmaat", "Lintvoeg", "Opmerking"};
    const std::vector<QStringList> real{
        {"peil", "dorpel", "n × maat", "14", "64,286", "14,29", ""},
        {"dorpel", "bovenkant kozijn van de achtergevel", "n × maat", "24", "62,5", "12,50", ""},
        {"bovenkant kozijn", "vloer", "+ voeg", "6", "66,667", "16,67", "voeg 16,67 buiten 10–15"}};
    for (int stretch = 0; stretch < stretches; ++stretch)
        table.plan->stretches.push_back(real[static_cast<std::size_t>(stretch) % real.size()]);
    return table;
}

struct Placed {
    int page;
    QPoint at;
};

class ReportTest : public testing::Test {
protected:
    ReportTest()
    {
        modal.answer = [this](QDialog& window) {
            if (auto* preview = qobject_cast<TPreviewPrintForm1*>(&window)) {
                previewCaption = preview->windowTitle();
                previewOpenState = preview->OpenState;
                previewPages = static_cast<int>(preview->PageList.size());
                return int(QDialog::Rejected);
            }
            return confirm
                       ? (dialog.findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click(),
                          int(QDialog::Accepted))
                       : int(QDialog::Rejected);
        };
    }

    void print(const ReportTable& table)
    {
        if (ConfirmPrintDialog(dialog))
            PrintResultsReport(table, dialog);
    }
    // Prints to the screen; in the preview the user does what inPreview does, then closes it.
    void printToPreview(const ReportTable& table,
                        const std::function<void(TPreviewPrintForm1&)>& inPreview)
    {
        dialog.findChild<QRadioButton*>(QStringLiteral("NaarScherm"))->setChecked(true);
        modal.answer = [this, &inPreview](QDialog& window) {
            if (auto* preview = qobject_cast<TPreviewPrintForm1*>(&window)) {
                inPreview(*preview);
                return int(QDialog::Rejected);
            }
            dialog.findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click();
            return int(QDialog::Accepted);
        };
        print(table);
    }
    // Where each text landed: page and top-left corner, for every occurrence.
    std::multimap<QString, Placed> placedTexts() const
    {
        std::multimap<QString, Placed> placed;
        int page = 0;
        for (const auto& image : printer.jobs.at(0).pages) {
            ++page;
            for (const auto& operation : image->operations())
                if (const auto* text = std::get_if<PageImage::Text>(&operation))
                    placed.insert({text->text, {page, text->topLeft}});
        }
        return placed;
    }
    std::size_t pageCount() const { return printer.jobs.at(0).pages.size(); }

    // The number of lines per column group on a page of the test printer, from a long report.
    int linesPerColumn()
    {
        print(tableOf(2000));
        const auto placed = placedTexts();
        const int firstLineY = placed.find(QStringLiteral("1"))->second.at.y();
        int lines = 0;
        for (int row = 2; row <= 2000; ++row) {
            const auto it = placed.find(QString::number(row));
            if (it->second.page != 1 || it->second.at.y() == firstLineY)
                break;
            lines = row;
        }
        printer.jobs.clear();
        return lines;
    }

    MessageBoxRecorder boxes;
    TestPrinter printer;
    ModalRunnerStub modal;
    TPrintDialog1 dialog;
    bool confirm = true;
    QString previewCaption;
    std::optional<PreviewOpenState> previewOpenState;
    int previewPages = 0;
};

TEST_F(ReportTest, CancelledDialogPrintsNothingAndLeavesTheCursor)
{
    confirm = false;
    print(tableOf(10));
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReportTest, EveryPageHasTheHeaderTheTitleLineAndThePageNumber)
{
    const int rows = 700;
    print(tableOf(rows));
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].title, QStringLiteral("Vantorbel"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    const auto placed = placedTexts();
    for (int page = 1; page <= static_cast<int>(pageCount()); ++page) {
        SCOPED_TRACE(page);
        int headers = 0;
        for (auto [it, end] = placed.equal_range(QStringLiteral(" Vantorbel: 62,5")); it != end;
             ++it)
            headers += it->second.page == page;
        EXPECT_EQ(headers, 1);
        int titles = 0;
        for (auto [it, end] = placed.equal_range(QStringLiteral("Hoogte")); it != end; ++it)
            titles += it->second.page == page;
        EXPECT_EQ(titles, 4);
        EXPECT_EQ(placed.count(QStringLiteral("Pagina:%1").arg(page)), 1u);
    }
    // Values are printed trimmed.
    EXPECT_EQ(placed.count(QStringLiteral("62,50")), 1u);
}

// Rows run down group 1, then 2, 3 and 4: on page p, line i of group g shows row
// (p - 1) * 4L + (g - 1) * L + i.
TEST_F(ReportTest, RowsFillTheColumnGroupsPageByPage)
{
    const int L = linesPerColumn();
    ASSERT_GT(L, 10);
    for (int rows : {1, 4 * L, 4 * L + 1, 2 * L + 3, 9 * L + 2}) {
        SCOPED_TRACE(rows);
        printer.jobs.clear();
        print(tableOf(rows));
        EXPECT_EQ(static_cast<int>(pageCount()), (rows + 4 * L - 1) / (4 * L));
        const auto placed = placedTexts();
        std::map<int, int> groupLeft;               // group -> x of its numbers
        std::map<std::pair<int, int>, int> lineTop; // (page, line) -> y
        for (int row = 1; row <= rows; ++row) {
            const auto it = placed.find(QString::number(row));
            ASSERT_NE(it, placed.end()) << row;
            const int page = (row - 1) / (4 * L) + 1;
            const int group = (row - 1) % (4 * L) / L + 1;
            const int line = (row - 1) % L + 1;
            EXPECT_EQ(it->second.page, page) << row;
            const auto [x, newGroup] = groupLeft.emplace(group, it->second.at.x());
            EXPECT_EQ(it->second.at.x(), x->second) << row;
            const auto [y, newLine] = lineTop.emplace(std::pair{page, line}, it->second.at.y());
            EXPECT_EQ(it->second.at.y(), y->second) << row;
        }
    }
}

// Under a plan the courses start where its summary ends, on the next page where not one would
// fit under the title line there, then fill the column groups page by page as without a plan:
// page s, where they start with F lines per group, holds rows 1 to 4F, every later page 4L rows.
// The progress counts every page.
TEST_F(ReportTest, APlansCoursesFollowItsSummaryInTheColumnGroups)
{
    const int L = linesPerColumn();
    const int rows = 1000;
    // A page has L + 1 lines; a summary takes a line more than its stretches, and an empty one.
    // With room under it, two lines left, one line left, onto the second page.
    for (const auto& [stretches, start, F] :
         {std::tuple{3, 1, L - 5}, std::tuple{L - 3, 1, 1}, std::tuple{L - 2, 2, L},
          std::tuple{L + 30, 2, L - 31}}) {
        SCOPED_TRACE(stretches);
        printer.jobs.clear();
        QString progress;
        QTimer user;
        QObject::connect(&user, &QTimer::timeout, [&progress] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* shown = qobject_cast<QProgressDialog*>(window);
                    shown && shown->isVisible())
                    progress = shown->labelText();
        });
        user.start(0);
        PrintResultsReport(planOf(rows, stretches), dialog, std::chrono::milliseconds(0));
        const int pages = static_cast<int>(pageCount());
        EXPECT_EQ(progress, QStringLiteral("Pagina %1 van %1 naar de printer").arg(pages));

        // The courses lie under the title line of their page.
        const auto placed = placedTexts();
        std::map<int, int> titleTop; // page -> y
        for (auto [it, end] = placed.equal_range(QStringLiteral("Laag")); it != end; ++it)
            titleTop[it->second.page] = it->second.at.y();
        EXPECT_EQ(titleTop.begin()->first, start);
        EXPECT_EQ(titleTop.size(), std::size_t(pages - start + 1));
        std::map<int, std::vector<Placed>> courses; // row -> where its number stands
        for (const auto& [text, at] : placed)
            if (titleTop.count(at.page) && at.at.y() > titleTop[at.page])
                courses[text.toInt()].push_back(at);
        EXPECT_EQ(pages, start + (rows - 4 * F + 4 * L - 1) / (4 * L));
        std::map<int, int> groupLeft;               // group -> x of its numbers
        std::map<std::pair<int, int>, int> lineTop; // (page, line) -> y
        for (int row = 1; row <= rows; ++row) {
            ASSERT_EQ(courses[row].size(), 1u) << row;
            const bool first = row <= 4 * F;
            const int index = first ? row - 1 : row - 1 - 4 * F;
            const int lines = first ? F : L;
            const int page = first ? start : start + 1 + index / (4 * L);
            const Placed& at = courses[row][0];
            EXPECT_EQ(at.page, page) << row;
            EXPECT_EQ(at.at.x(),
                      groupLeft.emplace(index % (4 * lines) / lines, at.at.x()).first->second)
                << row;
            EXPECT_EQ(at.at.y(),
                      lineTop.emplace(std::pair{page, index % lines}, at.at.y()).first->second)
                << row;
        }
    }
}

TEST_F(ReportTest, PreviewOpensOverTheWorkAreaWithItsCaptionAndPrintsNothing)
{
    dialog.findChild<QRadioButton*>(QStringLiteral("NaarScherm"))->setChecked(true);
    print(tableOf(17));
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(previewCaption, QStringLiteral("Vantorbel afdrukvoorbeeld"));
    EXPECT_EQ(previewOpenState, PreviewOpenState::WorkArea);
    EXPECT_EQ(previewPages, 1);
}

TEST_F(ReportTest, ThePreviewWaitsForTheUserUnderTheDefaultCursor)
{
    std::vector<const QCursor*> seen;
    printToPreview(tableOf(700), [&seen](TPreviewPrintForm1& preview) {
        seen.push_back(QApplication::overrideCursor());
        preview.Next1Click();
        seen.push_back(QApplication::overrideCursor());
    });
    EXPECT_EQ(seen, (std::vector<const QCursor*>{nullptr, nullptr}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReportTest, PreviewPagesSaveAsEmfFilesThatAnotherReaderOpens)
{
    QTemporaryDir folder;
    FileChooserStub files;
    files.answers.push_back(folder.filePath(QStringLiteral("rapport.emf")));
    ReportTable table = tableOf(17);
    table.projectName = QStringLiteral("Schuur");
    printToPreview(table, [](TPreviewPrintForm1& preview) { preview.SaveMetaClick(); });

    const QString svg = folder.filePath(QStringLiteral("rapport0.svg"));
    ASSERT_EQ(
        QProcess::execute(QStringLiteral("emf2svg-conv"),
                          {QStringLiteral("-i"), folder.filePath(QStringLiteral("rapport0.EMF")),
                           QStringLiteral("-o"), svg}),
        0);
    QFile read(svg);
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    const QByteArray page = read.readAll();
    for (const char* text : {"Schuur Vantorbel: 62,5", "Pagina:1", "Laag", "Hoogte", "1054,50"})
        EXPECT_TRUE(page.contains(text)) << text;
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("rapport1.EMF"))));
}

// What a program that is not ours reads from a file: its standard output, empty on failure.
QString outputOf(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Read back from the preview's PDF: the plan's header, its stretches in their columns (a name
// too long for its column cut), the one gauge, then the courses with the names of their points,
// cut where their column group ends.
TEST_F(ReportTest, APlanPrintsItsStretchesAndItsOneGaugeBeforeTheCourses)
{
    ReportTable table = planOf(45, 3);
    table.plan->oneGauge = QStringList{"Met één lagenmaat: 45 lagen van 62,2223",
                                       "dorpel laag 14 op 871,11 (28,89 lager)"};
    table.rows[0].point = QStringLiteral("peil");
    table.rows[38].point = QStringLiteral("bovenkant kozijn");
    QTemporaryDir folder;
    FileChooserStub files;
    files.answers = {folder.filePath(QStringLiteral("plan"))};
    files.types = {5};
    printToPreview(table, [](TPreviewPrintForm1& preview) { preview.SaveMetaClick(); });
    const QString text =
        outputOf(QStringLiteral("pdftotext"), {"-layout", folder.filePath("plan.pdf"), "-"});
    for (const char* line :
         {"^ *Schuur Vaste punten +Pagina:1$",
          "^ *Van +Tot +Soort +Lagen +Lagenmaat +Lintvoeg +Opmerking$",
          "^ *peil +dorpel +n × maat +14 +64,286 +14,29$",
          "^ *dorpel +bovenkant kozijn[^…]*… +n × maat +24 +62,5 +12,50$",
          "^ *bovenkant kozijn +vloer +\\+ voeg +6 +66,667 +16,67 +voeg 16,67 buiten 10–15$",
          "^ *Met één lagenmaat: 45 lagen van 62,2223$",
          "^ +dorpel laag 14 op 871,11 \\(28,89 lager\\)$", "^ *1 +62,50 peil$",
          "^ *39 +2418,50 bo[^ ]*…$", "^ *Laag +Hoogte +Laag +Hoogte"})
        EXPECT_TRUE(text.contains(
            QRegularExpression(QString::fromUtf8(line), QRegularExpression::MultilineOption)))
            << line << "\n"
            << text.toStdString();
    EXPECT_LT(text.indexOf(QStringLiteral("lager)")), text.indexOf(QStringLiteral("Laag")));
}

TEST_F(ReportTest, PreviewPagesSaveAsOnePdfAndAsSvgAndPngPages)
{
    const int L = linesPerColumn();
    const int rows = 9 * L; // two full pages and a third with group 1 only
    QTemporaryDir folder;
    FileChooserStub files;
    files.answers = {folder.filePath(QStringLiteral("rapport")),
                     folder.filePath(QStringLiteral("blad.svg")),
                     folder.filePath(QStringLiteral("blad.png"))};
    files.types = {5, 6, 7};
    printToPreview(tableOf(rows), [](TPreviewPrintForm1& preview) {
        for (int type = 0; type < 3; ++type)
            preview.SaveMetaClick();
    });

    const QString pdf = folder.filePath(QStringLiteral("rapport.pdf"));
    const QString info = outputOf(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +3\\n"))));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:.*\\(A4\\)"))));
    for (int page = 1; page <= 3; ++page) {
        const QString number = QString::number(page);
        const QString text =
            outputOf(QStringLiteral("pdftotext"), {"-f", number, "-l", number, pdf, "-"});
        EXPECT_TRUE(text.contains(QStringLiteral("Pagina:") + number)) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("%1,50").arg(((page - 1) * 4 * L + 1) * 62)));
        EXPECT_TRUE(text.contains(QStringLiteral("%1,50").arg(std::min(page * 4 * L, rows) * 62)));
    }
    // Embedded, and as a subset: the whole Liberation Sans alone is 400 kB.
    EXPECT_TRUE(outputOf(QStringLiteral("pdffonts"), {pdf})
                    .contains(QRegularExpression(QStringLiteral("TrueType +Identity-H +yes"))));
    EXPECT_LT(QFileInfo(pdf).size(), 150000);
    // Fitting the report to the paper is the reader's to choose, as it always was.
    const PdfSettings settings = ReadPdfSettings(pdf);
    EXPECT_TRUE(settings.sound);
    EXPECT_EQ(settings.version, QStringLiteral("1.4"));
    EXPECT_TRUE(settings.printScaling.isEmpty());

    for (int page = 0; page < 3; ++page) {
        const QString svg = folder.filePath(QStringLiteral("blad%1.svg").arg(page));
        EXPECT_TRUE(
            outputOf(QStringLiteral("xmllint"), {"--xpath", "//*[local-name()='text']", svg})
                .contains(QStringLiteral("Pagina:%1").arg(page + 1)));
        EXPECT_EQ(QProcess::execute(QStringLiteral("rsvg-convert"), {"-o", svg + ".png", svg}), 0);
        // The test printer's printable area, 4795 x 6803 pixels at 600 per inch, at 200.
        const QImage png(folder.filePath(QStringLiteral("blad%1.png").arg(page)));
        EXPECT_EQ(png.size(), QSize(1598, 2268));
        EXPECT_EQ(png.dotsPerMeterX(), 7874);
    }
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("blad3.png"))));
}

// Heights with longer integer parts start further left; their decimal separators stand in one
// line, also where the thousands separator is a comma, whatever the regional setting became after
// they were calculated.
TEST_F(ReportTest, HeightsLineUpOnTheDecimalSeparatorTheyWereWrittenWith)
{
    for (const QString decimal : {".", ","}) {
        const QString thousands = decimal == u"." ? "," : ".";
        platform::SetRegionalFormat({thousands.toStdString(), decimal.toStdString()});
        ReportTable table = tableOf(0);
        table.decimalSeparator = decimal;
        for (const char* height : {"0#00", "62#50", "1T234#50", "12T345#00", "123T456"})
            table.rows.push_back(
                {{}, QString(height).replace('#', decimal).replace('T', thousands)});
        print(table);
        const auto placed = placedTexts();
        printer.canvas().setFont(table.font);
        std::set<int> separators;
        for (const ReportTable::Row& row : table.rows) {
            const qsizetype at = row.value.indexOf(decimal);
            const QString upTo = at >= 0 ? row.value.left(at + 1) : row.value + decimal;
            separators.insert(placed.find(row.value)->second.at.x() +
                              printer.canvas().textWidth(upTo));
        }
        EXPECT_LE(*separators.rbegin() - *separators.begin(), 1) << decimal.toStdString();
        printer.jobs.clear();
    }
    platform::SetRegionalFormat({",", "."});
}

// A long print to the printer says how far it is; Annuleren before the job goes out sends
// nothing.
TEST_F(ReportTest, ALongPrintShowsItsProgressAndACancelSendsNothing)
{
    QString shown;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&shown] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(window);
                progress && progress->isVisible() && shown.isEmpty()) {
                shown = progress->labelText();
                progress->cancel();
            }
    });
    user.start(0);
    ASSERT_TRUE(ConfirmPrintDialog(dialog));
    PrintResultsReport(tableOf(2000), dialog, std::chrono::milliseconds(0));
    EXPECT_TRUE(shown.endsWith(QStringLiteral(" naar de printer"))) << shown.toStdString();
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_TRUE(printer.jobs[0].aborted);

    // The window printed from is closed before the progress would show: the print stops and no
    // progress window comes up over a closed program.
    QWidget owner;
    owner.setAttribute(Qt::WA_QuitOnClose, false);
    owner.show();
    SetMsgOwnerHandle(&owner);
    QTimer::singleShot(20, &owner, &QWidget::close);
    shown.clear();
    PrintResultsReport(tableOf(40000), dialog, std::chrono::milliseconds(1000));
    SetMsgOwnerHandle(nullptr);
    EXPECT_EQ(shown, QString());
    ASSERT_EQ(printer.jobs.size(), 2u);
    EXPECT_TRUE(printer.jobs[1].aborted);
}

TEST_F(ReportTest, CopiesChosenInTheDialogReachThePrinterEachPageOnce)
{
    dialog.findChild<QSpinBox*>(QStringLiteral("aantalEdit1"))->setValue(3);
    print(tableOf(17));
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].copies, 3);
    EXPECT_EQ(pageCount(), 1u);
}

TEST_F(ReportTest, ComputerPaperBandsOnlyWhileTicked)
{
    dialog.enableComputerPaper();
    print(tableOf(10));
    std::size_t bands = 0;
    for (const auto& operation : printer.jobs[0].pages[0]->operations())
        bands += std::holds_alternative<PageImage::Rectangle>(operation);
    EXPECT_GT(bands, 4u);

    printer.jobs.clear();
    dialog.findChild<QAbstractButton*>(QStringLiteral("ComputerPaper"))->setChecked(false);
    print(tableOf(10));
    for (const auto& operation : printer.jobs[0].pages[0]->operations())
        EXPECT_FALSE(std::holds_alternative<PageImage::Rectangle>(operation));
}

// Events are let through every few milliseconds while a long report runs: a timer keeps
// ticking, as a repaint or a click on the busy window would be handled.
TEST_F(ReportTest, TheWindowsStayResponsiveDuringALongReport)
{
    int ticks = 0;
    QTimer clock;
    clock.callOnTimeout([&ticks] { ++ticks; });
    clock.start(5);
    QElapsedTimer took;
    took.start();
    print(tableOf(100000));
    EXPECT_GE(ticks, std::max<qint64>(1, took.elapsed() / 50));
}

TEST_F(ReportTest, ATableFontTooLargeForOneLineEndsQuicklyWithAWarning)
{
    ReportTable table = tableOf(100000);
    table.font.pointSize = 600;
    print(table);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_LE(pageCount(), 12u);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Vantorbel"));
    // The box waits for the user under the default cursor.
    EXPECT_FALSE(boxes.boxes[0].underBusyCursor);
    EXPECT_FALSE(printer.printing());
}

TEST_F(ReportTest, AJobThatFailsMidwayIsAbortedAndTheNextPrintWorks)
{
    printer.refuseNewPage = 2;
    EXPECT_THROW(PrintResultsReport(tableOf(2000), dialog), std::runtime_error);
    ASSERT_NO_THROW(PrintResultsReport(tableOf(2000), dialog));
    ASSERT_EQ(printer.jobs.size(), 2u);
    EXPECT_TRUE(printer.jobs[0].aborted);
    EXPECT_FALSE(printer.jobs[1].aborted);

    // The same from the preview's own print.
    TPreviewPrintForm1 preview;
    for (auto& page : printer.jobs[1].pages)
        preview.PageList.push_back(std::move(page));
    printer.refuseNewPage = 1;
    EXPECT_THROW(preview.Afdrukken1Click(), std::runtime_error);
    EXPECT_TRUE(printer.jobs.back().aborted);
    ASSERT_NO_THROW(preview.Afdrukken1Click());
    EXPECT_FALSE(printer.jobs.back().aborted);
}

TEST_F(ReportTest, APrinterFailureLeavesNoEngineAndRestoresTheCursor)
{
    printer.noPrinter = true;
    EXPECT_THROW(PrintResultsReport(tableOf(5), dialog), std::runtime_error);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
