#include "cups_connection.h"

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
    cupsSetPasswordCB2(declinePassword, nullptr);
}

http_t* ConnectToScheduler()
{
    DeclinePasswordQuestions();
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                kConnectMs, nullptr);
    // Without a time-out callback, a question that is not answered in time fails.
    if (http)
        httpSetTimeout(http, kAnswerSeconds, nullptr, nullptr);
    return http;
}

} // namespace platform
