#include "form_fixture.h"

#include "platform/print_system/background_handover.h"
#include "platform/print_system/scheduler_workers.h"
#include "platform/toolkit/regional_settings.h"

#include "calc/course_table.h"
#include "print/windows/PrintDlg.h"
#include "printing/printed_tables.h"
#include "support/test_printer.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace {

using VantorFormTest = FormFixture;

TEST_F(VantorFormTest, OpensWithItsDefaults)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vantorbel"));
    EXPECT_EQ(edit("ProjectNaamEdit")->text(), QString());
    EXPECT_EQ(edit("VantorbelEdit")->text(), QStringLiteral("62,5"));
    EXPECT_EQ(edit("OnderhoogteEdit")->text(), QStringLiteral("0"));
    EXPECT_EQ(edit("BovenhoogteEdit")->text(), QStringLiteral("1000"));
    EXPECT_EQ(edit("DecimalenEdit")->text(), QStringLiteral("2"));
    EXPECT_EQ(label("VanTorbelLabel"), QStringLiteral("Vantorbel:"));
    EXPECT_TRUE(find<QToolButton>("VanTorbelButton")->isChecked());
    EXPECT_FALSE(find<QToolButton>("KoppenMaatButton")->isChecked());

    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(cell(0, 0), QStringLiteral("Laag"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("Hoogte"));
    EXPECT_EQ(cell(0, 1), QString());
    EXPECT_EQ(cell(1, 1), QString());
    EXPECT_EQ(QApplication::focusWidget(), edit("VantorbelEdit"));
}

// The header row is in the table font from the first frame on, effects included.
TEST_F(VantorFormTest, TheHeaderRowShowsTheTableFont)
{
    const QHeaderView& header = *form.resultGrid().horizontalHeader();
    EXPECT_EQ(header.font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(header.font().pointSize(), 9);
    QFont marked(QStringLiteral("Arial"), 12);
    marked.setUnderline(true);
    marked.setStrikeOut(true);
    FontChooserStub chooser(marked);
    click("ToolButton10");
    EXPECT_EQ(header.font(), marked);
}

TEST_F(VantorFormTest, GridKeepsItsFixedGeometryWhateverTheFont)
{
    CourseGrid& grid = form.resultGrid();
    EXPECT_EQ(grid.columnWidth(0), 50);
    EXPECT_EQ(grid.columnWidth(1), 100);
    EXPECT_EQ(grid.horizontalHeader()->height(), 20);
    EXPECT_EQ(grid.rowHeight(0), 20);

    QFont large(QStringLiteral("Arial"));
    large.setPointSize(20);
    FontChooserStub chooser(large);
    click("ToolButton10");
    calculate();
    EXPECT_EQ(grid.font().pointSize(), 20);
    EXPECT_EQ(grid.rowHeight(0), 20);
    EXPECT_EQ(grid.columnWidth(0), 50);
    EXPECT_EQ(grid.columnWidth(1), 100);
    EXPECT_EQ(grid.horizontalHeader()->height(), 20);
}

TEST_F(VantorFormTest, TabOrderRunsThroughTheNumbersBeforeTheProjectName)
{
    const char* order[] = {"VantorbelEdit", "OnderhoogteEdit", "BovenhoogteEdit", "DecimalenEdit",
                           "ProjectNaamEdit"};
    edit(order[0])->setFocus();
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), edit(order[i]))
            << order[i] << " got " << QApplication::focusWidget()->objectName().toStdString();
    }
}

