#include "divide/VerdeelForm.h"

#include "document/project_document.h"
#include "platform/toolkit/regional_settings.h"
#include "support/print_recorder.h"
#include "support/stand_ins.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kCount = 3;

// The tab of a window on a document of its own, its points typed row by row.
class PlanTab {
public:
    PlanTab()
        : document(QStringLiteral(","))
        , form(nullptr, document, printing, {.calculate = [this] {
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
            counts.emplace_back(stretches.item(row, kCount)->text(),
                                stretches.item(row, kCount)->font().bold());
        return counts;
    }

    QString message()
    {
        return form.findChild<QLabel*>(QStringLiteral("PuntenMeldingLabel"))->text();
    }

    ProjectDocument document;
    PrintRecorder printing;
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
    const char* expected[][7] = {
        {"peil", "dorpel", "n × maat", "14", "64,286", "14,29", ""},
        {"dorpel", "bovenkant kozijn", "n × maat", "24", "62,5", "12,50", ""},
        {"bovenkant kozijn", "vloer", "n × maat", "6", "66,667", "16,67",
         "voeg 16,67 buiten 10–15"},
    };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 7; ++column)
            EXPECT_EQ(stretches.item(row, column)->text(), QString::fromUtf8(expected[row][column]))
                << row << " " << column;
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("EenMaatLabel"))->text(),
              QStringLiteral("Met één lagenmaat: 45 lagen van 62,2223, dorpel laag 14 op 871,11 "
                             "(28,89 lager), bovenkant kozijn laag 39 op 2.426,67 (26,67 hoger)"));
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
// count that is no whole number, more than the lists show or more than the stretch's stones
// can take is refused, naming the stretch, and the cell returns.
TEST(FixedPointsTab, ATypedCountStaysWithItsStretchUntilItsPointsChange)
{
    PlanTab tab;
    tab.type({{"peil", "0"}, {"dorpel", "900"}, {"vloer", "2800"}});
    QTableWidget& stretches = tab.grid("VakkenGrid");
    using Counts = std::vector<std::pair<QString, bool>>;
    ASSERT_EQ(tab.counts(), (Counts{{"14", false}, {"30", false}}));

    stretches.item(0, kCount)->setText(QStringLiteral("15"));
    EXPECT_EQ(tab.counts(), (Counts{{"15", true}, {"30", false}}));
    EXPECT_EQ(stretches.item(0, kCount + 1)->text(), QStringLiteral("60")); // 15 × 60 = 900
    const struct {
        const char* typed;
        const char* said;
    } refusals[] = {
        {"0", "Vak peil – dorpel: 0 is geen aantal lagen"},
        {"7,5", "Vak peil – dorpel: 7,5 is geen aantal lagen"},
        {"veel", "Vak peil – dorpel: veel is geen aantal lagen"},
        {"100001", "Vak peil – dorpel: meer dan 99.998 lagen"},
        {"18", "18 lagen passen niet tussen peil en dorpel: de stenen alleen zijn al 900"},
        {"20", "20 lagen passen niet tussen peil en dorpel: de stenen alleen zijn al 1.000"},
    };
    for (const auto& refusal : refusals) {
        stretches.item(0, kCount)->setText(QString::fromUtf8(refusal.typed));
        EXPECT_EQ(tab.counts(), (Counts{{"15", true}, {"30", false}})) << refusal.typed;
        EXPECT_EQ(tab.message(), QString::fromUtf8(refusal.said));
    }

    QTableWidget& points = tab.grid("PuntenGrid");
    points.item(1, 0)->setText(QStringLiteral("dorpel keuken"));
    points.item(1, 1)->setText(QStringLiteral("900,0")); // the same point as read
    points.item(2, 1)->setText(QStringLiteral("2900"));
    EXPECT_EQ(tab.counts(), (Counts{{"15", true}, {"32", false}}));
    ASSERT_TRUE(tab.document.project().points);

    stretches.item(1, kCount)->setText(QStringLiteral("31"));
    points.item(1, 1)->setText(
        QStringLiteral("1000")); // the top of one stretch, the foot of the next
    EXPECT_EQ(tab.counts(), (Counts{{"16", false}, {"30", false}}));
    EXPECT_TRUE(tab.message().isEmpty());
}

