#pragma once

#include <QApplication>
#include <QInputEvent>
#include <QObject>
#include <QSet>
#include <QWidget>
#include <QWindow>

namespace platform {

// Takes the keyboard and the mouse away from the windows open now, for as long as it lives, while
// events are processed: the windows paint, and the window system's "close" reaches them, which
// QEventLoop's own ExcludeUserInputEvents would hold back too, so that the program could not be
// closed meanwhile. A window opened later (a message about an earlier print job) keeps them: it
// has to be answered.
class InputHeldBack final : public QObject {
public:
    InputHeldBack()
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

} // namespace platform