TEST_F(VantorFormTest, CalculatingTheDefaultsFillsSeventeenCourses)
{
    calculate();
    EXPECT_TRUE(boxes.boxes.empty());
    ASSERT_EQ(rows(), 18);
    EXPECT_EQ(cell(0, 1), QStringLiteral("0"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("0,00"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("62,50"));
    EXPECT_EQ(cell(1, 3), QStringLiteral("125,00"));
    EXPECT_EQ(cell(0, 17), QStringLiteral("16"));
    EXPECT_EQ(cell(1, 17), QStringLiteral("1.000,00"));
    const QAbstractItemModel& shown = *form.resultGrid().model();
    EXPECT_EQ(shown.index(16, 0).data().toString(), QStringLiteral("16"));
    EXPECT_EQ(shown.index(16, 1).data().toString(), QStringLiteral("1.000,00"));
}

TEST_F(VantorFormTest, TypingInANumberFieldEmptiesTheTableButTheProjectNameDoesNot)
{
    calculate();
    QTest::keyClicks(edit("ProjectNaamEdit"), QStringLiteral("Schuur"));
    EXPECT_EQ(rows(), 18);

    for (const char* field :
         {"VantorbelEdit", "OnderhoogteEdit", "BovenhoogteEdit", "DecimalenEdit"}) {
        SCOPED_TRACE(field);
        calculate();
        ASSERT_EQ(rows(), 18);
        QTest::keyClick(edit(field), Qt::Key_End);
        QTest::keyClick(edit(field), Qt::Key_0);
        EXPECT_EQ(rows(), 2);
        EXPECT_EQ(cell(1, 1), QString());
        QTest::keyClick(edit(field), Qt::Key_Backspace);
    }
}

TEST_F(VantorFormTest, SettingTheSameTextIsNoChange)
{
    calculate();
    edit("OnderhoogteEdit")->setText(QStringLiteral("0"));
    EXPECT_EQ(rows(), 18);
}

TEST_F(VantorFormTest, HeadModeRelabelsResetsTheGaugeAndKeepsTheOtherInputs)
{
    retype("OnderhoogteEdit", QStringLiteral("10"));
    retype("DecimalenEdit", QStringLiteral("1"));
    QTest::keyClicks(edit("ProjectNaamEdit"), QStringLiteral("Garage"));
    calculate();
    ASSERT_GT(rows(), 2);

    click("KoppenMaatButton");
    EXPECT_TRUE(find<QToolButton>("KoppenMaatButton")->isChecked());
    EXPECT_FALSE(find<QToolButton>("VanTorbelButton")->isChecked());
    EXPECT_EQ(label("VanTorbelLabel"), QStringLiteral("Koppenmaat:"));
    EXPECT_EQ(label("OnderhoogteLabel"), QStringLiteral("Startmaat:"));
    EXPECT_EQ(label("BovenhoogteLabel"), QStringLiteral("Eindmaat:"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("Kop"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("Maat"));
    EXPECT_EQ(edit("VantorbelEdit")->text(), QStringLiteral("110"));
    EXPECT_EQ(edit("OnderhoogteEdit")->text(), QStringLiteral("10"));
    EXPECT_EQ(edit("DecimalenEdit")->text(), QStringLiteral("1"));
    EXPECT_EQ(edit("ProjectNaamEdit")->text(), QStringLiteral("Garage"));
    EXPECT_EQ(rows(), 2);

    click("VanTorbelButton");
    EXPECT_EQ(label("VanTorbelLabel"), QStringLiteral("Vantorbel:"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("Laag"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("Hoogte"));
    EXPECT_EQ(edit("VantorbelEdit")->text(), QStringLiteral("62,5"));
}

TEST_F(VantorFormTest, HeadModeDefaultsGiveElevenHeadsEndingAboveTheEnd)
{
    click("KoppenMaatButton");
    calculate();
    ASSERT_EQ(rows(), 12);
    EXPECT_EQ(cell(0, 11), QStringLiteral("10"));
    EXPECT_EQ(cell(1, 11), QStringLiteral("1.100,00"));
}

TEST_F(VantorFormTest, PressingTheActiveModeButtonPutsItsGaugeBack)
{
    retype("VantorbelEdit", QStringLiteral("50"));
    calculate();
    ASSERT_EQ(rows(), 22);

    click("VanTorbelButton");
    EXPECT_TRUE(find<QToolButton>("VanTorbelButton")->isChecked());
    EXPECT_EQ(edit("VantorbelEdit")->text(), QStringLiteral("62,5"));
    EXPECT_EQ(rows(), 2);

    // The gauge already holds the default: nothing changes, the table stays.
    calculate();
    click("VanTorbelButton");
    EXPECT_EQ(rows(), 18);
}

TEST_F(VantorFormTest, UnreadableInputsWarnAboutTheFirstFieldAndLeaveTheTable)
{
    struct Case {
        const char* gauge;
        const char* bottom;
        const char* decimals;
        QString message;
        const char* focused;
    };
    const Case cases[] = {
        {"62.5", "0", "2", QStringLiteral("62.5 is geen getal"), "VantorbelEdit"},
        {"62,5 mm", "0", "2", QStringLiteral("62,5 mm is geen getal"), "VantorbelEdit"},
        {"62,5", "x", "2,5", QStringLiteral("x is geen getal"), "OnderhoogteEdit"},
        {"62,5", "0", "", QStringLiteral(" is onjuist getal"), "DecimalenEdit"},
        {"62,5", "0", "2 ", QStringLiteral("2  is onjuist getal"), "DecimalenEdit"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        retype("VantorbelEdit", QStringLiteral("62,5"));
        retype("OnderhoogteEdit", QStringLiteral("0"));
        retype("DecimalenEdit", QStringLiteral("2"));
        calculate();
        retype("VantorbelEdit", QLatin1String(c.gauge));
        retype("OnderhoogteEdit", QLatin1String(c.bottom));
        retype("DecimalenEdit", QLatin1String(c.decimals));
        const int before = rows();
        const QString lastHeight = cell(1, before - 1);
        boxes.boxes.clear();

        calculate();
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, c.message);
        EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Foutive invoer"));
        EXPECT_EQ(boxes.boxes[0].icon, platform::BoxIcon::Warning);
        EXPECT_EQ(boxes.boxes[0].owner, &form);
        EXPECT_EQ(rows(), before);
        EXPECT_EQ(cell(1, before - 1), lastHeight);
        EXPECT_EQ(QApplication::focusWidget(), edit(c.focused));
    }
}

TEST_F(VantorFormTest, RunawayGaugesAreRefusedAtOnceWithAMessageNamingTheGauge)
{
    for (const char* gauge : {"0", "-1", "1e-300"}) {
        SCOPED_TRACE(gauge);
        boxes.boxes.clear();
        retype("VantorbelEdit", QLatin1String(gauge));
        QElapsedTimer clock;
        clock.start();
        calculate();
        EXPECT_LT(clock.elapsed(), 500);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_TRUE(boxes.boxes[0].text.startsWith(QLatin1String(gauge) + QLatin1Char(' ')))
            << boxes.boxes[0].text.toStdString();
        EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Foutive invoer"));
        EXPECT_EQ(rows(), 2);
    }
}

TEST_F(VantorFormTest, TableAtTheRowLimitIsBuiltAndShownQuickly)
{
    retype("VantorbelEdit", QStringLiteral("1"));
    retype("BovenhoogteEdit", QString::number(calc::kMaxCourseRows - 1));
    QElapsedTimer clock;
    clock.start();
    calculate();
    QApplication::processEvents();
    const qint64 elapsed = clock.elapsed();

    EXPECT_TRUE(boxes.boxes.empty());
    ASSERT_EQ(rows(), calc::kMaxCourseRows + 1);
    EXPECT_EQ(cell(1, rows() - 1), QStringLiteral("99.999,00"));
    EXPECT_LT(elapsed, 1000);
    form.resultGrid().scrollToBottom();
    QApplication::processEvents();
}

TEST_F(VantorFormTest, FontDialogCancelChangesNothingAndConfirmTakesTheFont)
{
    const QFont before = tableFont().font;
    {
        FontChooserStub cancelled(std::nullopt);
        click("ToolButton10");
        ASSERT_TRUE(cancelled.offered.has_value());
        EXPECT_EQ(*cancelled.offered, before);
    }
    EXPECT_EQ(tableFont().font, before);
    EXPECT_EQ(form.resultGrid().font(), before);

    QFont courier(QStringLiteral("Liberation Mono"));
    courier.setPointSize(11);
    courier.setBold(true);
    FontChooserStub confirmed(courier);
    click("ToolButton10");
    EXPECT_EQ(tableFont().font, courier);
    EXPECT_EQ(form.resultGrid().font(), courier);
}

TEST_F(VantorFormTest, TheFontDialogsColourReachesTheTableAndTheReport)
{
    QTimer chooseRed;
    chooseRed.callOnTimeout([] {
        if (auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
            auto* colours = dialog->findChild<QComboBox*>(QStringLiteral("FontColour"));
            colours->setCurrentIndex(colours->findText(QStringLiteral("Rood")));
            dialog->accept();
        }
    });
    chooseRed.start(10);
    click("ToolButton10");
    const QColor red(255, 0, 0);
    EXPECT_EQ(form.resultGrid().palette().color(QPalette::Text), red);
    const CourseProject& project = parts.document.project();
    EXPECT_EQ(ReportTableOf(project.table, project).font.color, red);
}

// What a screen reader reads of the table: the column header of a number cell and of a height
// cell, and the cells themselves.
TEST_F(VantorFormTest, ScreenReadersFindTheHeadersOfTheNumbersAndTheHeightsInBothModes)
{
    calculate();
    for (const auto& [button, numbers, heights] :
         {std::tuple{"KoppenMaatButton", "Kop", "Maat"}, {"VanTorbelButton", "Laag", "Hoogte"}}) {
        SCOPED_TRACE(button);
        click(button);
        calculate();
        // Read afresh, as a screen reader that is told of the new table does: without one
        // attached (offscreen), Qt keeps the cells of the table before.
        if (QAccessibleInterface* old = QAccessible::queryAccessibleInterface(&form.resultGrid()))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&form.resultGrid());
        ASSERT_NE(grid, nullptr);
        QAccessibleTableInterface* table = grid->tableInterface();
        ASSERT_NE(table, nullptr);
        ASSERT_EQ(table->columnCount(), 2);
        const auto headerOf = [table](int column) {
            QString names;
            // Qt hands out new header cells that nobody owns: registered, they can be freed.
            for (QAccessibleInterface* header :
                 table->cellAt(1, column)->tableCellInterface()->columnHeaderCells()) {
                const QAccessible::Id id = QAccessible::registerAccessibleInterface(header);
                names += header->text(QAccessible::Name);
                QAccessible::deleteAccessibleInterface(id);
            }
            return names;
        };
        EXPECT_EQ(headerOf(0), QLatin1String(numbers));
        EXPECT_EQ(headerOf(1), QLatin1String(heights));
    }
    // And what the eye reads: the numbers drawn as the fixed column do not hide the heights.
    CourseGrid& grid = form.resultGrid();
    const QImage shown = grid.viewport()->grab().toImage();
    const QRect height = grid.visualRect(grid.model()->index(1, 1));
    int ink = 0;
    for (int y = height.top() + 2; y < height.bottom() - 1; ++y)
        for (int x = height.left() + 2; x < height.right() - 1; ++x)
            ink += shown.pixelColor(x, y).lightness() < 128;
    EXPECT_GT(ink, 10);
}

TEST_F(VantorFormTest, SelectedRowsCopyWithTheirHeaderForASpreadsheet)
{
    calculate();
    CourseGrid& grid = form.resultGrid();
    const auto clickRow = [&grid](int row, Qt::KeyboardModifiers keys) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, keys,
                          grid.visualRect(grid.model()->index(row, 1)).center());
    };
    clickRow(1, {});
    clickRow(2, Qt::ShiftModifier);
    QTest::keySequence(&grid, QKeySequence::Copy);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(copied->text(), QStringLiteral("Laag\tHoogte\n1\t62,50\n2\t125,00\n"));
    EXPECT_EQ(copied->html(), QStringLiteral("<table><tr><th>Laag</th><th>Hoogte</th></tr>"
                                             "<tr><td>1</td><td>62,50</td></tr>"
                                             "<tr><td>2</td><td>125,00</td></tr></table>"));

    // Head mode: "select all", or nothing selected, copies the whole table.
    click("KoppenMaatButton");
    calculate();
    grid.setFocus();
    QTest::keySequence(&grid, QKeySequence::SelectAll);
    QTest::keySequence(&grid, QKeySequence::Copy);
    const QString whole = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(whole.startsWith(QStringLiteral("Kop\tMaat\n")));
    EXPECT_EQ(whole.count(QLatin1Char('\n')), rows());
    grid.clearSelection();
    QGuiApplication::clipboard()->clear();
    QAction* contextCopy = grid.actions().at(0);
    EXPECT_EQ(contextCopy->text(), QStringLiteral("Kopiëren"));
    contextCopy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), whole);
}

// The main window's print dialog, confirmed whenever it is shown, and the printer it prints on.
struct ConfirmedPrinting {
    ConfirmedPrinting()
    {
        PrintDialog1 = &dialog;
        modal.answer = [this](QDialog& shown) {
            // Any other window, a preview, is looked at and closed.
            if (&shown != &dialog)
                return int(QDialog::Rejected);
            dialog.findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click();
            return int(QDialog::Accepted);
        };
    }
    ~ConfirmedPrinting() { PrintDialog1 = nullptr; }
    ConfirmedPrinting(const ConfirmedPrinting&) = delete;
    ConfirmedPrinting& operator=(const ConfirmedPrinting&) = delete;

    TestPrinter printer;
    ModalRunnerStub modal;
    TPrintDialog1 dialog;
};

std::multiset<QString> FirstPageTexts(const TestPrinter::Job& job)
{
    std::multiset<QString> texts;
    for (const auto& operation : job.pages.at(0)->operations())
        if (const auto* text = std::get_if<platform::PageImage::Text>(&operation))
            texts.insert(text->text);
    return texts;
}

// "Lat afdrukken" after "Kopiëren": the table shown goes to the printer as a rod; without a
// table, or with one too long for a rod, a box says why.
TEST_F(VantorFormTest, TheTablesContextMenuPrintsItAsARod)
{
    ConfirmedPrinting printing;
    TestPrinter& printer = printing.printer;
    CourseGrid& grid = form.resultGrid();
    auto* rod = grid.findChild<QAction*>(QStringLiteral("LatAfdrukkenAction"));
    ASSERT_NE(rod, nullptr);
    EXPECT_EQ(grid.actions().indexOf(rod), 1);
    EXPECT_EQ(rod->text(), QStringLiteral("Lat afdrukken"));

    rod->trigger();
    calculate();
    rod->trigger();
    retype("VantorbelEdit", QStringLiteral("1"));
    retype("BovenhoogteEdit", QStringLiteral("1001"));
    calculate();
    rod->trigger();

    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Lat afdrukken"));
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Er is nog geen tabel om als lat af te drukken: "
                                                  "bereken eerst de tabel."));
    EXPECT_EQ(boxes.boxes[1].text,
              QStringLiteral("De tabel heeft meer dan 1.000 lagen: zo'n lange lat wordt niet "
                             "afgedrukt."));
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_TRUE(printer.jobs[0].actualSize);
    EXPECT_TRUE(FirstPageTexts(printer.jobs[0])
                    .count(QStringLiteral(
                        "Hoogte 0,00 tot 250,00, lagenmaat 62,5, 16 lagen, maten in mm")));
}

