#pragma once

#include <QString>

// What changes between course mode (heights of courses) and head mode (positions of heads).
struct ModeTexts {
    QString gaugeLabel;
    QString bottomLabel;
    QString topLabel;
    QString numberHeader;
    QString heightHeader;
    QString defaultGauge;
};

inline ModeTexts CourseModeTexts()
{
    return {QStringLiteral("Vantorbel:"),   QStringLiteral("Onderhoogte:"),
            QStringLiteral("Bovenhoogte:"), QStringLiteral("Laag"),
            QStringLiteral("Hoogte"),       QStringLiteral("62,5")};
}

inline ModeTexts HeadModeTexts()
{
    return {QStringLiteral("Koppenmaat:"), QStringLiteral("Startmaat:"),
            QStringLiteral("Eindmaat:"),   QStringLiteral("Kop"),
            QStringLiteral("Maat"),        QStringLiteral("110")};
}
