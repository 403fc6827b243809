#pragma once

#include <QString>

#include <exception>
#include <utility>

// The last word on an error that no command handled: an error box captioned with the
// application's title, and the program goes on.
void ReportUncaughtError(const QString& message);

// Runs one event handler so that nothing it throws leaves it: Qt does not allow exceptions to
// cross its event and signal dispatch.
template <class Handler> void RunGuarded(Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        ReportUncaughtError(QString::fromUtf8(error.what()));
    } catch (...) {
        ReportUncaughtError(QStringLiteral("Onbekende fout"));
    }
}