// The Verdelen window's plan of fixed points goes to the printer from its tab, with this
// window's project name: as the report and as the rod, with the points named at their lines.
TEST_F(VantorFormTest, ThePlanOfFixedPointsPrintsAsAReportAndAsARod)
{
    ConfirmedPrinting printing;
    TestPrinter& printer = printing.printer;
    retype("ProjectNaamEdit", QStringLiteral("Schuur"));
    retype("BovenhoogteEdit", QStringLiteral("900"));
    click("VerdelenButton");
    for (const char* button : {"PlanAfdrukkenButton", "PlanLatAfdrukkenButton"})
        form.findChild<QPushButton*>(QLatin1String(button))->click();

    ASSERT_EQ(printer.jobs.size(), 2u);
    const std::multiset<QString> report = FirstPageTexts(printer.jobs[0]);
    for (const char* text : {"Schuur Vaste punten", "onderhoogte", "n × maat", "64,286"})
        EXPECT_EQ(report.count(QString::fromUtf8(text)), 1u) << text;
    EXPECT_FALSE(printer.jobs[0].actualSize);
    const std::multiset<QString> rod = FirstPageTexts(printer.jobs[1]);
    EXPECT_TRUE(printer.jobs[1].actualSize);
    EXPECT_EQ(rod.count(QStringLiteral("onderhoogte")), 1u);
    EXPECT_EQ(rod.count(QStringLiteral("Hoogte 0,00 tot 257,14, vaste punten, 14 lagen, maten in "
                                       "mm")),
              1u);
}

