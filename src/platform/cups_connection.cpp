#include "cups_connection.h"

#include "cups_library.h"

namespace platform {
namespace {

constexpr int kConnectMs = 5000;
constexpr double kAnswerSeconds = 15.0;

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
    cups->cupsSetPasswordCB2(declinePassword, nullptr);
    http_t* http = cups->httpConnect2(cups->cupsServer(), cups->ippPort(), nullptr, AF_UNSPEC,
                                      cups->cupsEncryption(), 1, kConnectMs, nullptr);
    // Without a time-out callback, a question that is not answered in time fails.
    if (http)
        cups->httpSetTimeout(http, kAnswerSeconds, nullptr, nullptr);
    return http;
}

} // namespace platform
