#include "platform/print_system/job_watch.h"

#include "platform/print_system/cups_connection.h"
#include "platform/print_system/cups_library.h"
#include "platform/print_system/scheduler_workers.h"

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

struct JobState {
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    bool printerStopped = false; // one of the job's reasons
};

// The job's state, as the scheduler tells it to the job's owner; nothing when the scheduler
// cannot tell (an error, or the job is gone).
std::optional<JobState> jobState(const CupsLibrary& cups, http_t* http, int id)
{
    static const char* const wanted[] = {"job-state", "job-state-reasons"};
    const QByteArray uri = "ipp://localhost/jobs/" + QByteArray::number(id);
    ipp_t* request = cups.ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                      cups.cupsUser());
    cups.ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                       std::size(wanted), nullptr, wanted);
    ipp_t* response = cups.cupsDoRequest(http, request, "/jobs/");
    std::optional<JobState> job;
    ipp_attribute_t* state = cups.ippFindAttribute(response, "job-state", IPP_TAG_ENUM);
    if (Accepted(cups.cupsLastError()) && state) {
        job.emplace();
        job->state = static_cast<ipp_jstate_t>(cups.ippGetInteger(state, 0));
        ipp_attribute_t* reasons =
            cups.ippFindAttribute(response, "job-state-reasons", IPP_TAG_KEYWORD);
        for (int i = 0; i < cups.ippGetCount(reasons); ++i)
            job->printerStopped =
                job->printerStopped ||
                qstrcmp(cups.ippGetString(reasons, i, nullptr), "printer-stopped") == 0;
    }
    cups.ippDelete(response);
    return job;
}

void follow(const QByteArray& queue, int id)
{
    const QString name = QString::fromUtf8(queue);
    const QString lost =
        QStringLiteral("Vantorbel kan de afdruk op %1 niet meer volgen.").arg(name);
    http_t* http = ConnectToScheduler();
    if (!http) {
        TellAboutPrintJob(lost);
        return;
    }
    const CupsLibrary& cups = *Cups();
    const auto until = std::chrono::steady_clock::now() + kFollowFor;
    while (std::chrono::steady_clock::now() < until && listening()) {
        const std::optional<JobState> job = jobState(cups, http, id);
        if (!job) {
            TellAboutPrintJob(lost);
            break;
        }
        if (job->state == IPP_JSTATE_COMPLETED)
            break;
        if (const QString message = jobMessage(job->state, name); !message.isEmpty()) {
            TellAboutPrintJob(message);
            break;
        }
        if (job->state == IPP_JSTATE_PENDING &&
            (job->printerStopped || printerStopped(cups, http, queue))) {
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
    // The job is on the queue, also when it went there through one of the queue's instances.
    RunSchedulerWorker([queue = SplitDestination(queue).queue, jobId] { follow(queue, jobId); });
}

} // namespace platform
