#pragma once

#include <cups/cups.h>

namespace platform {

// A connection to the print scheduler for the calling thread, whose questions give up after a
// bounded time; nullptr when it cannot be had. libcups keeps its password callback per thread,
// and without one asks on the terminal, where a program started from the desktop would wait
// unseen: this thread's callback declines, so such a question fails instead.
http_t* ConnectToScheduler();

} // namespace platform
