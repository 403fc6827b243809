#pragma once

#include <QApplication>

// The program has one mouse cursor, busy or the default, and every long step ends with the
// default. Qt keeps a stack of override cursors instead: when the preview's own busy spell ended
// inside the report's, the report's hourglass came back over a window that waits for the user.
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
