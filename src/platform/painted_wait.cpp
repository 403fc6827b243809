#include "painted_wait.h"

#include <QApplication>
#include <QEventLoop>
#include <QInputEvent>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace platform {
namespace {

constexpr int kLookEveryMs = 20;

// Takes the keyboard and the mouse away from the windows open when the wait began. QEventLoop's
// own ExcludeUserInputEvents would hold back the window system's "close" too, and the program
// could not be closed while it waits. A window opened during the wait (a message about an earlier
// print job) keeps them: it has to be answered before the wait can end.
class CommandsHeldBack final : public QObject {
public:
    CommandsHeldBack()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            m_windows.insert(window);
            if (window->windowHandle())
                m_windows.insert(window->windowHandle());
        }
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (!dynamic_cast<QInputEvent*>(event))
            return false;
        return m_windows.contains(
            receiver->isWidgetType() ? static_cast<QWidget*>(receiver)->window() : receiver);
    }

private:
    QSet<QObject*> m_windows;
};

} // namespace

bool WaitWithWindowsPainted(const std::function<bool()>& done)
{
    if (done())
        return true;
    const CommandsHeldBack heldBack;
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    look.start(kLookEveryMs);
    // Also ends when the program is told to quit: that ends every running event loop.
    loop.exec();
    return done();
}

} // namespace platform
