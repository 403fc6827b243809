// The job watcher against a scheduler that answers from a script, on a clock of its own.
#include "platform/print_system/job_watch.h"
#include "platform/print_system/scheduler_workers.h"

#include <QCoreApplication>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

using platform::JobAnswer;
using Kind = JobAnswer::Kind;
using Questions = platform::JobWatchScheduler::Questions;

struct Script final : platform::JobWatchScheduler, Questions {
    std::vector<JobAnswer> answers; // one a question, the last one again and again
    bool stopped = false;
    std::vector<double> jobAsked, printerAsked; // seconds into the watch
    std::chrono::milliseconds elapsed{0};

    JobAnswer job(int id) override
    {
        EXPECT_EQ(id, 7);
        jobAsked.push_back(elapsed.count() / 1000.0);
        return answers[std::min(jobAsked.size(), answers.size()) - 1];
    }
    std::optional<bool> printerStopped(const QByteArray& queue) override
    {
        EXPECT_EQ(queue, "PDF");
        printerAsked.push_back(elapsed.count() / 1000.0);
        return stopped;
    }
    std::unique_ptr<::Questions> questions() override
    {
        struct Forward final : ::Questions {
            Script& to;
            explicit Forward(Script& script)
                : to(script)
            {
            }
            JobAnswer job(int id) override { return to.job(id); }
            std::optional<bool> printerStopped(const QByteArray& q) override
            {
                return to.printerStopped(q);
            }
        };
        return std::make_unique<Forward>(*this);
    }
    std::chrono::steady_clock::time_point now() override
    {
        return std::chrono::steady_clock::time_point(elapsed);
    }
    void pause(std::chrono::milliseconds duration) override { elapsed += duration; }
};

// What the user is told of job 7 on the instance "PDF/dubbel" of the queue PDF.
QStringList watch(Script& script)
{
    const platform::ScopedStandIn<platform::JobWatchScheduler> standIn(script);
    QStringList told;
    platform::SetPrintJobNotice([&told](const QString& message) { told << message; });
    platform::WatchPrintJob(QStringLiteral("PDF/dubbel"), 7);
    EXPECT_TRUE(platform::SchedulerWorkersEnded(std::chrono::seconds(5)));
    QCoreApplication::processEvents();
    platform::SetPrintJobNotice({});
    return told;
}

JobAnswer in(ipp_jstate_t state)
{
    return {Kind::State, state, false};
}

TEST(JobWatch, AsksLessOftenAndAboutThePrinterOnlyWhileTheJobWaits)
{
    Script script;
    script.answers = {in(IPP_JSTATE_PENDING), in(IPP_JSTATE_PENDING), in(IPP_JSTATE_PROCESSING)};
    EXPECT_EQ(watch(script), QStringList());
    EXPECT_EQ(script.jobAsked,
              std::vector<double>({0, 0.5, 1.5, 3.5, 7.5, 12.5, 17.5, 22.5, 27.5}));
    EXPECT_EQ(script.printerAsked, std::vector<double>({0, 0.5}));
}

// At most one message, naming the queue; nothing of a job the scheduler no longer knows (no job
// history kept, purged, too many jobs): it has left the queue.
TEST(JobWatch, TellsOnceWhatBecameOfTheJob)
{
    const QString printerStopped = QStringLiteral("De printer PDF is gestopt: de afdruk wacht.");
    const QString restarted = QStringLiteral("De printerservice is opnieuw gestart; kijk in de "
                                             "afdrukwachtrij van PDF of de afdruk nog komt.");
    const JobAnswer pending = in(IPP_JSTATE_PENDING), down{Kind::Down};
    const struct {
        std::vector<JobAnswer> answers;
        bool stopped;
        QStringList told;
    } cases[] = {
        {{pending, {Kind::Gone}}, false, {}},
        {{pending}, true, {printerStopped}},
        {{in(IPP_JSTATE_HELD)}, true, {printerStopped}},
        {{in(IPP_JSTATE_HELD)}, false, {"De afdruk op printer PDF wordt vastgehouden."}},
        {{in(IPP_JSTATE_STOPPED)}, false, {"De afdruk op printer PDF is gestopt."}},
        {{in(IPP_JSTATE_ABORTED)}, true, {"De afdruk op printer PDF is afgebroken."}},
        {{pending, down, down, {Kind::Gone}}, false, {restarted}},
        {{pending, down, pending}, false, {restarted}},
        {{pending, down},
         false,
         {"De printerservice is gestopt; kijk in de afdrukwachtrij van PDF of de afdruk nog komt "
          "zodra die weer draait."}},
        {{pending, {Kind::Unanswered}},
         false,
         {"Vantorbel kan de afdruk op PDF niet meer volgen."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told.join(u'|').toStdString());
        Script script;
        script.answers = c.answers;
        script.stopped = c.stopped;
        EXPECT_EQ(watch(script), c.told);
    }
}

} // namespace
