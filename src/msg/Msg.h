#pragma once

#include <QString>

class QWidget;

// Every box through which the program tells the user that something went wrong. Texts come
// from the callers; this module adds none of its own.

// Box styles: the icon beside the one OK button, in the message-box flag values the project has
// always used (stop 0x10, question 0x20, exclamation 0x30, asterisk 0x40; OK adds nothing).
enum class MsgStyle {
    Plain = 0,
    Error = 0x10,
    Question = 0x20,
    Warning = 0x30,
    Information = 0x40
};

// The window that owns every box; nullptr until the main window records itself.
QWidget* MsgOwnerHandle();
void SetMsgOwnerHandle(QWidget* owner);

// Shows a modal box with one OK button and the style's icon; returns 1 when it was closed, 0 when
// it could not be shown.
int MsgBox(const QString& text, const QString& caption, MsgStyle style);

// Warning (exclamation) and error (stop) boxes; true when the box was shown and closed.
bool MsgWarning(const char* text, const char* caption);
bool MsgError(const char* text, const char* caption);
bool MsgWarningText(const QString& text, const QString& caption);
// A question with "Ja" and "Nee"; true when the user answered "Ja".
bool MsgQuestion(const QString& text, const QString& caption);
