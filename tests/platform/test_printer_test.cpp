#include "support/test_printer.h"

#include <gtest/gtest.h>

namespace {

TEST(TestPrinter, RecordsEachJobWithItsSettingsAndPages)
{
    TestPrinter printer;
    printer.setDocumentTitle(QStringLiteral("Vantorbel"));
    printer.setCopies(3);
    printer.canvas().setFont({});
    printer.beginDocument();
    printer.canvas().textOut(10, 10, QStringLiteral("Pagina 1"));
    printer.newPage();
    printer.canvas().textOut(10, 10, QStringLiteral("Pagina 2"));
    printer.endDocument();

    ASSERT_EQ(printer.jobs.size(), 1u);
    const TestPrinter::Job& job = printer.jobs[0];
    EXPECT_EQ(job.title, QStringLiteral("Vantorbel"));
    EXPECT_EQ(job.copies, 3);
    ASSERT_EQ(job.pages.size(), 2u);
    for (int page = 0; page < 2; ++page) {
        const auto& operations = job.pages[page]->operations();
        // Each page selects its font again, so that it stands on its own.
        ASSERT_EQ(operations.size(), 2u);
        EXPECT_EQ(std::get<platform::PageImage::Text>(operations[1]).text,
                  QStringLiteral("Pagina %1").arg(page + 1));
    }
}

TEST(TestPrinter, WithoutAPrinterEveryOperationFailsWithThePrinterError)
{
    TestPrinter printer;
    printer.noPrinter = true;
    try {
        printer.figures();
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "There is no default printer currently selected");
    }
    EXPECT_THROW(printer.deviceName(), std::runtime_error);
    EXPECT_THROW(printer.beginDocument(), std::runtime_error);
    EXPECT_FALSE(printer.printing());
}

TEST(TestPrinter, DrawingOutsideAJobIsAnError)
{
    TestPrinter printer;
    EXPECT_THROW(printer.newPage(), std::runtime_error);
    EXPECT_THROW(printer.endDocument(), std::runtime_error);
    // Measuring works without a job, as on a real printer.
    EXPECT_GT(printer.canvas().textWidth(QStringLiteral("62,50")), 0);
}

} // namespace
