#include "divide/VerdeelForm.h"

#include "calc/format_height.h"
#include "document/project_document.h"
#include "platform/toolkit/regional_settings.h"
#include "support/print_recorder.h"
#include "support/stand_ins.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The window on a document of its own, as the main window would share it: its calculate
// command calculates the document's table, its print service keeps the rods it was given.
class VerdeelFormTest : public testing::Test {
protected:
    VerdeelFormTest()
        : document(QStringLiteral(","))
        , form(nullptr, document, printing, {.calculate = [this] {
                   document.calculate(platform::CurrentRegionalFormat());
               }})
    {
        form.showWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    template <class Widget> Widget& find(const char* name)
    {
        auto* widget = form.findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    QString text(const char* name) { return find<QLineEdit>(name).text(); }
    QString label(const char* name) { return find<QLabel>(name).text(); }
    void retype(const char* name, const QString& text)
    {
        QLineEdit& field = find<QLineEdit>(name);
        field.selectAll();
        QTest::keyClick(&field, Qt::Key_Delete);
        QTest::keyClicks(&field, text);
    }
    QTableWidget& counts() { return find<QTableWidget>("AantallenGrid"); }
    void choose(const char* count)
    {
        for (int row = 0; row < counts().rowCount(); ++row)
            if (counts().item(row, 0)->text() == QLatin1String(count))
                counts().selectRow(row);
    }
    QString documentText(ProjectField field) { return document.project().text(field); }
    // The last course of the document's table, as the main window shows it.
    QString lastCourse()
    {
        const auto& table = document.project().table;
        if (!table)
            return {};
        return QString::number(table->rows.back().Number) + QLatin1Char(' ') +
               QString::fromStdString(calc::FormatHeight(table->rows.back().Height,
                                                         table->inputs.Decimals, {",", "."}));
    }

    MessageBoxRecorder boxes;
    ProjectDocument document;
    PrintRecorder printing;
    TVerdeelForm form;
};

TEST_F(VerdeelFormTest, TakesAChosenCountOverIntoTheDocument)
{
    EXPECT_EQ(find<QLineEdit>("VerdeelOnderEdit").accessibleName(), QStringLiteral("Onderhoogte"));
    EXPECT_EQ(find<QLineEdit>("VoegVanEdit").accessibleName(), QStringLiteral("Voeg van"));
    // 1 000 in courses with a joint of 10 to 15: only 16 courses of 62,50.
    ASSERT_EQ(counts().rowCount(), 1);
    EXPECT_EQ(counts().item(counts().currentRow(), 0)->text(), QStringLiteral("16"));

    // 3 600 in 56 courses, taken over with Enter: the table ends with course 56 on 3.600,00.
    retype("VerdeelBovenEdit", QStringLiteral("3600"));
    choose("56");
    QTest::keyClick(&find<QLineEdit>("VerdeelBovenEdit"), Qt::Key_Return);
    EXPECT_EQ(documentText(ProjectField::Gauge), QStringLiteral("64,2858"));
    EXPECT_EQ(documentText(ProjectField::Top), QStringLiteral("3600"));
    EXPECT_EQ(lastCourse(), QStringLiteral("56 3.600,00"));
    // The sizes at that gauge: its own joint, one stone for a pier of one, the count just
    // fitted with the length exactly.
    auto& sizes = find<QTableWidget>("PassendGrid");
    EXPECT_EQ(label("PassendVoegLabel"), QStringLiteral("bij lagenmaat 64,2858: voeg 14,29"));
    ASSERT_EQ(sizes.rowCount(), 56);
    EXPECT_EQ(sizes.item(0, 1)->text(), QStringLiteral("50,00"));
    EXPECT_EQ(sizes.item(55, 2)->text(), QStringLiteral("3.600,00"));

    // A top the table cannot show is reached as the next value it can.
    document.setText(ProjectField::Decimals, QStringLiteral("1"));
    retype("VerdeelBovenEdit", QStringLiteral("2612,45"));
    choose("41");
    find<QPushButton>("OvernemenButton").click();
    EXPECT_EQ(documentText(ProjectField::Gauge), QStringLiteral("63,72"));
    EXPECT_EQ(lastCourse(), QStringLiteral("41 2.612,5"));
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
    document.calculate(platform::CurrentRegionalFormat());
    retype("VerdeelBovenEdit", QStringLiteral("2.800"));
    EXPECT_EQ(label("MeldingLabel"), QStringLiteral("Bovenhoogte: 2.800 is geen getal"));
    EXPECT_EQ(counts().rowCount(), 0);
    QTest::keyClick(&find<QLineEdit>("VerdeelBovenEdit"), Qt::Key_Return);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Foutive invoer"));
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Bovenhoogte: 2.800 is geen getal"));
    EXPECT_EQ(lastCourse(), QStringLiteral("16 1.000,00"));

    // A gauge the main window cannot read only empties the sizes that fit.
    retype("VerdeelBovenEdit", QStringLiteral("2800"));
    document.setText(ProjectField::Gauge, QStringLiteral("62.5"));
    EXPECT_EQ(label("PassendVoegLabel"), QStringLiteral("Vantorbel: 62.5 is geen getal"));
    EXPECT_EQ(counts().rowCount(), 3);
    EXPECT_EQ(find<QTableWidget>("PassendGrid").rowCount(), 0);

    // Joints of 11 to 12 leave no whole count for 2 800: the counts on either side.
    retype("VoegTotEdit", QStringLiteral("12"));
    retype("VoegVanEdit", QStringLiteral("11"));
    EXPECT_EQ(label("MeldingLabel"),
              QStringLiteral("Geen hele lagen met een lintvoeg van 11 tot 12"));
    EXPECT_EQ(counts().rowCount(), 2);
    retype("VoegVanEdit", QStringLiteral("13"));
    EXPECT_EQ(label("MeldingLabel"), QStringLiteral("Voeg van is groter dan tot"));

    // Head mode: its own bricks, the document's levels again; the course mode's bricks as the
    // user left them.
    retype("VoegEdit", QStringLiteral("10"));
    document.setCourseMode(false);
    EXPECT_EQ(text("SteenEdit"), QStringLiteral("100"));
    EXPECT_EQ(find<QLineEdit>("SteenEdit").accessibleName(), QStringLiteral("Steenbreedte"));
    EXPECT_EQ(text("VerdeelBovenEdit"), QStringLiteral("1000"));
    EXPECT_EQ(counts().horizontalHeaderItem(0)->text(), QStringLiteral("Koppen"));
    EXPECT_EQ(text("VoegTotEdit"), QStringLiteral("12"));
    document.setCourseMode(true);
    EXPECT_EQ(text("VoegEdit"), QStringLiteral("10"));
    EXPECT_EQ(text("VoegVanEdit"), QStringLiteral("13"));
}

TEST_F(VerdeelFormTest, FollowsTheDocumentsLevelsAndPressesTheFocusedButton)
{
    // The later edit wins: the window's own level stays until the document's changes.
    retype("VerdeelBovenEdit", QStringLiteral("2800"));
    document.setText(ProjectField::Bottom, QStringLiteral("100"));
    EXPECT_EQ(text("VerdeelOnderEdit"), QStringLiteral("100"));
    EXPECT_EQ(text("VerdeelBovenEdit"), QStringLiteral("2800"));
    document.setText(ProjectField::Top, QStringLiteral("3100"));
    EXPECT_EQ(text("VerdeelBovenEdit"), QStringLiteral("3100"));

    // Enter on "Lat afdrukken" is that button: it leaves the document as it is and says in the
    // window's line why it prints nothing; Enter in the sizes list does nothing at all.
    retype("VerdeelBovenEdit", QStringLiteral("1x"));
    auto& printRod = find<QPushButton>("LatAfdrukkenButton");
    printRod.setFocus();
    QTest::keyClick(&printRod, Qt::Key_Return);
    QTest::keyClick(&find<QTableWidget>("PassendGrid"), Qt::Key_Return);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(printing.rods.empty());
    EXPECT_EQ(label("MeldingLabel"), QStringLiteral("Bovenhoogte: 1x is geen getal"));
    EXPECT_EQ(documentText(ProjectField::Top), QStringLiteral("3100"));
    auto& takeOver = find<QPushButton>("OvernemenButton");
    takeOver.setFocus();
    QTest::keyClick(&takeOver, Qt::Key_Space);
    EXPECT_EQ(boxes.boxes.size(), 1u);

    // Heights have joints; piers and openings are a facade's.
    auto& rule = find<QComboBox>("MaatIsBox");
    EXPECT_EQ(rule.itemText(1), QStringLiteral("n × maat − voeg"));
    document.setCourseMode(false);
    EXPECT_EQ(rule.itemText(2), QStringLiteral("n × maat + voeg (sparing)"));
    // 20 heads of 110 less a joint are 2 190 exactly: the last size that fits.
    rule.setCurrentIndex(1);
    retype("VerdeelOnderEdit", QStringLiteral("0"));
    retype("VerdeelBovenEdit", QStringLiteral("2190"));
    EXPECT_EQ(label("PassendVoegLabel"), QStringLiteral("bij koppenmaat 110: voeg 10,00"));
    EXPECT_EQ(find<QTableWidget>("PassendGrid").rowCount(), 20);
    // A pier of 2 000 in heads of 100 with a joint of 11,76: 18 heads, laid with the joint of
    // the text typed, 18 × 100 + 17 × 11,7648 = 2 000,0016; course 18 a joint beyond.
    retype("VerdeelBovenEdit", QStringLiteral("2000"));
    ASSERT_EQ(counts().rowCount(), 1);
    EXPECT_EQ(counts().item(0, 2)->text(), QStringLiteral("11,76"));
    QTest::keyClick(&rule, Qt::Key_Return);
    EXPECT_EQ(documentText(ProjectField::Gauge), QStringLiteral("111,7648"));
    EXPECT_EQ(documentText(ProjectField::Top), QStringLiteral("2000"));
    EXPECT_EQ(lastCourse(), QStringLiteral("18 2.011,77"));
}

TEST_F(VerdeelFormTest, TheRodIsTheChosenCountsTableAndLeavesTheDocumentAlone)
{
    // 2 800 in 45 courses: the rod climbs with the gauge text Overnemen would write.
    retype("VerdeelBovenEdit", QStringLiteral("2800"));
    choose("45");
    find<QPushButton>("LatAfdrukkenButton").click();
    ASSERT_EQ(printing.rods.size(), 1u);
    EXPECT_EQ(printing.rods[0].gaugeText, "62,2223");
    EXPECT_EQ(printing.rods[0].rows.back().Number, 45);
    EXPECT_EQ(calc::FormatHeight(printing.rods[0].rows.back().Height, 2, {",", "."}), "2.800,00");
    EXPECT_EQ(documentText(ProjectField::Top), QStringLiteral("1000"));
    EXPECT_EQ(documentText(ProjectField::Gauge), QStringLiteral("62,5"));
}

} // namespace
