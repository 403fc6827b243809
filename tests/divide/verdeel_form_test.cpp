#include "mainwindow/form_fixture.h"

#include "divide/VerdeelForm.h"

#include <QClipboard>
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
    ASSERT_EQ(counts().rowCount(), 5);
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
    EXPECT_EQ(copied.count(QLatin1Char('\n')), 6);
}

TEST_F(VerdeelFormTest, RefusesWhatItCannotDivideAndFollowsTheMode)
{
    calculate();
    retype("VerdeelBovenEdit", QStringLiteral("2.800"));
    EXPECT_EQ(label("MeldingLabel"), QStringLiteral("2.800 is geen getal"));
    EXPECT_EQ(counts().rowCount(), 0);
    QTest::keyClick(edit("VerdeelBovenEdit"), Qt::Key_Return);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Foutive invoer"));
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("2.800 is geen getal"));
    EXPECT_EQ(rows(), 18);

    // A gauge the main window cannot read only empties the sizes that fit.
    retype("VerdeelBovenEdit", QStringLiteral("2800"));
    edit("VantorbelEdit")->setText(QStringLiteral("62.5"));
    EXPECT_EQ(label("MeldingLabel"), QStringLiteral("62.5 is geen getal"));
    EXPECT_EQ(counts().rowCount(), 5);
    EXPECT_EQ(find<QTableWidget>("PassendGrid")->rowCount(), 0);

    // Head mode: its own stone, the main window's levels again; the course mode's joint as the
    // user left it.
    retype("VoegEdit", QStringLiteral("10"));
    click("KoppenMaatButton");
    EXPECT_EQ(text("SteenEdit"), QStringLiteral("100"));
    EXPECT_EQ(edit("SteenEdit")->accessibleName(), QStringLiteral("Steenbreedte"));
    EXPECT_EQ(text("VerdeelBovenEdit"), QStringLiteral("1000"));
    EXPECT_EQ(counts().horizontalHeaderItem(0)->text(), QStringLiteral("Koppen"));
    click("VanTorbelButton");
    EXPECT_EQ(text("VoegEdit"), QStringLiteral("10"));
}

// The rod of the texts it hands over, not of the main table: no table is needed, but texts
// that cannot be read or make too long a rod are refused.
TEST_F(VerdeelFormTest, ARodIsRefusedForUnreadableTextsAndBeyondAThousandCourses)
{
    retype("VantorbelEdit", QStringLiteral("62.5"));
    find<QPushButton>("LatAfdrukkenButton")->click();
    retype("VantorbelEdit", QStringLiteral("1"));
    retype("BovenhoogteEdit", QStringLiteral("1001"));
    find<QPushButton>("LatAfdrukkenButton")->click();
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Lat afdrukken"));
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("62.5 is geen getal"));
    EXPECT_EQ(boxes.boxes[1].caption, QStringLiteral("Lat afdrukken"));
    EXPECT_EQ(boxes.boxes[1].text,
              QStringLiteral("De tabel heeft meer dan 1.000 lagen: zo'n lange lat wordt niet "
                             "afgedrukt."));
}

} // namespace