// A facade in heads: each stretch's kind chosen in its row and kept while its two points stay
// neighbours; a stretch too short for a stone stays in the plan with its reason; the one-gauge
// line in a facade's words.
TEST(FixedPointsTab, AFacadeIsLaidByTheKindOfEachStretch)
{
    PlanTab tab;
    tab.document.setCourseMode(false);
    tab.type(
        {{"hoek", "0"}, {"", "1200"}, {"", "2410"}, {"", "3300"}, {"", "4310"}, {"hoek", "5500"}});
    QTableWidget& stretches = tab.grid("VakkenGrid");
    constexpr int kKind = 2;
    for (const int row : {0, 2, 4}) {
        QTest::keyClick(stretches.cellWidget(row, kKind), Qt::Key_Down);
        QCoreApplication::processEvents();
    }
    for (const int row : {1, 3}) {
        QTest::keyClick(stretches.cellWidget(row, kKind), Qt::Key_Down);
        QCoreApplication::processEvents();
        QTest::keyClick(stretches.cellWidget(row, kKind), Qt::Key_Down);
        QCoreApplication::processEvents();
    }
    const auto column = [&stretches](int column) {
        QStringList cells;
        for (int row = 0; row < stretches.rowCount(); ++row)
            cells << stretches.item(row, column)->text();
        return cells;
    };
    EXPECT_EQ(column(kKind), (QStringList{"penant", "sparing", "penant", "sparing", "penant"}));
    EXPECT_EQ(column(kCount), (QStringList{"11", "11", "8", "9", "11"}));
    EXPECT_EQ(column(kCount + 2), (QStringList{"10,00", "9,17", "12,86", "11,00", "9,00"}));
    EXPECT_EQ(column(kCount + 3)[2], QStringLiteral("voeg 12,86 buiten 8–12"));
    // An opening's upper point is a line of its own, a joint above its last head.
    const QAbstractItemModel& courses =
        *tab.form.findChild<QTableView*>(QStringLiteral("LagenGrid"))->model();
    EXPECT_EQ(courses.index(23, 0).data().toString(), QString());
    EXPECT_EQ(courses.index(23, 1).data().toString(), QStringLiteral("2.410,00"));
    EXPECT_EQ(courses.index(24, 0).data().toString(), QStringLiteral("23"));

    // A jamb moved keeps the kinds; a point put between two jambs gives that stretch back to
    // n × maat, and one millimetre takes no head.
    QTableWidget& points = tab.grid("PuntenGrid");
    points.item(2, 1)->setText(QStringLiteral("2400"));
    EXPECT_EQ(column(kKind)[1], QStringLiteral("sparing"));
    tab.type({{"hoek", "0"}, {"", "1200"}, {"", "1201"}, {"", "2400"}});
    EXPECT_EQ(column(kKind), (QStringList{"n × maat", "n × maat", "n × maat"}));
    EXPECT_EQ(column(kCount + 3)[1], QStringLiteral("geen hele kop past"));
    EXPECT_EQ(tab.message(), QStringLiteral("Vak 1.200,00 – 1.201,00: geen hele kop past"));
    EXPECT_EQ(courses.index(12, 2).data().toString(),
              QStringLiteral("1.201,00 – geen hele kop past"));

    tab.document.setText(ProjectField::Decimals, QStringLiteral("1"));
    tab.type({{"hoek", "0"}, {"raam", "1200"}, {"deur", "3300"}, {"hoek", "5500"}});
    EXPECT_EQ(tab.form.findChild<QLabel*>(QStringLiteral("EenMaatLabel"))->text(),
              QStringLiteral("Met één koppenmaat: 50 koppen van 110, raam kop 11 op 1.210,0 "
                             "(10,0 verder), deur kop 30 op 3.300,0 (precies)"));
}

} // namespace
