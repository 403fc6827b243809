#include "project_fixture.h"
#include "support/read_only_folder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDialog>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <sys/resource.h>

namespace {

using platform::BoxIcon;
using Purpose = platform::FileDialogRequest::Purpose;

const QByteArray kDefaultsFile =
    "\r\n[VANTORBEL]\r\nPROJECTNAAM=\r\nVANTORBEL=62,5\r\nONDERHOOGTE=0\r\n"
    "BOVENHOOGTE=1000\r\nDECIMALEN=2\r\nMODE=1\r\nFONTNAME=Arial\r\n"
    "FONTSIZE=9\r\nFONTSTYLE=\r\n\r\n";

using ProjectCommandsTest = ProjectFixture;

// The desktop's font dialog, confirmed without a change: the table font, and so the project
// file, stay as they were; a face picked there is taken.
TEST_F(ProjectCommandsTest, TheUntouchedFontDialogLeavesTheTableFontAndTheFile)
{
    QString offered;
    QString pick;
    QTimer user;
    user.setInterval(10);
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
            offered = dialog->currentFont().family();
            if (!pick.isEmpty())
                dialog->setCurrentFont(QFont(pick, 9));
            dialog->accept();
        }
    });
    user.start();
    click("ToolButton10");
    EXPECT_EQ(offered, QStringLiteral("Liberation Sans"));
    EXPECT_EQ(tableFont().font.family(), QStringLiteral("Arial"));
    save(path("ongewijzigd.ini"));
    EXPECT_EQ(contents(path("ongewijzigd.ini")), kDefaultsFile);

    pick = QStringLiteral("Liberation Serif");
    click("ToolButton10");
    EXPECT_EQ(tableFont().font.family(), pick);
}

