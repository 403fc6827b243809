#include "platform/print_system/job_watch.h"

#include "platform/print_system/cups_connection.h"
#include "platform/print_system/cups_library.h"
#include "platform/print_system/scheduler_workers.h"
#include "platform/toolkit/seam.h"

#include <QObject>

#include <algorithm>
#include <atomic>
#include <thread>

namespace platform {
namespace {

using namespace std::chrono_literals;

// How long a job is followed. Most jobs leave the queue within seconds, so the first questions
// come quickly and later ones, for a job that waits, ever less often.
constexpr auto kFollowFor = 30s;
constexpr std::chrono::milliseconds kFirstPause = 500ms;
constexpr std::chrono::milliseconds kLongestPause = 5s;

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

bool hasKeyword(const CupsLibrary& cups, ipp_attribute_t* attribute, const char* keyword)
{
    for (int i = 0; i < cups.ippGetCount(attribute); ++i)
        if (qstrcmp(cups.ippGetString(attribute, i, nullptr), keyword) == 0)
            return true;
    return false;
}

// A watcher's questions through libcups, each for the few attributes it needs.
class CupsQuestions final : public JobWatchScheduler::Questions {
public:
    explicit CupsQuestions(const CupsLibrary& cups)
        : m_cups(cups)
    {
    }
    ~CupsQuestions() override { hangUp(); }
    CupsQuestions(const CupsQuestions&) = delete;
    CupsQuestions& operator=(const CupsQuestions&) = delete;

    JobAnswer job(int id) override
    {
        if (!m_http)
            m_http = ConnectToScheduler();
        if (!m_http)
            return {JobAnswer::Kind::Down};
        const auto asked = std::chrono::steady_clock::now();
        ipp_t* response =
            m_cups.cupsDoRequest(m_http,
                                 NewQuestion(IPP_OP_GET_JOB_ATTRIBUTES, "job-uri",
                                             "ipp://localhost/jobs/" + QByteArray::number(id),
                                             {"job-state", "job-state-reasons"}),
                                 "/jobs/");
        const ipp_status_t status = m_cups.cupsLastError();
        JobAnswer answer;
        ipp_attribute_t* state = m_cups.ippFindAttribute(response, "job-state", IPP_TAG_ENUM);
        if (status == IPP_STATUS_ERROR_NOT_FOUND) {
            answer.kind = JobAnswer::Kind::Gone;
        } else if (Accepted(status) && state) {
            answer.kind = JobAnswer::Kind::State;
            answer.state = static_cast<ipp_jstate_t>(m_cups.ippGetInteger(state, 0));
            answer.printerStopped = hasKeyword(
                m_cups, m_cups.ippFindAttribute(response, "job-state-reasons", IPP_TAG_KEYWORD),
                "printer-stopped");
        } else if (!response) {
            // libcups connects again by itself and says nothing of it, so a question that
            // failed before its time-out lost its scheduler: one that stopped or restarts.
            hangUp();
            if (std::chrono::steady_clock::now() - asked < kSchedulerAnswerTimeOut)
                answer.kind = JobAnswer::Kind::Down;
        }
        m_cups.ippDelete(response);
        return answer;
    }

    std::optional<bool> printerStopped(const QByteArray& queue) override
    {
        if (!m_http)
            return std::nullopt;
        ipp_t* response =
            m_cups.cupsDoRequest(m_http,
                                 NewQuestion(IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri",
                                             "ipp://localhost/printers/" + queue,
                                             {"printer-state", "printer-state-reasons"}),
                                 "/");
        std::optional<bool> stopped;
        ipp_attribute_t* state = m_cups.ippFindAttribute(response, "printer-state", IPP_TAG_ENUM);
        if (Accepted(m_cups.cupsLastError()) && state)
            stopped = m_cups.ippGetInteger(state, 0) == IPP_PSTATE_STOPPED ||
                      hasKeyword(m_cups,
                                 m_cups.ippFindAttribute(response, "printer-state-reasons",
                                                         IPP_TAG_KEYWORD),
                                 "paused");
        m_cups.ippDelete(response);
        return stopped;
    }

private:
    void hangUp()
    {
        if (m_http)
            m_cups.httpClose(m_http);
        m_http = nullptr;
    }

