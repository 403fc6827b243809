#pragma once

#include <QString>

class QWidget;

// Every box through which the program tells the user that something went wrong. Texts come
// from the callers; this module adds none of its own.

// Box styles, in the message-box flag values that the project has always used.
constexpr int MB_OK = 0;
constexpr int MB_ICONHAND = 0x10;
constexpr int MB_ICONQUESTION = 0x20;
constexpr int MB_ICONEXCLAMATION = 0x30;
constexpr int MB_ICONASTERISK = 0x40;
constexpr int MB_ICONMASK = 0xF0; // the bits that choose the icon

// The window that owns every box; nullptr until the main window records itself.
QWidget* MsgOwnerHandle();
void SetMsgOwnerHandle(QWidget* owner);

// Shows a modal box with one OK button; returns 1 when it was closed, 0 when it could not be
// shown. The icon follows the MB_ICON* bits of flags.
int MsgBox(const QString& text, const QString& caption, int flags);

// Warning (exclamation) and error (stop) boxes; true when the box was shown and closed.
bool MsgWarning(const char* text, const char* caption);
bool MsgError(const char* text, const char* caption);
bool MsgWarningText(const QString& text, const QString& caption);
// A question with "Ja" and "Nee"; true when the user answered "Ja".
bool MsgQuestion(const QString& text, const QString& caption);
