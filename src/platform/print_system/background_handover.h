#pragma once

// Print jobs on their way to the queue. Once a job's PDF is written, the scheduler may take its
// time over it: the windows take commands meanwhile, and what becomes of the job is told later,
// a refusal through the print-job notice (job_watch.h), an accepted job followed by the job
// watcher. Only closing the program has to know of the jobs still on their way.

#include "platform/print_system/cups_job.h"

#include <chrono>

namespace platform {

// Hands the job over on a scheduler worker and returns at once, the PDF read through
// `descriptor` (CupsHandOver).
void HandOverInBackground(CupsJobRequest request, int descriptor);

// True while a job is not with its queue yet.
bool HandOverPending();

// Gives up every job still on its way: a job the scheduler already made is cancelled, once it
// answers. Waits with the windows painted until that is done, at most `grace`; false when the
// scheduler did not answer in time.
bool GiveUpHandOvers(std::chrono::milliseconds grace);

// Waits with the windows painted until every job is with its queue or refused, at most `grace`;
// false when one is still on its way.
bool HandOversEnded(std::chrono::milliseconds grace);

} // namespace platform