TEST_F(VantorFormTest, InformationPictureOpensTheMakersAddress)
{
    auto* picture = find<QLabel>("Image2");
    EXPECT_TRUE(
        picture->toolTip().startsWith(QStringLiteral("Voor informatie en nieuwe versie zie ")));
    EXPECT_TRUE(picture->toolTip().endsWith(QLatin1Char(' ')));
    QTest::mouseClick(picture, Qt::LeftButton);
    ASSERT_EQ(browser.addresses.size(), 1u);
    EXPECT_TRUE(browser.addresses[0].startsWith(QStringLiteral("http://")));
    EXPECT_TRUE(picture->toolTip().contains(browser.addresses[0].mid(7)));
}

TEST_F(VantorFormTest, EveryInputAndButtonHasAnAccessibleName)
{
    for (QWidget* widget : form.findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QToolButton*>(widget)) {
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
        }
    }
}

TEST_F(VantorFormTest, LocaleChangeReadsTheSeparatorsAgain)
{
    platform::SetRegionalFormat({"#", "#"});
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(&form, &change);
    const calc::RegionalFormat expected = platform::RegionalFormatOf(QLocale::system());
    EXPECT_EQ(platform::CurrentRegionalFormat().decimalSeparator, expected.decimalSeparator);
    EXPECT_EQ(platform::CurrentRegionalFormat().thousandsSeparator, expected.thousandsSeparator);
    platform::SetRegionalFormat({",", "."});
}

