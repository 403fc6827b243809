#include "printing/print_service.h"

#include "calc/fixed_points.h"
#include "print/windows/PrintDlg.h"
#include "support/program_parts.h"
#include "support/stand_ins.h"
#include "support/test_printer.h"

#include <QAbstractButton>
#include <QRadioButton>

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

// Everything that prints, printed through the service on the program's print dialog: each in
// the document's project name and table font, and none while another runs — not even from a
// window that still took the command.
TEST(PrintService, PrintsEachThingInTheProjectsNameAndFontAndOneAtATime)
{
    MessageBoxRecorder boxes;
    TestPrinter printer;
    ModalRunnerStub modal;
    ProgramParts parts;
    TPrintDialog1 dialog;
    PrintDialog1 = &dialog;
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
        dialog.findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click();
        return int(QDialog::Accepted);
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
    PrintDialog1 = nullptr;
}

} // namespace
