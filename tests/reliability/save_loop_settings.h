#pragma once

#include "ini/project_settings.h"

// The two sets of inputs that save_loop writes by turns. They differ in length, so that a file
// mixed from both can never pass for either.
inline ProjectSettings SaveLoopSettings(int which)
{
    if (which == 0)
        return {QStringLiteral("Schuur"),
                QStringLiteral("62,5"),
                QStringLiteral("0"),
                QStringLiteral("1000"),
                QStringLiteral("2"),
                QStringLiteral("1"),
                {QStringLiteral("Arial"), 9, false, false, false, false}};
    return {QStringLiteral("Garage met een veel langere naam"),
            QStringLiteral("75"),
            QStringLiteral("-150"),
            QStringLiteral("2850"),
            QStringLiteral("1"),
            QStringLiteral("2"),
            {QStringLiteral("Liberation Serif"), 12, true, false, false, false}};
}
