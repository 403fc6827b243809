#include "platform/print_system/cups_connection.h"
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
}

TEST(CupsJobOptions, AcceptedWithIgnoredOrConflictingAttributes)
{
    EXPECT_TRUE(platform::Accepted(IPP_STATUS_OK));
    EXPECT_TRUE(platform::Accepted(IPP_STATUS_OK_IGNORED_OR_SUBSTITUTED));
    EXPECT_TRUE(platform::Accepted(IPP_STATUS_OK_CONFLICTING));
    EXPECT_FALSE(platform::Accepted(IPP_STATUS_OK_IGNORED_SUBSCRIPTIONS));
    EXPECT_FALSE(platform::Accepted(IPP_STATUS_ERROR_NOT_AUTHORIZED));
}

} // namespace
