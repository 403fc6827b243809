#pragma once

#include <chrono>
#include <functional>

class QObject;
class QWidget;

namespace platform {

// Reading the system's printer loads the print system's libraries and fetches the printer's
// description from the scheduler twice: longer than building and showing the main window, and
// with a slow or remote scheduler much longer. This reads it on a worker thread while the
// windows are built and shown; the first use of the desktop printer waits for it.
// Make one after the application object and before anything asks for the printer; it has to go
// before the application object does, since the print system needs that to the end.
class DesktopPrinterReading {
public:
    // Starts reading at once.
    DesktopPrinterReading();
    // Starts reading once the window's first frame is on screen: on two cores the reading
    // otherwise competes with building and painting it. Asking for the printer before then
    // starts it at once.
    explicit DesktopPrinterReading(QWidget& afterFirstFrameOf);
    // Waits for the worker.
    ~DesktopPrinterReading();

    // True once the worker is done, waiting at most grace for it. A scheduler that takes
    // connections and never answers keeps it busy for minutes.
    bool finished(std::chrono::milliseconds grace) const;

    DesktopPrinterReading(const DesktopPrinterReading&) = delete;
    DesktopPrinterReading& operator=(const DesktopPrinterReading&) = delete;
};

// Runs whenKnown on the GUI thread once the printer can be asked without waiting for the
// reading: at once, unless the desktop printer is still being read. Dropped when context is
// destroyed first.
void WhenPrinterKnown(QObject* context, std::function<void()> whenKnown);

} // namespace platform
