#include "mainwindow/form_fixture.h"

#include "divide/VerdeelForm.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QTableWidget>

namespace {

class VerdeelFormTest : public FormFixture {
protected:
    TVerdeelForm& openDivide()
    {
        click("VerdelenButton");
        auto* window = form.findChild<TVerdeelForm*>(QStringLiteral("VerdeelForm"));
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        return *window;
    }
    QLineEdit* field(TVerdeelForm& window, const char* name)
    {
        return window.findChild<QLineEdit*>(QLatin1String(name));
    }
    void retypeIn(TVerdeelForm& window, const char* name, const QString& text)
    {
        QLineEdit* edit = field(window, name);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    QTableWidget& counts(TVerdeelForm& window)
    {
        return *window.findChild<QTableWidget*>(QStringLiteral("AantallenGrid"));
    }
    QString message(TVerdeelForm& window)
    {
        return window.findChild<QLabel*>(QStringLiteral("MeldingLabel"))->text();
    }
};

TEST_F(VerdeelFormTest, TakesAChosenCountOverIntoTheMainTable)
{
    TVerdeelForm& window = openDivide();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Verdelen"));
    EXPECT_EQ(field(window, "VerdeelBovenEdit")->text(), QStringLiteral("1000"));
    EXPECT_EQ(field(window, "VoegEdit")->text(), QStringLiteral("12,5"));
    EXPECT_EQ(field(window, "VerdeelOnderEdit")->accessibleName(), QStringLiteral("Onderhoogte"));
    QTableWidget& list = counts(window);
    ASSERT_EQ(list.rowCount(), 5);
    EXPECT_EQ(list.item(list.currentRow(), 0)->text(), QStringLiteral("16"));
    EXPECT_EQ(list.item(list.currentRow(), 1)->text(), QStringLiteral("62,50"));

    // 3 600 in 56 courses: the main table ends with course 56 on 3.600,00.
    retypeIn(window, "VerdeelBovenEdit", QStringLiteral("3600"));
    ASSERT_EQ(list.item(0, 0)->text(), QStringLiteral("56"));
    list.selectRow(0);
    QTest::keyClick(field(window, "VerdeelBovenEdit"), Qt::Key_Return);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(text("VantorbelEdit"), QStringLiteral("64,2858"));
    EXPECT_EQ(text("BovenhoogteEdit"), QStringLiteral("3600"));
    ASSERT_EQ(rows(), 58);
    EXPECT_EQ(cell(1, 57), QStringLiteral("3.600,00"));
    EXPECT_EQ(list.item(list.currentRow(), 0)->text(), QStringLiteral("56"));

    // A top the table cannot show is reached as the next value it can.
    edit("DecimalenEdit")->setText(QStringLiteral("1"));
    retypeIn(window, "VerdeelBovenEdit", QStringLiteral("2612,45"));
    for (int row = 0; row < list.rowCount(); ++row)
        if (list.item(row, 0)->text() == QStringLiteral("41"))
            list.selectRow(row);
    window.findChild<QPushButton*>(QStringLiteral("OvernemenButton"))->click();
    EXPECT_EQ(text("VantorbelEdit"), QStringLiteral("63,72"));
    EXPECT_EQ(cell(1, 42), QStringLiteral("2.612,5"));
    EXPECT_EQ(message(window), QStringLiteral("Laag 41 komt op 2.612,5"));

    // "Kopiëren": the header line and the rows, as the main table copies them.
    list.selectAll();
    list.actions().at(0)->trigger();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(QStringLiteral("Lagen\tLagenmaat\tLintvoeg\n")))
        << copied.toStdString();
    EXPECT_EQ(copied.count(QLatin1Char('\n')), 6);
}

TEST_F(VerdeelFormTest, RefusesWhatItCannotDivideAndFollowsTheMode)
{
    TVerdeelForm& window = openDivide();
    calculate();
    retypeIn(window, "VerdeelBovenEdit", QStringLiteral("2.800"));
    EXPECT_EQ(message(window), QStringLiteral("2.800 is geen getal"));
    EXPECT_EQ(counts(window).rowCount(), 0);
    QTest::keyClick(field(window, "VerdeelBovenEdit"), Qt::Key_Return);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Foutive invoer"));
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("2.800 is geen getal"));
    EXPECT_EQ(text("BovenhoogteEdit"), QStringLiteral("1000"));
    EXPECT_EQ(rows(), 18);

    // A gauge the main window cannot read only empties the sizes that fit.
    retypeIn(window, "VerdeelBovenEdit", QStringLiteral("2800"));
    edit("VantorbelEdit")->setText(QStringLiteral("62.5"));
    EXPECT_EQ(message(window), QStringLiteral("62.5 is geen getal"));
    EXPECT_EQ(counts(window).rowCount(), 5);
    EXPECT_EQ(window.findChild<QTableWidget*>(QStringLiteral("PassendGrid"))->rowCount(), 0);

    // Head mode: its own stone and joint, the main window's levels again; the course mode's
    // joint as the user left it.
    retypeIn(window, "VoegEdit", QStringLiteral("10"));
    click("KoppenMaatButton");
    EXPECT_EQ(window.findChild<QLabel*>()->text(), QStringLiteral("Startmaat:"));
    EXPECT_EQ(field(window, "SteenEdit")->text(), QStringLiteral("100"));
    EXPECT_EQ(field(window, "SteenEdit")->accessibleName(), QStringLiteral("Steenbreedte"));
    EXPECT_EQ(field(window, "VerdeelBovenEdit")->text(), QStringLiteral("1000"));
    EXPECT_EQ(counts(window).horizontalHeaderItem(0)->text(), QStringLiteral("Koppen"));
    EXPECT_EQ(message(window), QString());
    click("VanTorbelButton");
    EXPECT_EQ(field(window, "VoegEdit")->text(), QStringLiteral("10"));
}

TEST_F(VerdeelFormTest, ARodIsRefusedWithoutATableAndBeyondAThousandCourses)
{
    TVerdeelForm& window = openDivide();
    auto* printRod = window.findChild<QPushButton*>(QStringLiteral("LatAfdrukkenButton"));
    printRod->click();
    retype("VantorbelEdit", QStringLiteral("1"));
    retype("BovenhoogteEdit", QStringLiteral("1001"));
    calculate();
    printRod->click();
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Lat afdrukken"));
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Er is nog geen tabel om als lat af te drukken: "
                                                  "bereken eerst de tabel."));
    EXPECT_EQ(boxes.boxes[1].text,
              QStringLiteral("De tabel heeft meer dan 1.000 lagen: zo'n lange lat wordt niet "
                             "afgedrukt."));
}

} // namespace
