#pragma once

#include <QApplication>

// The top-level error report: whatever a handler lets escape ends that one action with an error
// box, and the program goes on. Handlers catch their own errors first; this is the last resort.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};
