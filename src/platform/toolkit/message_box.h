#pragma once

#include "platform/toolkit/seam.h"

#include <QString>

class QWidget;

namespace platform {

enum class BoxIcon { None, Information, Question, Warning, Error };

// A modal box with one OK button. Returns 1 when the user closed it (OK, Escape or the close
// box all count as OK), 0 when it could not be shown.
class MessageBoxPresenter {
public:
    virtual ~MessageBoxPresenter() = default;
    virtual int present(QWidget* owner, const QString& text, const QString& caption,
                        BoxIcon icon) = 0;
    // A question with "Ja" and "Nee"; true for "Ja". Escape and the close box answer "Nee".
    virtual bool ask(QWidget* owner, const QString& text, const QString& caption) = 0;
};

template <> MessageBoxPresenter& Seam<MessageBoxPresenter>::desktop();

} // namespace platform
