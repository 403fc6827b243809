#include "facadewindow/GevelForm.h"
#include "facadewindow/facade_view.h"

#include "platform/toolkit/regional_settings.h"
#include "support/print_recorder.h"
#include "support/stand_ins.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The window on a document of its own, typed into as a user does.
class GevelFormTest : public testing::Test {
protected:
    GevelFormTest()
        : document(QString::fromStdString(platform::CurrentRegionalFormat().decimalSeparator))
        , form(nullptr, document, printing)
    {
        form.showWindow();
        QApplication::setActiveWindow(&form);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    template <class Widget> Widget& find(const char* name)
    {
        auto* widget = form.findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    void retype(const char* name, const QString& text)
    {
        QLineEdit& field = find<QLineEdit>(name);
        field.selectAll();
        QTest::keyClick(&field, Qt::Key_Delete);
        QTest::keyClicks(&field, text);
    }
    // A new opening typed cell by cell, as the keyboard does it: Insert, then each cell.
    void addOpening(const QStringList& cells)
    {
        QTableWidget& openings = find<QTableWidget>("SparingenGrid");
        openings.setFocus();
        QTest::keyClick(&openings, Qt::Key_Insert);
        const int row = openings.rowCount() - 1;
        for (int column = 0; column < cells.size(); ++column) {
            openings.setCurrentCell(row, column);
            QTest::keyClick(&openings, Qt::Key_F2);
            QTest::keyClicks(QApplication::focusWidget(), cells[column]);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QApplication::processEvents(); // the editor commits once back in the event loop
        }
    }
    QStringList rowOf(const char* table, int row)
    {
        QTableWidget& grid = find<QTableWidget>(table);
        QStringList cells;
        for (int column = 0; column < grid.columnCount(); ++column)
            cells << (grid.item(row, column) ? grid.item(row, column)->text() : QString());
        return cells;
    }
    QString line(const char* name) { return find<QLabel>(name).text(); }

    MessageBoxRecorder boxes;
    ProjectDocument document;
    PrintRecorder printing;
    TGevelForm form;
};

// The README's facade typed through the window: both plans, the joints laid and the count.
TEST_F(GevelFormTest, SetsOutTheWaalformaatFacade)
{
    addOpening({"raam", "1200", "2410", "900", "2400"});
    addOpening({"deur", "3300", "4310", "0", "2400"});
    EXPECT_EQ(line("GevelMeldingLabel"), QString());
    EXPECT_EQ(find<QTableWidget>("KoppenGrid").rowCount(), 5);
    EXPECT_EQ(rowOf("KoppenGrid", 2),
              (QStringList{"raam rechts", "deur links", "penant", "8", rowOf("KoppenGrid", 2)[4],
                           "12,86", "15,00 en 16,67",
                           "voeg 12,86 buiten 8–12, gelegd 15,00 en 16,67 buiten 8–12"}));
    EXPECT_EQ(rowOf("KoppenGrid", 0)[6], QStringLiteral("10,00"));
    EXPECT_EQ(rowOf("KoppenGrid", 1)[6], QString());
    EXPECT_EQ(rowOf("LagenGrid", 0),
              (QStringList{"peil, deur onder", "raam onder", "14", "64,286", "14,29", ""}));
    EXPECT_EQ(rowOf("LagenGrid", 2)[5], QStringLiteral("voeg 16,67 buiten 10–15"));
    EXPECT_EQ(line("StootvoegenLabel"), QStringLiteral("Stootvoegen gelegd van 8,00 tot 16,67"));
    EXPECT_EQ(line("TellingLabel"),
              QStringLiteral("744 strekken, 44 hoekstenen en 62 halve stenen; te bestellen 744 "
                             "+ 44 + 31 = 819 stenen + 5 % breuk = 860"));
    EXPECT_TRUE(boxes.boxes.empty());

    // Hovering the first stone of the lowest course: a stretcher in the run from the corner to
    // the door, laid with its joint.
    const FacadeView& view = find<FacadeView>("AanzichtView");
    QPoint nearest;
    double best = 1e300;
    for (int x = 0; x < view.width(); ++x)
        for (int y = 0; y < view.height(); ++y) {
            const QPointF at = view.facadePoint(QPointF(x, y)) - QPointF(100, 40);
            if (const double distance = QPointF::dotProduct(at, at); distance < best)
                std::tie(best, nearest) = std::pair(distance, QPoint(x, y));
        }
    EXPECT_EQ(view.stoneTextAt(nearest).toStdString(), "laag 1, kop 0: strek, voeg 10,71");

    // The DXF file read back by an independent reader: each stone a closed polyline at its laid
    // size, the openings' jambs at their x, every layer there.
    QTemporaryDir folder;
    FileChooserStub files;
    files.answers.push_back(folder.filePath(QStringLiteral("gevel.dxf")));
    find<QPushButton>("DxfOpslaanButton").click();
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QStringLiteral(R"(
import collections, sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
sizes = collections.Counter()
for stone in doc.modelspace().query('LWPOLYLINE[layer=="STENEN"]'):
    xs = [p[0] for p in stone.get_points()]
    sizes['%s %g' % (stone.closed, round(max(xs) - min(xs), 6))] += 1
jambs = sorted({'%g' % round(p[0], 6) for o in doc.modelspace().query('LWPOLYLINE[layer=="SPARINGEN"]')
                for p in o.get_points()})
ours = sorted(l.dxf.name for l in doc.layers if l.dxf.name not in ('0', 'Defpoints'))
print(sorted(sizes.items()), jambs, ours,
      len(doc.modelspace().query('TEXT[layer=="TEKST"]')), doc.header['$INSUNITS'])
)"),
                  folder.filePath(QStringLiteral("gevel.dxf"))});
    ASSERT_TRUE(reader.waitForFinished(60000));
    EXPECT_EQ(reader.readAllStandardOutput().trimmed().toStdString(),
              "[('True 100', 106), ('True 210', 744)] ['1200', '2410', '3300', '4310'] "
              "['MAATVOERING', 'SPARINGEN', 'STENEN', 'TEKST'] 2 4")
        << reader.readAllStandardError().toStdString();
}

