#include "mainwindow/form_fixture.h"

#include "divide/VerdeelForm.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QTableWidget>

namespace {

// The window is the main window's own: the fixture finds its widgets by name too.
class VerdeelFormTest : public FormFixture {
protected:
    VerdeelFormTest()
    {
        click("VerdelenButton");
        EXPECT_TRUE(find<TVerdeelForm>("VerdeelForm")->isVisible());
    }
    QTableWidget& counts() { return *find<QTableWidget>("AantallenGrid"); }
    void choose(const char* count)
    {
        for (int row = 0; row < counts().rowCount(); ++row)
            if (counts().item(row, 0)->text() == QLatin1String(count))
                counts().selectRow(row);
    }
};

TEST_F(VerdeelFormTest, TakesAChosenCountOverIntoTheMainTable)
{
    EXPECT_EQ(edit("VerdeelOnderEdit")->accessibleName(), QStringLiteral("Onderhoogte"));
    EXPECT_EQ(edit("VoegVanEdit")->accessibleName(), QStringLiteral("Voeg van"));
    // 1 000 in courses with a joint of 10 to 15: only 16 courses of 62,50.
    ASSERT_EQ(counts().rowCount(), 1);
    EXPECT_EQ(counts().item(counts().currentRow(), 0)->text(), QStringLiteral("16"));

    // 3 600 in 56 courses, taken over with Enter: the table ends with course 56 on 3.600,00.
    retype("VerdeelBovenEdit", QStringLiteral("3600"));
    choose("56");
    QTest::keyClick(edit("VerdeelBovenEdit"), Qt::Key_Return);
    EXPECT_EQ(text("VantorbelEdit"), QStringLiteral("64,2858"));
    EXPECT_EQ(text("BovenhoogteEdit"), QStringLiteral("3600"));
    ASSERT_EQ(rows(), 58);
    EXPECT_EQ(cell(1, 57), QStringLiteral("3.600,00"));

    // A top the table cannot show is reached as the next value it can.
    edit("DecimalenEdit")->setText(QStringLiteral("1"));
    retype("VerdeelBovenEdit", QStringLiteral("2612,45"));
    choose("41");
    find<QPushButton>("OvernemenButton")->click();
    EXPECT_EQ(text("VantorbelEdit"), QStringLiteral("63,72"));
    EXPECT_EQ(cell(1, 42), QStringLiteral("2.612,5"));
    EXPECT_EQ(label("MeldingLabel"), QStringLiteral("Laag 41 komt op 2.612,5"));

    // "Kopiëren": the header line and the rows, as the main table copies them.
    counts().selectAll();
    counts().actions().at(0)->trigger();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(QStringLiteral("Lagen\tLagenmaat\tLintvoeg\n")));
    EXPECT_EQ(copied.count(QLatin1Char('\n')), 4);
}

TEST_F(VerdeelFormTest, RefusesWhatItCannotDivideAndFollowsTheMode)
{
    calculate();
    retype("VerdeelBovenEdit", QStringLiteral("2.800"));
    EXPECT_EQ(label("MeldingLabel"), QStringLiteral("Bovenhoogte: 2.800 is geen getal"));
    EXPECT_EQ(counts().rowCount(), 0);
    QTest::keyClick(edit("VerdeelBovenEdit"), Qt::Key_Return);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Foutive invoer"));
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Bovenhoogte: 2.800 is geen getal"));
    EXPECT_EQ(rows(), 18);

    // A gauge the main window cannot read only empties the sizes that fit.
    retype("VerdeelBovenEdit", QStringLiteral("2800"));
    edit("VantorbelEdit")->setText(QStringLiteral("62.5"));
    EXPECT_EQ(label("PassendVoegLabel"), QStringLiteral("Vantorbel: 62.5 is geen getal"));
    EXPECT_EQ(counts().rowCount(), 3);
    EXPECT_EQ(find<QTableWidget>("PassendGrid")->rowCount(), 0);

    // Joints of 8 to 12 leave no whole count for 2 800: the counts on either side.
    retype("VoegTotEdit", QStringLiteral("12"));
    retype("VoegVanEdit", QStringLiteral("11"));
    EXPECT_EQ(label("MeldingLabel"),
              QStringLiteral("Geen hele lagen met een lintvoeg van 11 tot 12"));
    EXPECT_EQ(counts().rowCount(), 2);
    retype("VoegVanEdit", QStringLiteral("13"));
    EXPECT_EQ(label("MeldingLabel"), QStringLiteral("Voeg van is groter dan tot"));

    // Head mode: its own stone, the main window's levels again; the course mode's joint as the
    // user left it.
    retype("VoegEdit", QStringLiteral("10"));
    click("KoppenMaatButton");
    EXPECT_EQ(text("SteenEdit"), QStringLiteral("100"));
    EXPECT_EQ(edit("SteenEdit")->accessibleName(), QStringLiteral("Steenbreedte"));
    EXPECT_EQ(text("VerdeelBovenEdit"), QStringLiteral("1000"));
    EXPECT_EQ(counts().horizontalHeaderItem(0)->text(), QStringLiteral("Koppen"));
    EXPECT_EQ(text("VoegTotEdit"), QStringLiteral("12"));
    click("VanTorbelButton");
    EXPECT_EQ(text("VoegEdit"), QStringLiteral("10"));
    EXPECT_EQ(text("VoegVanEdit"), QStringLiteral("13"));
}

