#include "Msg.h"

#include "platform/toolkit/busy_cursor.h"
#include "platform/toolkit/message_box.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {

QPointer<QWidget>& ownerSlot()
{
    static QPointer<QWidget> owner;
    return owner;
}

// Before the main window recorded itself, the box belongs to whichever of the application's
// windows is in front, the way a toolkit falls back to its main form.
QWidget* boxOwner()
{
    if (QWidget* owner = ownerSlot())
        return owner;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            return window;
    return nullptr;
}

platform::BoxIcon iconOf(MsgStyle style)
{
    switch (style) {
    case MsgStyle::Error:
        return platform::BoxIcon::Error;
    case MsgStyle::Question:
        return platform::BoxIcon::Question;
    case MsgStyle::Warning:
        return platform::BoxIcon::Warning;
    case MsgStyle::Information:
        return platform::BoxIcon::Information;
    case MsgStyle::Plain:
        break;
    }
    return platform::BoxIcon::None;
}

} // namespace

QWidget* MsgOwnerHandle()
{
    return ownerSlot();
}

void SetMsgOwnerHandle(QWidget* owner)
{
    ownerSlot() = owner;
}

int MsgBox(const QString& text, const QString& caption, MsgStyle style)
{
    const platform::WaitingForTheUser waiting;
    return platform::Seam<platform::MessageBoxPresenter>::get().present(boxOwner(), text, caption,
                                                                        iconOf(style));
}

bool MsgWarning(const char* text, const char* caption)
{
    return MsgBox(QString::fromUtf8(text), QString::fromUtf8(caption), MsgStyle::Warning) == 1;
}

bool MsgError(const char* text, const char* caption)
{
    return MsgBox(QString::fromUtf8(text), QString::fromUtf8(caption), MsgStyle::Error) == 1;
}

bool MsgWarningText(const QString& text, const QString& caption)
{
    return MsgBox(text, caption, MsgStyle::Warning) == 1;
}

bool MsgQuestion(const QString& text, const QString& caption)
{
    const platform::WaitingForTheUser waiting;
    return platform::Seam<platform::MessageBoxPresenter>::get().ask(boxOwner(), text, caption);
}
