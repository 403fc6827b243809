#include "platform/print_system/chosen_pages.h"
#include "platform/print_system/cups_job_options.h"

#include <gtest/gtest.h>

namespace {

using platform::CupsOptions;

QByteArray valueOf(const CupsOptions& options, const char* name)
{
    for (const auto& [optionName, value] : options)
        if (optionName == name)
            return value;
    return "(none)";
}

// The choices made for the job win; the destination's defaults fill in the rest, but never turn
// the pages twice nor bring the printer's description along.
TEST(CupsJobOptions, ChoicesWinAndTheDestinationFillsIn)
{
    platform::CupsJobRequest request;
    request.copies = 3;
    request.sides = "one-sided";
    request.printerOptions = {"number-up", "2", "job-billing", ""};
    const CupsOptions defaults = {{"sides", "two-sided-long-edge"},
                                  {"number-up", "4"},
                                  {"print-color-mode", "monochrome"},
                                  {"orientation-requested", "4"},
                                  {"printer-location", "Keet"}};

    const CupsOptions twoSidedQueue = platform::JobOptions(request, defaults, true);
    EXPECT_EQ(valueOf(twoSidedQueue, "sides"), "one-sided");
    EXPECT_EQ(valueOf(twoSidedQueue, "number-up"), "2");
    EXPECT_EQ(valueOf(twoSidedQueue, "print-color-mode"), "monochrome");
    EXPECT_EQ(valueOf(twoSidedQueue, "copies"), "3");
    EXPECT_EQ(valueOf(twoSidedQueue, "collate"), "true");
    for (const char* absent : {"job-billing", "orientation-requested", "printer-location"})
        EXPECT_EQ(valueOf(twoSidedQueue, absent), "(none)") << absent;
    // Qt offers no choice of sides on a one-sided queue: its instance's default stands.
    EXPECT_EQ(valueOf(platform::JobOptions(request, defaults, false), "sides"),
              "two-sided-long-edge");
}

// A page at actual size comes one to a sheet and unscaled, whatever was chosen or set up.
TEST(CupsJobOptions, ActualSizeOverridesScalingAndPagesPerSheet)
{
    platform::CupsJobRequest request;
    request.actualSize = true;
    request.printerOptions = {"number-up", "4", "number-up-layout", "btlr", "fit-to-page", "true"};
    const CupsOptions options =
        platform::JobOptions(request, {{"scaling", "50"}, {"print-scaling", "fill"}}, true);
    EXPECT_EQ(valueOf(options, "number-up"), "1");
    EXPECT_EQ(valueOf(options, "number-up-layout"), "(none)");
    EXPECT_EQ(valueOf(options, "scaling"), "(none)");
    EXPECT_EQ(valueOf(options, "print-scaling"), "none");
    EXPECT_EQ(valueOf(options, "fit-to-page"), "false");

    // Of a destination's defaults only the paper, the sides and the colour come along: a queue,
    // instance or lpoptions saying booklet=on or mirror would shrink or move the rod.
    request.printerOptions = {"booklet", "on"};
    const CupsOptions rod = platform::JobOptions(request,
                                                 {{"booklet", "on"},
                                                  {"mirror", "true"},
                                                  {"page-border", "single"},
                                                  {"position", "center"},
                                                  {"InputSlot", "Tray2"},
                                                  {"sides", "two-sided-long-edge"},
                                                  {"print-color-mode", "monochrome"}},
                                                 true);
    for (const char* absent : {"booklet", "mirror", "page-border", "position"})
        EXPECT_EQ(valueOf(rod, absent), "(none)") << absent;
    EXPECT_EQ(valueOf(rod, "InputSlot"), "Tray2");
    EXPECT_EQ(valueOf(rod, "sides"), "two-sided-long-edge");
    EXPECT_EQ(valueOf(rod, "print-color-mode"), "monochrome");
}

// The pages that go into the job, by the report's own numbers, as Qt's set-up dialog leaves
// them: a from–to range on the printer (with odd and even swapped where it starts on an even
// page), a list of pages and the page set among the CUPS options.
TEST(ChosenPages, AreTheReportsOwnPagesWhateverQtSwapped)
{
    const auto pages = [](const platform::ChosenPages& chosen) {
        QList<int> in;
        for (int page = 1; page <= 8; ++page)
            if (chosen.contains(page))
                in << page;
        return in;
    };
    const QPageRanges twoToFive = QPageRanges::fromString(QStringLiteral("2-5"));
    // "Oneven pagina's" for pages 2 to 5, which Qt hands over as "even".
    EXPECT_EQ(pages(platform::ChosenPages::Of(twoToFive, {"page-set", "even"})), (QList{3, 5}));
    EXPECT_EQ(pages(platform::ChosenPages::Of(twoToFive, {})), (QList{2, 3, 4, 5}));
    EXPECT_EQ(pages(platform::ChosenPages::Of(
                  {}, {"number-up", "2", "page-ranges", "1-3,5", "page-set", "odd"})),
              (QList{1, 3, 5}));
    EXPECT_EQ(pages(platform::ChosenPages::Of({}, {})).size(), 8);
    EXPECT_EQ(platform::WithoutPageChoice({"number-up", "2", "page-ranges", "1-3,5", "page-set",
                                           "odd", "job-priority", "9"}),
              (QStringList{"number-up", "2", "job-priority", "9"}));
    EXPECT_EQ(platform::ChosenPages::Of(QPageRanges::fromString(QStringLiteral("9-12")), {})
                  .nothingPrinted(8),
              QStringLiteral("Blad 9 tot 12 bestaan niet; het verslag heeft 8 bladen."));
}

} // namespace
