#include "job_watch.h"

#include "cups_connection.h"
#include "cups_library.h"
#include "scheduler_workers.h"

#include <QObject>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

namespace platform {
namespace {

using namespace std::chrono_literals;

// How long a job is followed, and how often the scheduler is asked.
constexpr auto kFollowFor = 30s;
constexpr auto kAskEvery = 500ms;

std::function<void(const QString&)>& notice()
{
    static std::function<void(const QString&)> current;
    return current;
}

// Whether anyone listens: read by the workers, so apart from the notice itself.
std::atomic<bool>& listening()
{
    static std::atomic<bool> flag{false};
    return flag;
}

// Lives on the GUI thread: a worker's message is delivered to it as a queued call.
QObject& receiver()
{
    static QObject object;
    return object;
}

// What a job's state means to the user; empty: nothing to tell (yet).
QString jobMessage(ipp_jstate_t state, const QString& queue)
{
    switch (state) {
    case IPP_JSTATE_HELD:
        return QStringLiteral("De afdruk op printer %1 wordt vastgehouden.").arg(queue);
    case IPP_JSTATE_STOPPED:
        return QStringLiteral("De afdruk op printer %1 is gestopt.").arg(queue);
    case IPP_JSTATE_CANCELED:
        return QStringLiteral("De afdruk op printer %1 is geannuleerd.").arg(queue);
    case IPP_JSTATE_ABORTED:
        return QStringLiteral("De afdruk op printer %1 is afgebroken.").arg(queue);
    default:
        return {};
    }
}

bool printerStopped(const CupsLibrary& cups, http_t* http, const QByteArray& queue)
{
    cups_dest_t* dest = cups.cupsGetNamedDest(http, queue.constData(), nullptr);
    if (!dest)
        return false;
    const char* state = cups.cupsGetOption("printer-state", dest->num_options, dest->options);
    const bool stopped = state && QByteArray(state) == "5";
    cups.cupsFreeDests(1, dest);
    return stopped;
}

// The job's state, as the scheduler tells it to the job's owner.
std::optional<ipp_jstate_t> jobState(const CupsLibrary& cups, http_t* http, const QByteArray& queue,
                                     int id)
{
    cups_job_t* jobs = nullptr;
    const int count = cups.cupsGetJobs2(http, &jobs, queue.constData(), 1, CUPS_WHICHJOBS_ALL);
    std::optional<ipp_jstate_t> state;
    for (int i = 0; i < count; ++i)
        if (jobs[i].id == id)
            state = jobs[i].state;
    cups.cupsFreeJobs(count, jobs);
    return state;
}

void follow(const QByteArray& queue, int id)
{
    http_t* http = ConnectToScheduler();
    if (!http)
        return;
    const CupsLibrary& cups = *Cups();
    const QString name = QString::fromUtf8(queue);
    const auto until = std::chrono::steady_clock::now() + kFollowFor;
    while (std::chrono::steady_clock::now() < until && listening()) {
        const std::optional<ipp_jstate_t> state = jobState(cups, http, queue, id);
        if (!state || *state == IPP_JSTATE_COMPLETED)
            break;
        if (const QString message = jobMessage(*state, name); !message.isEmpty()) {
            TellAboutPrintJob(message);
            break;
        }
        if (*state == IPP_JSTATE_PENDING && printerStopped(cups, http, queue)) {
            TellAboutPrintJob(
                QStringLiteral("De printer %1 is gestopt: de afdruk wacht.").arg(name));
            break;
        }
        std::this_thread::sleep_for(kAskEvery);
    }
    cups.httpClose(http);
}

} // namespace

void TellAboutPrintJob(const QString& message)
{
    QMetaObject::invokeMethod(
        &receiver(),
        [message] {
            if (notice())
                notice()(message);
        },
        Qt::QueuedConnection);
}

void SetPrintJobNotice(std::function<void(const QString& message)> notice_)
{
    receiver(); // made on the GUI thread, where the messages are delivered
    listening() = static_cast<bool>(notice_);
    notice() = std::move(notice_);
}

void WatchPrintJob(const QString& queue, int jobId)
{
    if (!listening())
        return;
    RunSchedulerWorker([queue = queue.toUtf8(), jobId] { follow(queue, jobId); });
}

} // namespace platform