TEST(RegionalFormat, ComesFromTheLocaleWithPointAndCommaAsFallback)
{
    const calc::RegionalFormat dutch = platform::RegionalFormatOf(QLocale(QLocale::Dutch));
    EXPECT_EQ(dutch.decimalSeparator, ",");
    EXPECT_EQ(dutch.thousandsSeparator, ".");
    const calc::RegionalFormat plain = platform::RegionalFormatOf(QLocale::c());
    EXPECT_EQ(plain.decimalSeparator, ".");
    EXPECT_EQ(plain.thousandsSeparator, ",");
}

// A print scheduler that takes the connection and never answers: a job handed to it stays on
// its way until the scheduler goes away.
class SilentScheduler {
public:
    SilentScheduler()
        : m_socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(m_folder.filePath(QStringLiteral("s")));
        std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
        EXPECT_EQ(::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(m_socket, 8), 0);
        m_previous = qgetenv("CUPS_SERVER");
        qputenv("CUPS_SERVER", path);
    }
    ~SilentScheduler()
    {
        goAway();
        qputenv("CUPS_SERVER", m_previous);
    }
    // Connections waiting to be taken are refused: the worker's question fails at once.
    void goAway()
    {
        if (m_socket >= 0)
            ::close(std::exchange(m_socket, -1));
    }

