#include "divide/VerdeelForm.h"

#include "document/project_document.h"
#include "platform/toolkit/regional_settings.h"
#include "support/stand_ins.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The storey of the README: peil 0, dorpel 900, bovenkant kozijn 2 400, vloer 2 800, typed in
// another order, on the Verdelen window's second tab.
TEST(FixedPointsTab, DividesAStoreyInOnePlanAndTakesAStretchOver)
{
    MessageBoxRecorder boxes;
    ProjectDocument document(QStringLiteral(","));
    TVerdeelForm form(nullptr, document,
                      {[&] { document.calculate(platform::CurrentRegionalFormat()); }, {}});
    form.showWindow();
    form.findChild<QTabWidget*>(QStringLiteral("VerdeelTabs"))->setCurrentIndex(1);
    auto& points = *form.findChild<QTableWidget*>(QStringLiteral("PuntenGrid"));
    EXPECT_EQ(points.item(1, 0)->text(), QStringLiteral("bovenhoogte"));
    const char* typed[][2] = {
        {"vloer", "2800"}, {"peil", "0"}, {"bovenkant kozijn", "2400"}, {"dorpel", "900"}};
    points.setRowCount(0);
    for (const auto& [name, height] : typed) {
        form.findChild<QPushButton*>(QStringLiteral("PuntToevoegenButton"))->click();
        const int row = points.rowCount() - 1;
        points.setItem(row, 0, new QTableWidgetItem(QString::fromUtf8(name)));
        points.setItem(row, 1, new QTableWidgetItem(QString::fromUtf8(height)));
    }

    auto& stretches = *form.findChild<QTableWidget*>(QStringLiteral("VakkenGrid"));
    ASSERT_EQ(stretches.rowCount(), 3);
    const char* expected[][6] = {
        {"peil", "dorpel", "14", "64,286", "14,29", ""},
        {"dorpel", "bovenkant kozijn", "24", "62,5", "12,50", ""},
        {"bovenkant kozijn", "vloer", "6", "66,667", "16,67", "buiten grenzen"},
    };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 6; ++column)
            EXPECT_EQ(stretches.item(row, column)->text(), QString::fromUtf8(expected[row][column]))
                << row << " " << column;
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("EenMaatLabel"))->text(),
              QStringLiteral("45 lagen van 62,2223: dorpel laag 14 op 871,11 (28,89 lager), "
                             "bovenkant kozijn laag 39 op 2.426,67 (26,67 hoger)"));
    auto& courses = *form.findChild<QTableWidget*>(QStringLiteral("LagenGrid"));
    ASSERT_EQ(courses.rowCount(), 45);
    EXPECT_EQ(courses.item(14, 1)->text(), QStringLiteral("900,00"));
    EXPECT_EQ(courses.item(38, 2)->text(), QStringLiteral("bovenkant kozijn"));
    EXPECT_EQ(courses.item(44, 1)->text(), QStringLiteral("2.800,00"));

    // Enter on the tab takes nothing over; "Vak overnemen" takes the chosen stretch.
    QTest::keyClick(&stretches, Qt::Key_Return);
    EXPECT_FALSE(document.project().table);
    stretches.selectRow(1);
    form.findChild<QPushButton*>(QStringLiteral("VakOvernemenButton"))->click();
    EXPECT_EQ(document.project().text(ProjectField::Bottom), QStringLiteral("900"));
    EXPECT_EQ(document.project().text(ProjectField::Top), QStringLiteral("2400"));
    EXPECT_EQ(document.project().text(ProjectField::Gauge), QStringLiteral("62,5"));
    ASSERT_TRUE(document.project().table);
    EXPECT_EQ(document.project().table->rows.back().Number, 24);
    EXPECT_TRUE(boxes.boxes.empty());
}

} // namespace
