#include "printing/print_service.h"

#include "calc/fixed_points.h"
#include "document/facade_result.h"
#include "print/windows/PrintDlg.h"
#include "support/program_parts.h"
#include "support/stand_ins.h"
#include "support/test_printer.h"

#include <QAbstractButton>
#include <QRadioButton>

#include <cstdlib>
#include <set>

#include <gtest/gtest.h>

namespace {

// The first font each job's first page draws its texts in, and whether one of its texts
// names the project.
struct FirstPage {
    QString font;
    bool namesProject = false;
};

FirstPage FirstPageOf(const TestPrinter::Job& job, const QString& project)
{
    FirstPage page;
    for (const auto& operation : job.pages.at(0)->operations()) {
        if (const auto* font = std::get_if<platform::PageImage::SelectFont>(&operation))
            page.font = page.font.isEmpty() ? font->name : page.font;
        if (const auto* text = std::get_if<platform::PageImage::Text>(&operation))
            page.namesProject = page.namesProject || text->text.contains(project);
    }
    return page;
}

// The service of a program on the test printer, its print dialog the program's own; a test
// plays the user in the modal windows. `confirm` clicks the dialog's OK.
class PrintServiceTest : public testing::Test {
protected:
    PrintServiceTest() { PrintDialog1 = &dialog; }
    ~PrintServiceTest() override { PrintDialog1 = nullptr; }

    int confirm()
    {
        dialog.findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click();
        return int(QDialog::Accepted);
    }

    MessageBoxRecorder boxes;
    TestPrinter printer;
    ModalRunnerStub modal;
    ProgramParts parts;
    TPrintDialog1 dialog;
};

// Everything that prints, printed through the service on the program's print dialog: each in
// the document's project name and table font, and none while another runs — not even from a
// window that still took the command.
TEST_F(PrintServiceTest, PrintsEachThingInTheProjectsNameAndFontAndOneAtATime)
{
    std::vector<bool> held;
    QObject::connect(&parts.printing, &PrintRequests::runningChanged,
                     [&held](bool running) { held.push_back(running); });
    int confirms = 0;
    int previews = 0;
    modal.answer = [&](QDialog& shown) {
        if (&shown != &dialog) {
            ++previews;
            // A preview on screen: the print runs while it shows.
            EXPECT_EQ(parts.printing.running(), RunningReport::ToScreen);
            parts.printing.printReport(parts.document.project().table);
            return int(QDialog::Rejected);
        }
        ++confirms;
        return confirm();
    };

    parts.document.setText(ProjectField::ProjectName, QStringLiteral("Schuur"));
    parts.document.setText(ProjectField::Top, QStringLiteral("900"));
    parts.document.setTableFont({QFont(QStringLiteral("Liberation Mono"), 11), Qt::black});
    ASSERT_FALSE(parts.document.calculate({",", "."}));
    const calc::CourseTable table = *parts.document.project().table;
    const auto plan = calc::MakePlan(
        {{{"peil", "0"}, {"dorpel", "900"}}, "50", "12,5", "10", "15", "2"}, {",", "."});
    ASSERT_TRUE(std::holds_alternative<calc::Plan>(plan));

    parts.printing.printReport(table);
    parts.printing.printRod(table);
    parts.printing.printPlan(std::get<calc::Plan>(plan));
    parts.printing.printPlanRod(std::get<calc::Plan>(plan));
    ASSERT_EQ(printer.jobs.size(), 4u);
    for (const TestPrinter::Job& job : printer.jobs) {
        SCOPED_TRACE(job.title.toStdString());
        const FirstPage page = FirstPageOf(job, QStringLiteral("Schuur"));
        EXPECT_EQ(page.font, QStringLiteral("Liberation Mono"));
        EXPECT_TRUE(page.namesProject);
    }
    EXPECT_EQ(held, (std::vector<bool>{true, false, true, false, true, false, true, false}));

    dialog.findChild<QRadioButton*>(QStringLiteral("NaarScherm"))->setChecked(true);
    parts.printing.printReport(table);
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(confirms, 5);
    EXPECT_EQ(parts.printing.running(), RunningReport::None);
    EXPECT_TRUE(boxes.boxes.empty());
}

// The README's facade through the service: at the largest scale that fits the paper (1:50 on
// this printer's A4), a bar of one metre exactly 20 mm long at that scale, the plans and the
// count on the next page; a scale that does not fit is refused, naming the one that does.
TEST_F(PrintServiceTest, PrintsTheFacadeToScaleAtActualSize)
{
    modal.answer = [this](QDialog&) {
        return confirm();
    };
    FacadeSettings settings;
    settings.openings = {{"raam", "1200", "2410", "900", "2400"},
                         {"deur", "3300", "4310", "0", "2400"}};
    parts.document.setFacade(settings);
    const auto facade = SetOutFacade(parts.document.project(), {",", "."});
    ASSERT_TRUE(std::holds_alternative<std::shared_ptr<const FacadeResult>>(facade));
    const auto result = std::get<std::shared_ptr<const FacadeResult>>(facade);

    parts.printing.printFacade({result, 10});
    EXPECT_TRUE(printer.jobs.empty());
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text.toStdString(),
              "Bij 1:10 past de gevel niet op het papier; bij 1:50 wel.");

    parts.printing.printFacade({result, std::nullopt});
    ASSERT_EQ(printer.jobs.size(), 1u);
    const TestPrinter::Job& job = printer.jobs[0];
    EXPECT_TRUE(job.actualSize);
    ASSERT_EQ(job.pages.size(), 2u);
    std::set<QString> sheet, plans;
    int bars = 0;
    const int metre = 1000 / 50 * 600 * 10 / 254; // 20 mm at 600 pixels per inch
    for (const auto& operation : job.pages[0]->operations()) {
        if (const auto* text = std::get_if<platform::PageImage::Text>(&operation))
            sheet.insert(text->text);
        if (const auto* line = std::get_if<platform::PageImage::Line>(&operation))
            bars += line->from.y() == line->to.y() &&
                    std::abs(std::abs(line->to.x() - line->from.x()) - metre) <= 1;
    }
    for (const auto& operation : job.pages[1]->operations())
        if (const auto* text = std::get_if<platform::PageImage::Text>(&operation))
            plans.insert(text->text);
    for (const char* text : {"Gevel 1:50, afdrukken op 100 %", "1 m: meet ter controle", "raam",
                             "deur", "2.410", "2.800"})
        EXPECT_EQ(sheet.count(QString::fromUtf8(text)), 1u) << text;
    EXPECT_EQ(bars, 1);
    for (const char* text : {"Koppen", "Lagen", "raam rechts", "15,00 en 16,67",
                             "Stootvoegen gelegd van 8,00 tot 16,67"})
        EXPECT_EQ(plans.count(QString::fromUtf8(text)), 1u) << text;
}

} // namespace