    const CupsLibrary& m_cups;
    http_t* m_http = nullptr;
};

class DesktopJobWatchScheduler final : public JobWatchScheduler {
public:
    std::unique_ptr<Questions> questions() override
    {
        const CupsLibrary* cups = Cups();
        if (!cups)
            return nullptr;
        return std::make_unique<CupsQuestions>(*cups);
    }
    std::chrono::steady_clock::time_point now() override
    {
        return std::chrono::steady_clock::now();
    }
    void pause(std::chrono::milliseconds duration) override
    {
        std::this_thread::sleep_for(duration);
    }
};

// What a job's state means to the user; empty: nothing to tell (yet). The printer is asked only
// for a job that waits, since a stopped printer is then the cause the user can do something about.
QString stateMessage(const JobAnswer& job, JobWatchScheduler::Questions& ask,
                     const QByteArray& queue)
{
    const QString name = QString::fromUtf8(queue);
    const auto printerStopped = [&] {
        return job.printerStopped || ask.printerStopped(queue).value_or(false);
    };
    const QString waitsOnPrinter =
        QStringLiteral("De printer %1 is gestopt: de afdruk wacht.").arg(name);
    switch (job.state) {
    case IPP_JSTATE_PENDING:
        return printerStopped() ? waitsOnPrinter : QString();
    case IPP_JSTATE_HELD:
        return printerStopped()
                   ? waitsOnPrinter
                   : QStringLiteral("De afdruk op printer %1 wordt vastgehouden.").arg(name);
    case IPP_JSTATE_STOPPED:
        return printerStopped() ? waitsOnPrinter
                                : QStringLiteral("De afdruk op printer %1 is gestopt.").arg(name);
    case IPP_JSTATE_CANCELED:
        return QStringLiteral("De afdruk op printer %1 is geannuleerd.").arg(name);
    case IPP_JSTATE_ABORTED:
        return QStringLiteral("De afdruk op printer %1 is afgebroken.").arg(name);
    default:
        return {};
    }
}

// Tells at most one thing about the job, and nothing of a job that printed or left the queue.
void follow(const QByteArray& queue, int id)
{
    const QString name = QString::fromUtf8(queue);
    const QString lost =
        QStringLiteral("Vantorbel kan de afdruk op %1 niet meer volgen.").arg(name);
    JobWatchScheduler& scheduler = Seam<JobWatchScheduler>::get();
    const std::unique_ptr<JobWatchScheduler::Questions> ask = scheduler.questions();
    if (!ask) {
        TellAboutPrintJob(lost);
        return;
    }
    const auto until = scheduler.now() + kFollowFor;
    std::chrono::milliseconds pause = kFirstPause;
    // The scheduler went away after taking the job; one that comes back starts its jobs anew
    // or has lost them, and only the queue itself can tell the user which.
    bool wentAway = false;
    while (listening()) {
        const JobAnswer answer = ask->job(id);
        if (answer.kind == JobAnswer::Kind::Down) {
            wentAway = true;
        } else if (wentAway) {
            TellAboutPrintJob(QStringLiteral("De printerservice is opnieuw gestart; kijk in de "
                                             "afdrukwachtrij van %1 of de afdruk nog komt.")
                                  .arg(name));
            return;
        } else if (answer.kind == JobAnswer::Kind::Unanswered) {
            TellAboutPrintJob(lost);
            return;
        } else if (answer.kind == JobAnswer::Kind::Gone || answer.state == IPP_JSTATE_COMPLETED) {
            return;
        } else if (const QString message = stateMessage(answer, *ask, queue); !message.isEmpty()) {
            TellAboutPrintJob(message);
            return;
        }
        if (scheduler.now() + pause >= until)
            break;
        scheduler.pause(pause);
        pause = std::min(pause * 2, kLongestPause);
    }
    if (wentAway && listening())
        TellAboutPrintJob(QStringLiteral("De printerservice is gestopt; kijk in de afdrukwachtrij "
                                         "van %1 of de afdruk nog komt zodra die weer draait.")
                              .arg(name));
}

} // namespace

template <> JobWatchScheduler& Seam<JobWatchScheduler>::desktop()
{
    static DesktopJobWatchScheduler scheduler;
    return scheduler;
}

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