// What cannot be set out is said in one line while typing, nothing pops up, and the plans and
// the drawing stay empty until it is mended; with English separators the numbers read alike.
TEST_F(GevelFormTest, SaysWhatCannotBeSetOutInOneLine)
{
    addOpening({"raam 2", "1200", "2410", "900", "2400"});
    addOpening({"deur", "2000", "3000", "0", "2100"});
    EXPECT_EQ(line("GevelMeldingLabel").toStdString(),
              "Sparing deur overlapt raam 2 gedeeltelijk in de breedte");
    EXPECT_EQ(find<QTableWidget>("KoppenGrid").rowCount(), 0);
    EXPECT_FALSE(find<QPushButton>("DxfOpslaanButton").isEnabled());
    retype("BreedteEdit", QStringLiteral("55x0"));
    EXPECT_EQ(line("GevelMeldingLabel").toStdString(), "Breedte: 55x0 is geen getal");
    retype("BreedteEdit", QStringLiteral("5500"));
    QTableWidget& openings = find<QTableWidget>("SparingenGrid");
    openings.setCurrentCell(1, 0);
    QTest::keyClick(&openings, Qt::Key_Delete);
    QApplication::processEvents();
    EXPECT_EQ(openings.rowCount(), 1);
    openings.item(0, 1)->setText(QStringLiteral("0"));
    EXPECT_EQ(line("GevelMeldingLabel").toStdString(),
              "Sparing raam 2 ligt niet binnen de breedte, met metselwerk ernaast");
    openings.item(0, 1)->setText(QStringLiteral("1200,5"));
    EXPECT_EQ(line("GevelMeldingLabel").toStdString(), "");
    EXPECT_TRUE(boxes.boxes.empty());

    platform::SetRegionalFormat({".", ","});
    openings.item(0, 1)->setText(QStringLiteral("1200.5"));
    EXPECT_EQ(line("GevelMeldingLabel").toStdString(), "Lintvoeg: 12,5 is geen getal");
    retype("LintvoegEdit", QStringLiteral("12.5"));
    EXPECT_EQ(line("GevelMeldingLabel").toStdString(), "");
    EXPECT_EQ(line("StootvoegenLabel").toStdString(), "Stootvoegen gelegd van 10.10 tot 11.54");
    platform::SetRegionalFormat({",", "."});
}

} // namespace
