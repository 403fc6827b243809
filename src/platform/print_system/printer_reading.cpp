#include "platform/print_system/printer_reading.h"

#include "platform/print_system/cups_connection.h"
#include "platform/print_system/desktop_printer.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <future>
#include <memory>
#include <utility>
#include <vector>

namespace platform {
namespace {

// Touched by the GUI thread only; the worker owns nothing but its result.
struct Reading {
    // Waiting for a window's first frame before the worker starts.
    bool deferred = false;
    std::future<std::unique_ptr<DesktopPrinter>> printer;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> waiting;
};

Reading& reading()
{
    static Reading state;
    return state;
}

bool stillReading()
{
    const auto& printer = reading().printer;
    return reading().deferred || (printer.valid() && printer.wait_for(std::chrono::seconds(0)) !=
                                                         std::future_status::ready);
}

void runWaiting()
{
    // Qt's print support asks the scheduler on the thread that read the printer and from now on
    // on this one too (the set-up dialog, the queue's location): neither may wait for a
    // password. libcups is loaded by now, so opening it here costs nothing.
    DeclinePasswordQuestions();
    auto waiting = std::exchange(reading().waiting, {});
    for (auto& [context, whenKnown] : waiting) {
        if (context)
            whenKnown();
    }
}

// Lives on the GUI thread: the worker's "done" is delivered to it as a queued call.
QObject& doneReceiver()
{
    static QObject receiver;
    return receiver;
}

// Tells the GUI thread when the worker leaves, also when reading failed.
class DoneNotice {
public:
    explicit DoneNotice(QObject* receiver)
        : m_receiver(receiver)
    {
    }
    ~DoneNotice() { QMetaObject::invokeMethod(m_receiver, runWaiting, Qt::QueuedConnection); }
    DoneNotice(const DoneNotice&) = delete;
    DoneNotice& operator=(const DoneNotice&) = delete;

private:
    QObject* m_receiver;
};

// Qt's CUPS plugin sets its own password callback, a dialog, on the thread that loads it with the
// first printer; on a worker that dialog would be built off the GUI thread. Declining before the
// printer covers a thread where the plugin is loaded already, declining after it the one that
// loads it.
std::unique_ptr<DesktopPrinter> readPrinter()
{
    DeclinePasswordQuestions();
    auto printer = std::make_unique<DesktopPrinter>();
    DeclinePasswordQuestions();
    return printer;
}

void startReading()
{
    auto& printer = reading().printer;
    reading().deferred = false;
    if (printer.valid())
        return;
    QObject* receiver = &doneReceiver();
    printer = std::async(std::launch::async, [receiver] {
        const DoneNotice notice(receiver);
        return readPrinter();
    });
}

// Starts the reading once the window it watches has painted its first frame.
class AfterFirstFrame final : public QObject {
public:
    explicit AfterFirstFrame(QWidget& window)
        : QObject(&window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Zero-time: runs once this paint is done and on screen.
            QTimer::singleShot(0, this, [this] {
                if (reading().deferred)
                    startReading();
                deleteLater();
            });
        }
        return false;
    }
};

} // namespace

DesktopPrinterReading::DesktopPrinterReading()
{
    startReading();
}

DesktopPrinterReading::DesktopPrinterReading(QWidget& afterFirstFrameOf)
{
    if (reading().printer.valid())
        return;
    reading().deferred = true;
    new AfterFirstFrame(afterFirstFrameOf);
}

DesktopPrinterReading::~DesktopPrinterReading()
{
    if (reading().printer.valid())
        reading().printer.wait();
}

bool DesktopPrinterReading::finished(std::chrono::milliseconds grace) const
{
    const auto& printer = reading().printer;
    return !printer.valid() || printer.wait_for(grace) == std::future_status::ready;
}

void WhenPrinterKnown(QObject* context, std::function<void()> whenKnown)
{
    if (stillReading() || !reading().waiting.empty())
        reading().waiting.emplace_back(context, std::move(whenKnown));
    else
        whenKnown();
}

template <> PrinterService& Seam<PrinterService>::desktop()
{
    static const std::unique_ptr<DesktopPrinter> printer = [] {
        if (reading().deferred)
            startReading();
        auto& pending = reading().printer;
        return pending.valid() ? pending.get() : readPrinter();
    }();
    return *printer;
}

} // namespace platform
