#include "platform/print_system/scheduler_workers.h"

#include <atomic>
#include <thread>

namespace platform {
namespace {

std::atomic<int>& runningWorkers()
{
    static std::atomic<int> count{0};
    return count;
}

} // namespace

void RunSchedulerWorker(std::function<void()> work)
{
    // Counted before the thread exists, so that a look right after this call sees it.
    ++runningWorkers();
    std::thread([work = std::move(work)] {
        work();
        --runningWorkers();
    }).detach();
}

bool SchedulerWorkersEnded(std::chrono::milliseconds grace)
{
    const auto until = std::chrono::steady_clock::now() + grace;
    while (runningWorkers() > 0 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return runningWorkers() == 0;
}

} // namespace platform