TEST_F(VerdeelFormTest, FollowsTheMainWindowsLevelsAndPressesTheFocusedButton)
{
    // The later edit wins: the window's own level stays until the main window's changes.
    retype("VerdeelBovenEdit", QStringLiteral("2800"));
    retype("OnderhoogteEdit", QStringLiteral("100"));
    EXPECT_EQ(text("VerdeelOnderEdit"), QStringLiteral("100"));
    EXPECT_EQ(text("VerdeelBovenEdit"), QStringLiteral("2800"));
    edit("BovenhoogteEdit")->setText(QStringLiteral("3100"));
    EXPECT_EQ(text("VerdeelBovenEdit"), QStringLiteral("3100"));

    // Enter on "Lat afdrukken" is that button: it leaves the main window as it is and says in
    // the window's line why it prints nothing; Enter in the sizes list does nothing at all.
    retype("VerdeelBovenEdit", QStringLiteral("1x"));
    auto* printRod = find<QPushButton>("LatAfdrukkenButton");
    printRod->setFocus();
    QTest::keyClick(printRod, Qt::Key_Return);
    QTest::keyClick(find<QTableWidget>("PassendGrid"), Qt::Key_Return);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(label("MeldingLabel"), QStringLiteral("Bovenhoogte: 1x is geen getal"));
    EXPECT_EQ(text("BovenhoogteEdit"), QStringLiteral("3100"));
    auto* takeOver = find<QPushButton>("OvernemenButton");
    takeOver->setFocus();
    QTest::keyClick(takeOver, Qt::Key_Space);
    EXPECT_EQ(boxes.boxes.size(), 1u);

    // A pier of 2 000 in heads of 100 with a joint of 11,76: 18 heads.
    click("KoppenMaatButton");
    find<QComboBox>("MaatIsBox")->setCurrentIndex(1);
    retype("VerdeelOnderEdit", QStringLiteral("0"));
    retype("VerdeelBovenEdit", QStringLiteral("2000"));
    ASSERT_EQ(counts().rowCount(), 1);
    EXPECT_EQ(counts().item(0, 2)->text(), QStringLiteral("11,76"));
    QTest::keyClick(find<QComboBox>("MaatIsBox"), Qt::Key_Return);
    EXPECT_EQ(text("VantorbelEdit"), QStringLiteral("111,76471"));
    EXPECT_EQ(text("BovenhoogteEdit"), QStringLiteral("2000"));
    ASSERT_EQ(rows(), 20);
    EXPECT_EQ(cell(1, 19), QStringLiteral("2.011,76"));
}

// The rod of the texts it hands over, not of the main table: no table is needed, but texts
// that cannot be read or make too long a rod are refused.
TEST_F(VerdeelFormTest, TheChosenCountsRodIsRefusedBeyondAThousandCourses)
{
    // 100 000 in courses of about 62,5: the rod of the window's own proposal, not the main
    // table's, which stays as it is.
    retype("VerdeelBovenEdit", QStringLiteral("100000"));
    find<QPushButton>("LatAfdrukkenButton")->click();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Lat afdrukken"));
    EXPECT_EQ(boxes.boxes[0].text,
              QStringLiteral("De tabel heeft meer dan 1.000 lagen: zo'n lange lat wordt niet "
                             "afgedrukt."));
    EXPECT_EQ(text("BovenhoogteEdit"), QStringLiteral("1000"));
    EXPECT_EQ(text("VantorbelEdit"), QStringLiteral("62,5"));
}

} // namespace