private:
    QTemporaryDir m_folder;
    int m_socket;
    QByteArray m_previous;
};

// Closing while the pages of a print are drawn asks as for a job on its way: "Nee" lets the print
// go to the printer whole, "Ja" stops it unsent. A preview is closed without a question.
TEST_F(VantorFormTest, ClosingWhileAPrintIsDrawnAsksUnlessItGoesToTheScreen)
{
    ConfirmedPrinting printing;
    const std::vector<TestPrinter::Job>& jobs = printing.printer.jobs;
    retype("VantorbelEdit", QStringLiteral("0,1"));
    calculate();
    // The user closes the main window as soon as the print holds its commands back.
    QTimer user;
    bool closing = false;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (!closing && !find<QToolButton>("ToolButton9")->isEnabled()) {
            closing = true;
            form.close();
        }
    });
    user.start(0);
    const QString question =
        QStringLiteral("De afdruk is nog niet bij de printer. Toch afsluiten?");

    click("ToolButton9");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, question);
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_FALSE(jobs[0].aborted);

    boxes.answerYes = true;
    closing = false;
    click("ToolButton9");
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].text, question);
    EXPECT_FALSE(form.isVisible());
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_TRUE(jobs[1].aborted);
    EXPECT_LT(jobs[1].pages.size(), jobs[0].pages.size());

    form.show();
    printing.dialog.findChild<QAbstractButton*>(QStringLiteral("NaarScherm"))->setChecked(true);
    closing = false;
    click("ToolButton9");
    EXPECT_TRUE(closing);
    EXPECT_EQ(boxes.boxes.size(), 2u);
    EXPECT_FALSE(form.isVisible());
}