TEST_F(ProjectCommandsTest, DialogsAskWithTheirOwnTitlesAndTheIniFilter)
{
    click("ToolButton1");
    click("ToolButton2");
    ASSERT_EQ(files.requests.size(), 2u);
    EXPECT_EQ(files.requests[0].purpose, Purpose::Open);
    EXPECT_EQ(files.requests[0].title, QStringLiteral("Vantorbel of koppenmaat bestand openen"));
    EXPECT_EQ(files.requests[1].purpose, Purpose::Save);
    EXPECT_EQ(files.requests[1].title, QStringLiteral("Vantorbel of koppenmaat bestand opslaan"));
    for (const auto& request : files.requests) {
        EXPECT_EQ(request.filter,
                  QStringLiteral("Inibestanden (*.ini)|*.ini|Alle bestanden (*.*)|*.*"));
        EXPECT_EQ(request.defaultSuffix, QStringLiteral("ini"));
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(ProjectCommandsTest, EachDialogOffersItsOwnLastFile)
{
    save(path("a.ini"));
    open(path("a.ini"));
    click("ToolButton2");
    click("ToolButton1");
    ASSERT_EQ(files.requests.size(), 4u);
    EXPECT_EQ(files.requests[0].fileName, QString());
    EXPECT_EQ(files.requests[1].fileName, QString());
    EXPECT_EQ(files.requests[2].fileName, path("a.ini"));
    EXPECT_EQ(files.requests[3].fileName, path("a.ini"));
}

TEST_F(ProjectCommandsTest, CancelledDialogsChangeNothing)
{
    calculate();
    retype("ProjectNaamEdit", QStringLiteral("Schuur"));
    click("ToolButton1");
    click("ToolButton2");
    EXPECT_EQ(text("ProjectNaamEdit"), QStringLiteral("Schuur"));
    EXPECT_EQ(rows(), 18);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(ProjectCommandsTest, DefaultsSaveAsTheTwelveLinesAndOpenAgain)
{
    save(path("nieuw.ini"));
    EXPECT_EQ(contents(path("nieuw.ini")), kDefaultsFile);

    retype("VantorbelEdit", QStringLiteral("70"));
    parts.document.setTableFont({QFont(QStringLiteral("Liberation Mono"), 14), Qt::black});
    open(path("nieuw.ini"));
    EXPECT_EQ(text("VantorbelEdit"), QStringLiteral("62,5"));
    EXPECT_EQ(tableFont().font.family(), QStringLiteral("Arial"));
    EXPECT_EQ(tableFont().font.pointSize(), 9);
    EXPECT_EQ(rows(), 18);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(ProjectCommandsTest, HeadModeFileSwitchesModeShowsItsGaugeAndRecalculates)
{
    click("KoppenMaatButton");
    retype("VantorbelEdit", QStringLiteral("100"));
    retype("ProjectNaamEdit", QStringLiteral("Garage = links"));
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSize(11);
    font.setBold(true);
    font.setItalic(true);
    parts.document.setTableFont({font, Qt::black});
    save(path("kop.ini"));
    EXPECT_TRUE(contents(path("kop.ini"))
                    .contains("\r\nMODE=2\r\nFONTNAME=Liberation Serif\r\nFONTSIZE=11\r\n"
                              "FONTSTYLE=FSBOLD\r\n"));

    click("VanTorbelButton");
    open(path("kop.ini"));
    EXPECT_TRUE(find<QToolButton>("KoppenMaatButton")->isChecked());
    EXPECT_EQ(label("VanTorbelLabel"), QStringLiteral("Koppenmaat:"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("Kop"));
    EXPECT_EQ(text("VantorbelEdit"), QStringLiteral("100"));
    EXPECT_EQ(text("ProjectNaamEdit"), QStringLiteral("Garage = links"));
    EXPECT_TRUE(tableFont().font.bold());
    EXPECT_FALSE(tableFont().font.italic());
    ASSERT_EQ(rows(), 12);
    EXPECT_EQ(cell(1, 11), QStringLiteral("1.000,00"));
}

TEST_F(ProjectCommandsTest, MissingKeysLeaveTheModeAndEmptyTheFieldsAndFont)
{
    put(path("kaal.ini"), "[Vantorbel]\r\nBOVENHOOGTE=500\r\nDECIMALEN=1\r\n");
    click("KoppenMaatButton");
    open(path("kaal.ini"));

    EXPECT_TRUE(find<QToolButton>("KoppenMaatButton")->isChecked());
    EXPECT_EQ(text("VantorbelEdit"), QString());
    EXPECT_EQ(text("OnderhoogteEdit"), QString());
    EXPECT_EQ(text("BovenhoogteEdit"), QStringLiteral("500"));
    EXPECT_EQ(tableFont().font.family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(tableFont().font.pointSize(), 8);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral(" is geen getal"));
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Foutive invoer"));
}

TEST_F(ProjectCommandsTest, TextThatIsNoNumberIsSavedAndWarnedAboutOnOpening)
{
    retype("VantorbelEdit", QStringLiteral("abc"));
    save(path("abc.ini"));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(contents(path("abc.ini")).contains("\r\nVANTORBEL=abc\r\n"));

    open(path("abc.ini"));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("abc is geen getal"));
}

TEST_F(ProjectCommandsTest, MissingFileGivesTheWarningThenTheErrorAndChangesNothing)
{
    calculate();
    open(path("weg.ini"));
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("inifile niet gevonden\r") + path("weg.ini"));
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Vantorbel"));
    EXPECT_EQ(boxes.boxes[0].icon, BoxIcon::Warning);
    EXPECT_EQ(boxes.boxes[1].text, QStringLiteral("Bestand kon niet geopend worden!"));
    EXPECT_EQ(boxes.boxes[1].caption, QStringLiteral("Vantorbel"));
    EXPECT_EQ(boxes.boxes[1].icon, BoxIcon::Error);
    EXPECT_EQ(rows(), 18);
}

TEST_F(ProjectCommandsTest, UnreadableProjectsGiveOneErrorBoxAndChangeNothing)
{
    put(path("anders.ini"), "[ANDERS]\r\nVANTORBEL=5\r\n");
    put(path("spatie.ini"), "[VANTORBEL] \r\nVANTORBEL=5\r\n");
    put(path("laatste.ini"), "[X]\r\n[VANTORBEL]\r\n");
    put(path("unix.ini"), "[VANTORBEL]\nVANTORBEL=5\n");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("map.ini")));
    calculate();

    for (const char* name : {"anders.ini", "spatie.ini", "laatste.ini", "unix.ini", "map.ini"}) {
        SCOPED_TRACE(name);
        boxes.boxes.clear();
        open(path(name));
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Bestand kon niet geopend worden!"));
        EXPECT_EQ(text("VantorbelEdit"), QStringLiteral("62,5"));
        EXPECT_EQ(rows(), 18);
    }
}

TEST_F(ProjectCommandsTest, BadFontSizeReachesTheTopLevelReportAndChangesNothing)
{
    put(path("font.ini"), "[VANTORBEL]\r\nVANTORBEL=10\r\nFONTSIZE=12a\r\n");
    calculate();
    open(path("font.ini"));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("'12a' is not a valid integer value."));
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Vantorbel"));
    EXPECT_EQ(boxes.boxes[0].icon, BoxIcon::Error);
    EXPECT_EQ(text("VantorbelEdit"), QStringLiteral("62,5"));
    EXPECT_EQ(rows(), 18);
}

