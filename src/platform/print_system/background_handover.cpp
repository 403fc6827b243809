#include "platform/print_system/background_handover.h"

#include "platform/print_system/job_watch.h"
#include "platform/toolkit/painted_wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <vector>

namespace platform {
namespace {

constexpr int kLookEveryMs = 50;

// Lives on the window's thread and looks after the workers' results there.
class HandOvers final : public QObject {
public:
    explicit HandOvers(QObject* parent)
        : QObject(parent)
    {
        connect(&m_look, &QTimer::timeout, this, &HandOvers::look);
    }

    void add(const QString& queue, std::unique_ptr<CupsHandOver> handOver)
    {
        m_pending.push_back({queue, std::move(handOver), false});
        m_look.start(kLookEveryMs);
    }

    bool pending() const { return !m_pending.empty(); }

    void giveUp()
    {
        for (Pending& job : m_pending) {
            job.givenUp = true;
            job.handOver->drop();
        }
    }

    // Takes the results in: a job the queue accepted is followed, a refusal told; nothing is
    // told of a job given up.
    void look()
    {
        for (auto job = m_pending.begin(); job != m_pending.end();) {
            const std::optional<CupsJobOutcome> outcome = job->handOver->outcome();
            if (!outcome) {
                ++job;
                continue;
            }
            if (!job->givenUp) {
                if (const int* id = std::get_if<int>(&*outcome))
                    WatchPrintJob(job->queue, *id);
                else if (const QString& refusal = std::get<QString>(*outcome); !refusal.isEmpty())
                    TellAboutPrintJob(refusal);
            }
            job = m_pending.erase(job);
        }
        if (m_pending.empty())
            m_look.stop();
    }

private:
    struct Pending {
        QString queue;
        std::unique_ptr<CupsHandOver> handOver;
        bool givenUp = false;
    };
    std::vector<Pending> m_pending;
    QTimer m_look;
};

HandOvers& handOvers()
{
    // Goes with the application, so that no timer outlives it.
    static QPointer<HandOvers> current;
    if (!current)
        current = new HandOvers(QCoreApplication::instance());
    return *current;
}

bool waitForHandOvers(std::chrono::milliseconds grace)
{
    HandOvers& jobs = handOvers();
    const QDeadlineTimer deadline(grace);
    WaitWithWindowsPainted([&] {
        jobs.look();
        return !jobs.pending() || deadline.hasExpired();
    });
    return !jobs.pending();
}

} // namespace

void HandOverInBackground(CupsJobRequest request, int descriptor)
{
    const QString queue = request.queue;
    handOvers().add(queue, std::make_unique<CupsHandOver>(std::move(request), descriptor));
}

bool HandOverPending()
{
    return handOvers().pending();
}

bool GiveUpHandOvers(std::chrono::milliseconds grace)
{
    handOvers().giveUp();
    return waitForHandOvers(grace);
}

bool HandOversEnded(std::chrono::milliseconds grace)
{
    return waitForHandOvers(grace);
}

} // namespace platform
