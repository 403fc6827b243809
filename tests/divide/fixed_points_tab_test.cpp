#include "divide/VerdeelForm.h"

#include "document/project_document.h"
#include "platform/toolkit/regional_settings.h"
#include "support/stand_ins.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The tab of a window on a document of its own, its points typed row by row.
class PlanTab {
public:
    PlanTab()
        : document(QStringLiteral(","))
        , form(nullptr, document, {.calculate = [this] {
                   document.calculate(platform::CurrentRegionalFormat());
               }})
    {
        form.showWindow();
        form.findChild<QTabWidget*>(QStringLiteral("VerdeelTabs"))->setCurrentIndex(1);
    }

    QTableWidget& grid(const char* name) { return *form.findChild<QTableWidget*>(name); }

    void type(const std::vector<std::pair<const char*, const char*>>& typed)
    {
        QTableWidget& points = grid("PuntenGrid");
        points.setRowCount(0);
        for (const auto& [name, height] : typed) {
            form.findChild<QPushButton*>(QStringLiteral("PuntToevoegenButton"))->click();
            const int row = points.rowCount() - 1;
            points.setItem(row, 0, new QTableWidgetItem(QString::fromUtf8(name)));
            points.setItem(row, 1, new QTableWidgetItem(QString::fromUtf8(height)));
        }
    }

    // Per stretch: its count, and whether the user typed it.
    std::vector<std::pair<QString, bool>> counts()
    {
        QTableWidget& stretches = grid("VakkenGrid");
        std::vector<std::pair<QString, bool>> counts;
        for (int row = 0; row < stretches.rowCount(); ++row)
            counts.emplace_back(stretches.item(row, 2)->text(),
                                stretches.item(row, 2)->font().bold());
        return counts;
    }

    QString message()
    {
        return form.findChild<QLabel*>(QStringLiteral("PuntenMeldingLabel"))->text();
    }

    ProjectDocument document;
    TVerdeelForm form;
};

// The storey of the README: peil 0, dorpel 900, bovenkant kozijn 2 400, vloer 2 800, typed in
// another order, on the Verdelen window's second tab.
TEST(FixedPointsTab, DividesAStoreyInOnePlanAndTakesAStretchOver)
{
    MessageBoxRecorder boxes;
    PlanTab tab;
    EXPECT_EQ(tab.grid("PuntenGrid").item(1, 0)->text(), QStringLiteral("bovenhoogte"));
    tab.type({{"vloer", "2800"}, {"peil", "0"}, {"bovenkant kozijn", "2400"}, {"dorpel", "900"}});
    TVerdeelForm& form = tab.form;
    ProjectDocument& document = tab.document;

    auto& stretches = *form.findChild<QTableWidget*>(QStringLiteral("VakkenGrid"));
    ASSERT_EQ(stretches.rowCount(), 3);
    const char* expected[][6] = {
        {"peil", "dorpel", "14", "64,286", "14,29", ""},
        {"dorpel", "bovenkant kozijn", "24", "62,5", "12,50", ""},
        {"bovenkant kozijn", "vloer", "6", "66,667", "16,67", "buiten grenzen (16,67)"},
    };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 6; ++column)
            EXPECT_EQ(stretches.item(row, column)->text(), QString::fromUtf8(expected[row][column]))
                << row << " " << column;
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("EenMaatLabel"))->text(),
              QStringLiteral("45 lagen van 62,2223: dorpel laag 14 op 871,11 (28,89 lager), "
                             "bovenkant kozijn laag 39 op 2.426,67 (26,67 hoger)"));
    const QAbstractItemModel& courses =
        *form.findChild<QTableView*>(QStringLiteral("LagenGrid"))->model();
    ASSERT_EQ(courses.rowCount(), 45);
    EXPECT_EQ(courses.index(14, 1).data().toString(), QStringLiteral("900,00"));
    EXPECT_EQ(courses.index(38, 2).data().toString(), QStringLiteral("bovenkant kozijn"));
    EXPECT_EQ(courses.index(44, 1).data().toString(), QStringLiteral("2.800,00"));

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

// A count typed into a stretch holds while that stretch's two points stay: through a renamed
// point, a height typed otherwise and a point changed elsewhere; a moved point drops it. A
// count that is no whole number of 1 up to the row limit is refused and the cell returns.
TEST(FixedPointsTab, ATypedCountStaysWithItsStretchUntilItsPointsChange)
{
    PlanTab tab;
    tab.type({{"peil", "0"}, {"dorpel", "900"}, {"vloer", "2800"}});
    QTableWidget& stretches = tab.grid("VakkenGrid");
    using Counts = std::vector<std::pair<QString, bool>>;
    ASSERT_EQ(tab.counts(), (Counts{{"14", false}, {"30", false}}));

    stretches.item(0, 2)->setText(QStringLiteral("15"));
    EXPECT_EQ(tab.counts(), (Counts{{"15", true}, {"30", false}}));
    EXPECT_EQ(stretches.item(0, 3)->text(), QStringLiteral("60")); // 15 courses of 60 make 900
    for (const char* refused : {"0", "100001", "7,5", "veel"}) {
        stretches.item(0, 2)->setText(QString::fromUtf8(refused));
        EXPECT_EQ(tab.counts(), (Counts{{"15", true}, {"30", false}})) << refused;
        EXPECT_EQ(tab.message(), QStringLiteral("Vak 1: %1 is geen aantal lagen van 1 tot 100.000")
                                     .arg(QString::fromUtf8(refused)));
    }

    QTableWidget& points = tab.grid("PuntenGrid");
    points.item(1, 0)->setText(QStringLiteral("dorpel keuken"));
    points.item(1, 1)->setText(QStringLiteral("900,0")); // the same point as read
    points.item(2, 1)->setText(QStringLiteral("2900"));
    EXPECT_EQ(tab.counts(), (Counts{{"15", true}, {"32", false}}));
    ASSERT_TRUE(tab.document.project().points);

    stretches.item(1, 2)->setText(QStringLiteral("31"));
    points.item(1, 1)->setText(
        QStringLiteral("1000")); // the top of one stretch, the foot of the next
    EXPECT_EQ(tab.counts(), (Counts{{"16", false}, {"30", false}}));
    EXPECT_TRUE(tab.message().isEmpty());
}

} // namespace
