#pragma once

#include <QApplication>

// The program has one mouse cursor, busy or the default, and every long step ends with the
// default. Qt keeps a stack of override cursors instead: when the preview's own busy spell ended
// inside the report's, the report's hourglass came back over a window that waits for the user.
namespace platform {

inline void SetBusyCursor()
{
    if (QApplication::overrideCursor())
        QApplication::changeOverrideCursor(Qt::WaitCursor);
    else
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

inline void SetDefaultCursor()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

// The busy cursor for as long as it lives; the default cursor after it, also when the work in
// between fails.
class BusyCursor {
public:
    BusyCursor() { SetBusyCursor(); }
    ~BusyCursor() { SetDefaultCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// The default cursor while a window waits for the user (a message box, a file dialog) in the
// middle of the program's own work; the busy cursor again afterwards when it was busy before.
class WaitingForTheUser {
public:
    WaitingForTheUser()
        : m_wasBusy(QApplication::overrideCursor() != nullptr)
    {
        SetDefaultCursor();
    }
    ~WaitingForTheUser()
    {
        if (m_wasBusy)
            SetBusyCursor();
    }
    WaitingForTheUser(const WaitingForTheUser&) = delete;
    WaitingForTheUser& operator=(const WaitingForTheUser&) = delete;

private:
    bool m_wasBusy;
};

} // namespace platform