TEST_F(ProjectCommandsTest, HostileFontSizeIsKeptDrawable)
{
    put(path("groot.ini"), "[VANTORBEL]\r\nVANTORBEL=10\r\nFONTSIZE=2147483647\r\n");
    open(path("groot.ini"));
    EXPECT_GE(tableFont().font.pointSize(), 1);
    EXPECT_LE(tableFont().font.pointSize(), 1000);
}

TEST_F(ProjectCommandsTest, SaveOntoADirectoryFailsWithTheErrorBox)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("map.ini")));
    save(path("map.ini"));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Bestand kon niet geschreven worden!"));
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Vantorbel"));
    EXPECT_EQ(boxes.boxes[0].icon, BoxIcon::Error);
    EXPECT_TRUE(QFileInfo(path("map.ini")).isDir());
}

// A disk that fills up while the new file is written: the process may write no more than a few
// bytes into any file. The old project must survive byte for byte, and nothing may be left over.
TEST_F(ProjectCommandsTest, FullDiskKeepsTheOldFileAndLeavesNothingBehind)
{
    const QByteArray old = "[ANDER]\r\nA=1\r\n[VANTORBEL]\r\nVANTORBEL=50\r\n";
    put(path("vol.ini"), old);
    retype("ProjectNaamEdit", QString(200, QLatin1Char('x')));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    save(path("vol.ini"));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Bestand kon niet geschreven worden!"));
    EXPECT_EQ(contents(path("vol.ini")), old);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("vol.ini")});
}

TEST_F(ProjectCommandsTest, SaveIntoAReadOnlyFolderKeepsTheOldFile)
{
    const QByteArray old = "[VANTORBEL]\r\nVANTORBEL=50\r\n";
    put(path("alleen.ini"), old);
    {
        ReadOnlyFolder readOnly(folder.path());
        if (readOnly.acceptsNewFiles())
            GTEST_SKIP() << "this file system cannot make a folder read-only";
        save(path("alleen.ini"));
    }
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Bestand kon niet geschreven worden!"));
    EXPECT_EQ(contents(path("alleen.ini")), old);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("alleen.ini")});
}

TEST_F(ProjectCommandsTest, SaveKeepsOtherSectionsInPlace)
{
    put(path("mix.ini"),
        "[VOOR]\r\nX=1\r\n[vantorbel]\r\nOUD=weg\r\nVANTORBEL=1\r\n\r\n[NA]\r\nY=2");
    save(path("mix.ini"));
    const QByteArray expected = "[VOOR]\r\nX=1\r\n[vantorbel]\r\nPROJECTNAAM=\r\nVANTORBEL=62,5\r\n"
                                "ONDERHOOGTE=0\r\nBOVENHOOGTE=1000\r\nDECIMALEN=2\r\nMODE=1\r\n"
                                "FONTNAME=Arial\r\nFONTSIZE=9\r\nFONTSTYLE=\r\n\r\n[NA]\r\nY=2\r\n";
    EXPECT_EQ(contents(path("mix.ini")), expected);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("mix.ini")});
}

} // namespace

