#pragma once

#include <QByteArray>
#include <QString>

#include <cups/cups.h>

#include <chrono>
#include <initializer_list>

namespace platform {

// libcups keeps its password callback per thread and, without one, asks on the terminal, where a
// program started from the desktop would wait unseen. Declines such questions on the calling
// thread, so they fail instead; every thread that reaches libcups, also through Qt's print
// support, calls this first.
void DeclinePasswordQuestions();

// How long a question on a connection below waits for the scheduler's answer.
constexpr std::chrono::seconds kSchedulerAnswerTimeOut{15};

// A connection to the print scheduler for the calling thread, whose questions give up after
// kSchedulerAnswerTimeOut; nullptr when it cannot be had. Declines password questions on this
// thread. Once there is a connection, libcups is open (cups_library.h).
http_t* ConnectToScheduler();

// Whether the scheduler answers a question about the queue within the given time, asked on a
// scheduler worker while the windows keep painting. Qt's own printer dialog asks the scheduler on
// the window's thread, where one that has stopped answering would freeze every window: this
// looks first. Also true when there is no scheduler at all: then nothing waits.
bool SchedulerAnswers(const QString& queue, std::chrono::milliseconds within);

// An IPP question about a queue or a job (`uriName` "printer-uri" or "job-uri"), as the user,
// for the named attributes only; for cupsDoRequest, which frees it. libcups must be open.
ipp_t* NewQuestion(ipp_op_t operation, const char* uriName, const QByteArray& uri,
                   std::initializer_list<const char*> wanted);

// A request the scheduler carried out: besides plain success, also when it ignored or replaced
// an attribute it does not support, or settled conflicting ones itself.
constexpr bool Accepted(ipp_status_t status)
{
    return status <= IPP_STATUS_OK_CONFLICTING;
}

// A destination as Qt names it, "queue" or "queue/instance" (an instance from lpoptions): jobs go
// to the queue, and the instance only brings its own default options.
struct Destination {
    QByteArray queue;
    QByteArray instance; // empty: the queue itself
};
Destination SplitDestination(const QString& name);

} // namespace platform
