#pragma once

#include "platform/print_system/cups_job_request.h"

#include <QString>

#include <memory>
#include <optional>
#include <variant>

namespace platform {

// The job's id on its queue, or what went wrong, in Dutch.
using CupsJobOutcome = std::variant<int, QString>;

// Hands the PDF to its queue through libcups on a scheduler worker (scheduler_workers.h): one job
// with its options, the document sent as PDF, every question bounded in time. The PDF file is
// the worker's from the start: its name is removed before a constructor returns.
class CupsHandOver {
public:
    // Reads the PDF through `descriptor`, from its start, and closes it when done; the file is
    // not opened again by its name.
    CupsHandOver(CupsJobRequest request, int descriptor);
    // Nobody waits any more: the worker sends no more of the job and cancels it on its queue
    // once the scheduler lets it; the program need not wait for that.
    ~CupsHandOver();
    CupsHandOver(const CupsHandOver&) = delete;
    CupsHandOver& operator=(const CupsHandOver&) = delete;

    // Nobody will take the job any more: as the destructor, while the outcome can still be
    // looked at to learn when the worker is done.
    void drop();

    // Set once the worker is done with the job.
    std::optional<CupsJobOutcome> outcome() const;

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};

} // namespace platform
