// Linked into a program next to its unchanged main(): when the first top-level window has been
// exposed and its first expose handled (painted), prints the monotonic clock and quits, so a
// parent process measures the time from its spawn to the first shown window.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

#include <valgrind/callgrind.h>

#include <cstdio>
#include <ctime>

namespace {

class FirstExpose final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_seen && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isTopLevel() && window->isVisible()) {
                m_seen = true;
                // Zero-time: runs once the expose and the paint it starts are done.
                QTimer::singleShot(0, [] {
                    // Under callgrind the counts up to here go to their own dump.
                    CALLGRIND_DUMP_STATS_AT("first-expose");
                    timespec now{};
                    clock_gettime(CLOCK_MONOTONIC, &now);
                    std::printf("exposed %lld\n",
                                static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                    std::fflush(stdout);
                    QCoreApplication::quit();
                });
            }
        }
        return false;
    }

private:
    bool m_seen = false;
};

void installProbe()
{
    QCoreApplication::instance()->installEventFilter(new FirstExpose(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