// Closing with a job still on its way asks first; "Ja" gives the job up and says so while it
// waits for the scheduler, which here never answers.
TEST_F(VantorFormTest, ClosingWithAPrintJobOnItsWayAsksAndGivesItUp)
{
    SilentScheduler scheduler;
    QTemporaryDir folder;
    platform::CupsJobRequest job;
    job.queue = QStringLiteral("Nergens");
    job.pdfFile = folder.filePath(QStringLiteral("job.pdf"));
    QFile pdf(job.pdfFile);
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write("%PDF-1.4\n");
    pdf.close();
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    platform::HandOverInBackground(job, ::dup(pdf.handle()));

    click("ToolButton12");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              QStringLiteral("De afdruk is nog niet bij de printer. Toch afsluiten?"));
    EXPECT_TRUE(form.isVisible());

    QStringList told;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (auto* text = form.findChild<QLabel*>(QStringLiteral("AnnulerenLabel"));
            text && text->isVisible() && !told.contains(text->text()))
            told << text->text();
    });
    look.start(50);
    boxes.answerYes = true;
    QElapsedTimer clock;
    clock.start();
    click("ToolButton12");
    EXPECT_FALSE(form.isVisible());
    EXPECT_GE(clock.elapsed(), 7000);
    EXPECT_EQ(told, QStringList({QStringLiteral("De afdruk wordt geannuleerd…"),
                                 QStringLiteral("De printerservice antwoordt niet; de afdruk kan "
                                                "in de wachtrij blijven staan.")}));
    scheduler.goAway();
    EXPECT_TRUE(platform::SchedulerWorkersEnded(std::chrono::seconds(20)));
}

} // namespace