namespace {

// Points typed on the Verdelen window's second tab go with the project and come back with it; a
// project without them sets the plan back to its two levels.
TEST_F(ProjectCommandsTest, FixedPointsGoWithTheProjectAndComeBack)
{
    save(path("nieuw.ini"));
    click("VerdelenButton");
    auto& points = *form.findChild<QTableWidget*>(QStringLiteral("PuntenGrid"));
    points.item(0, 0)->setText(QStringLiteral("peil; oud"));
    save(path("punten.ini"));
    EXPECT_TRUE(contents(path("punten.ini"))
                    .contains("[VASTE PUNTEN]\r\nPUNT1=0;peil\\; oud;0\r\nPUNT2=0;bovenhoogte;"
                              "1000\r\n"))
        << contents(path("punten.ini")).toStdString();
    EXPECT_EQ(contents(path("nieuw.ini")), kDefaultsFile);

    // The kind of a stretch goes in a section of its own, which older builds keep as it is.
    auto& stretches = *form.findChild<QTableWidget*>(QStringLiteral("VakkenGrid"));
    const auto kind = [&stretches] {
        return stretches.item(0, 2)->text();
    };
    QTest::keyClick(stretches.cellWidget(0, 2), Qt::Key_Down);
    QCoreApplication::processEvents();
    ASSERT_EQ(kind(), QStringLiteral("− voeg"));
    save(path("soort.ini"));
    EXPECT_TRUE(contents(path("soort.ini"))
                    .endsWith("PUNT2=0;bovenhoogte;1000\r\n\r\n[VASTE PUNTEN SOORT]\r\n"
                              "VAK1=MIN;0;1000\r\n\r\n"))
        << contents(path("soort.ini")).toStdString();

    open(path("nieuw.ini"));
    EXPECT_EQ(points.item(0, 0)->text(), QStringLiteral("onderhoogte"));
    open(path("punten.ini"));
    EXPECT_EQ(points.item(0, 0)->text(), QStringLiteral("peil; oud"));
    EXPECT_EQ(points.item(1, 1)->text(), QStringLiteral("1000"));
    EXPECT_EQ(kind(), QStringLiteral("n × maat"));
    open(path("soort.ini"));
    EXPECT_EQ(kind(), QStringLiteral("− voeg"));
}

// The facade goes with the project once changed, with the bricks it was planned with, and comes
// back; a line that cannot be read is named in the Gevel window, and a project never shown in
// Gevel is saved as before.
TEST_F(ProjectCommandsTest, TheFacadeGoesWithTheProjectAndComesBack)
{
    click("GevelButton");
    auto& width = *form.findChild<QLineEdit*>(QStringLiteral("BreedteEdit"));
    auto& message = *form.findChild<QLabel*>(QStringLiteral("GevelMeldingLabel"));
    save(path("nieuw.ini"));
    EXPECT_EQ(contents(path("nieuw.ini")), kDefaultsFile);

    width.selectAll();
    QTest::keyClicks(&width, QStringLiteral("4800"));
    parts.document.setBricks(false, {"100", "10", "8", "12,5"});
    save(path("gevel.ini"));
    EXPECT_TRUE(contents(path("gevel.ini"))
                    .endsWith("[GEVEL]\r\nBREEDTE=4800\r\nHOOGTE=2800\r\nLINKS=buitenhoek\r\n"
                              "RECHTS=buitenhoek\r\nEERSTELAAG=strek\r\nBREUK=5\r\n"
                              "KOPPEN=100;10;8;12,5;\r\nSTEENLENGTE=210\r\n"
                              "LAGEN=50;12,5;10;15;\r\n\r\n"))
        << contents(path("gevel.ini")).toStdString();

    QByteArray changed = contents(path("gevel.ini"));
    changed.replace("LINKS=buitenhoek", "LINKS=schuin");
    changed.replace("BREUK=5\r\n", "BREUK=5\r\nSPARING1=raam\\;1;1200;2410;900;2400;\r\n");
    put(path("schuin.ini"), changed);
    parts.document.setBricks(false, {"100", "10", "8", "12"});
    open(path("nieuw.ini"));
    EXPECT_EQ(width.text(), QStringLiteral("5500"));
    open(path("schuin.ini"));
    EXPECT_EQ(width.text(), QStringLiteral("4800"));
    EXPECT_EQ(parts.document.project().bricks[1].jointTo, QStringLiteral("12,5"));
    auto& openings = *form.findChild<QTableWidget*>(QStringLiteral("SparingenGrid"));
    ASSERT_EQ(openings.rowCount(), 1);
    EXPECT_EQ(openings.item(0, 0)->text(), QStringLiteral("raam;1"));
    EXPECT_EQ(message.text(), QStringLiteral("Niet gelezen uit het project: LINKS=schuin"));
    EXPECT_TRUE(boxes.boxes.empty());
}

} // namespace
