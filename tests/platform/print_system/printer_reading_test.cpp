#include "platform/print_system/printer_reading.h"
#include "platform/print_system/printer_service.h"
#include "print/windows/PrintDlg.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QObject>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

namespace {

using namespace std::chrono_literals;

// A print scheduler that takes connections and never answers: the kernel queues them for it.
class SilentScheduler {
public:
    SilentScheduler()
        : m_path(m_folder.filePath(QStringLiteral("cups.sock")).toLocal8Bit())
    {
        m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, m_path.constData(), sizeof address.sun_path - 1);
        EXPECT_EQ(::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(m_socket, 64), 0);
    }
    ~SilentScheduler() { stop(); }

    const QByteArray& path() const { return m_path; }
    // Gone: waiting clients are refused from now on.
    void stop()
    {
        if (m_socket >= 0)
            ::close(m_socket);
        m_socket = -1;
    }

private:
    QTemporaryDir m_folder;
    QByteArray m_path;
    int m_socket = -1;
};

void processEventsFor(std::chrono::milliseconds span)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < span.count())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

QString textOf(const TPrintDialog1& dialog, const char* name)
{
    return dialog.findChild<QLabel*>(QLatin1String(name))->text();
}

bool enabled(const TPrintDialog1& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QLatin1String(name))->isEnabled();
}

TEST(DesktopPrinterReading, ASilentSchedulerDoesNotHoldUpTheWindows)
{
    SilentScheduler scheduler;
    qputenv("CUPS_SERVER", scheduler.path());
    QObject context;
    bool known = false;
    {
        const platform::DesktopPrinterReading reading;
        TPrintDialog1 dialog;
        platform::WhenPrinterKnown(&context, [&known] { known = true; });
        processEventsFor(500ms); // the window's thread goes on meanwhile
        EXPECT_FALSE(known);
        EXPECT_FALSE(reading.finished(100ms));
        // The print dialog says what it waits for, and offers only Cancel.
        EXPECT_EQ(textOf(dialog, "Printername"),
                  QStringLiteral("Printergegevens worden opgevraagd..."));
        EXPECT_EQ(textOf(dialog, "Location"), QString());
        EXPECT_FALSE(enabled(dialog, "BitBtn1"));
        EXPECT_FALSE(enabled(dialog, "BitBtn3"));
        EXPECT_TRUE(enabled(dialog, "BitBtn2"));

        scheduler.stop();
        EXPECT_TRUE(reading.finished(60s));
        processEventsFor(100ms);
        EXPECT_TRUE(known);
        EXPECT_EQ(textOf(dialog, "Printername"), QStringLiteral("PDF-bestand"));
        EXPECT_EQ(textOf(dialog, "Location"), QString());
        EXPECT_TRUE(enabled(dialog, "BitBtn1"));
        EXPECT_TRUE(enabled(dialog, "BitBtn3"));
    }
    EXPECT_EQ(platform::CurrentPrinter().deviceName(), QStringLiteral("PDF-bestand"));
}

// Start-up first: the printer is read once the main window's first frame is on screen.
TEST(DesktopPrinterReading, WaitsForTheWindowsFirstFrame)
{
    QWidget window;
    QObject context;
    bool known = false;
    const platform::DesktopPrinterReading reading(window);
    platform::WhenPrinterKnown(&context, [&known] { known = true; });
    processEventsFor(300ms);
    EXPECT_FALSE(known);
    window.show();
    QElapsedTimer clock;
    clock.start();
    while (!known && clock.elapsed() < 30000)
        processEventsFor(50ms);
    EXPECT_TRUE(known);
}

TEST(DesktopPrinterReading, WithoutAReadingWhatWaitsForThePrinterRunsAtOnce)
{
    QObject context;
    bool known = false;
    platform::WhenPrinterKnown(&context, [&known] { known = true; });
    EXPECT_TRUE(known);
}

} // namespace
