#pragma once

#include <cups/cups.h>

namespace platform {

// libcups keeps its password callback per thread and, without one, asks on the terminal, where a
// program started from the desktop would wait unseen. Declines such questions on the calling
// thread, so they fail instead; every thread that reaches libcups, also through Qt's print
// support, calls this first.
void DeclinePasswordQuestions();

// A connection to the print scheduler for the calling thread, whose questions give up after a
// bounded time; nullptr when it cannot be had. Declines password questions on this thread. Once
// there is a connection, libcups is open (cups_library.h).
http_t* ConnectToScheduler();

} // namespace platform
