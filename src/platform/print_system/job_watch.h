#pragma once

#include "platform/toolkit/seam.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include <cups/cups.h>

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

// What one question about the job brought.
struct JobAnswer {
    enum class Kind {
        State,      // the scheduler told the job's state
        Gone,       // the scheduler no longer knows the job: it has left the queue
        Down,       // no scheduler takes connections: stopped, or on its way back
        Unanswered, // connected, but no answer in time, or one that says nothing of the job
    };
    Kind kind = Kind::Unanswered;
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    bool printerStopped = false; // one of the job's reasons
};

// The scheduler as a watcher asks it, and the watcher's clock; tests stand in for them
// (toolkit/seam.h). Every watcher asks from its own worker thread.
class JobWatchScheduler {
public:
    // The questions of one watcher, on a connection of its own.
    class Questions {
    public:
        virtual ~Questions() = default;
        virtual JobAnswer job(int id) = 0;
        // Whether the queue is stopped; nothing when the scheduler did not say.
        virtual std::optional<bool> printerStopped(const QByteArray& queue) = 0;
    };

    virtual ~JobWatchScheduler() = default;
    // Nothing when libcups cannot be had.
    virtual std::unique_ptr<Questions> questions() = 0;
    virtual std::chrono::steady_clock::time_point now() = 0;
    virtual void pause(std::chrono::milliseconds duration) = 0;
};
template <> JobWatchScheduler& Seam<JobWatchScheduler>::desktop();

} // namespace platform
