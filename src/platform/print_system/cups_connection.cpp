#include "platform/print_system/cups_connection.h"

#include "platform/print_system/cups_library.h"
#include "platform/print_system/scheduler_workers.h"
#include "platform/toolkit/painted_wait.h"

#include <QDeadlineTimer>

#include <atomic>
#include <memory>

namespace platform {
namespace {

constexpr int kConnectMs = 5000;

const char* declinePassword(const char*, http_t*, const char*, const char*, void*)
{
    return nullptr;
}

} // namespace

void DeclinePasswordQuestions()
{
    if (const CupsLibrary* cups = Cups())
        cups->cupsSetPasswordCB2(declinePassword, nullptr);
}

http_t* ConnectToScheduler()
{
    const CupsLibrary* cups = Cups();
    if (!cups)
        return nullptr;
    DeclinePasswordQuestions();
    http_t* http = cups->httpConnect2(cups->cupsServer(), cups->ippPort(), nullptr, AF_UNSPEC,
                                      cups->cupsEncryption(), 1, kConnectMs, nullptr);
    // Without a time-out callback, a question that is not answered in time fails.
    if (http)
        cups->httpSetTimeout(http, std::chrono::duration<double>(kSchedulerAnswerTimeOut).count(),
                             nullptr, nullptr);
    return http;
}

ipp_t* NewQuestion(ipp_op_t operation, const char* uriName, const QByteArray& uri,
                   std::initializer_list<const char*> wanted)
{
    const CupsLibrary& cups = *Cups();
    ipp_t* request = cups.ippNewRequest(operation);
    cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, uriName, nullptr, uri.constData());
    cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                      cups.cupsUser());
    cups.ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                       static_cast<int>(wanted.size()), nullptr, std::data(wanted));
    return request;
}

Destination SplitDestination(const QString& name)
{
    const qsizetype slash = name.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return {name.toUtf8(), {}};
    return {name.left(slash).toUtf8(), name.mid(slash + 1).toUtf8()};
}

bool SchedulerAnswers(const QString& queue, std::chrono::milliseconds within)
{
    // Shared with the worker, which may go on asking long after nobody waits for it.
    auto answered = std::make_shared<std::atomic<bool>>(false);
    RunSchedulerWorker([answered, destination = SplitDestination(queue)] {
        if (http_t* http = ConnectToScheduler()) {
            const CupsLibrary& cups = *Cups();
            if (cups_dest_t* dest =
                    cups.cupsGetNamedDest(http, destination.queue.constData(), nullptr))
                cups.cupsFreeDests(1, dest);
            cups.httpClose(http);
        }
        *answered = true;
    });
    const QDeadlineTimer deadline(within);
    WaitWithWindowsPainted([&] { return *answered || deadline.hasExpired(); });
    return *answered;
}

} // namespace platform
