#pragma once

#include <QString>

#include <concepts>

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

// `handler` as a slot that runs guarded, with the signal's arguments: every command of every
// window is connected through it.
template <class Handler> auto Guarded(Handler handler)
{
    // Constrained, so that Qt finds how many of the signal's arguments the handler takes.
    return [handler = std::move(handler)]<class... Arguments>(
        Arguments && ... arguments) requires std::invocable<Handler&, Arguments...>
    {
        RunGuarded([&] { handler(std::forward<Arguments>(arguments)...); });
    };
}
