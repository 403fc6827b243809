#include "guarded_application.h"

#include "msg/error_report.h"

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    RunGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
