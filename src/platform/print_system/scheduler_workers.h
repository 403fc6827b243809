#pragma once

#include <chrono>
#include <functional>

namespace platform {

// Runs work on a thread of its own that nobody waits for: a scheduler that takes connections and
// never answers keeps a question open until its time-out, and closing the program must not wait
// for that.
void RunSchedulerWorker(std::function<void()> work);

// True once no worker started above runs any more, waiting at most grace. The program ends at
// once instead of tearing the toolkit down under a worker still inside libcups.
bool SchedulerWorkersEnded(std::chrono::milliseconds grace);

} // namespace platform
