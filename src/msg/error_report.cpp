#include "error_report.h"

#include "Msg.h"

#include <QGuiApplication>

void ReportUncaughtError(const QString& message)
{
    QString text = message;
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    MsgBox(text, QGuiApplication::applicationDisplayName(), MsgStyle::Error);
}
