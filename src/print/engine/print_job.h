#pragma once

#include "platform/print_system/printer_service.h"

// One job on the current printer, as the engine and the preview print it: begun when made,
// sent by end(), and aborted on every other way out, so that a job that failed or was stopped
// midway never prints as if complete and never stays open to refuse the next one.
class PrintJob {
public:
    // Throws platform::PrintCancelled when the user backed out before anything began.
    explicit PrintJob(platform::PrinterService& printer)
        : m_printer(printer)
    {
        m_printer.beginDocument();
    }
    ~PrintJob()
    {
        if (!m_ended)
            m_printer.abortDocument();
    }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    void end()
    {
        m_ended = true;
        m_printer.endDocument();
    }

private:
    platform::PrinterService& m_printer;
    bool m_ended = false;
};
