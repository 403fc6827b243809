#pragma once

#include "platform/print_system/printer_service.h"

// Asks the print system to print the pages of the next job at their own size, and no later
// job: a sheet drawn at a scale must reach the paper at that scale.
class ActualSizeJob {
public:
    ActualSizeJob() { platform::CurrentPrinter().setActualSize(true); }
    ~ActualSizeJob() { platform::CurrentPrinter().setActualSize(false); }
    ActualSizeJob(const ActualSizeJob&) = delete;
    ActualSizeJob& operator=(const ActualSizeJob&) = delete;
};
