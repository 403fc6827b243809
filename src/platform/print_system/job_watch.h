#pragma once

#include <QString>

#include <functional>

namespace platform {

// Once a job is on a print queue, nothing in the program hears of it again: a stopped printer or
// a job the scheduler held or threw away goes unnoticed. After each job, a worker follows the
// job on its queue for a while and tells what the user must know, once, through the notice set
// here (on the GUI thread). Without a notice nothing is followed.
void SetPrintJobNotice(std::function<void(const QString& message)> notice);

// Tells the user of a print job through that notice, later, on the GUI thread; from any thread.
void TellAboutPrintJob(const QString& message);

// Follows the job just handed to `queue`, on a scheduler worker (scheduler_workers.h). Workers stop
// asking when the notice is taken away; one inside a question to a scheduler that does not answer
// ends with that question's time-out.
void WatchPrintJob(const QString& queue, int jobId);

} // namespace platform
