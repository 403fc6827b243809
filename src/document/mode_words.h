#pragma once

#include <QString>

// Everything the program says differently in course mode (heights of courses) and in head mode
// (heads along a wall), with the defaults of each mode: one table per mode.
struct ModeWords {
    // The main window.
    QString gaugeLabel;   // "Vantorbel:"
    QString bottomLabel;  // "Onderhoogte:"
    QString topLabel;     // "Bovenhoogte:"
    QString numberHeader; // "Laag"
    QString valueHeader;  // "Hoogte"
    // Verdelen.
    QString stoneLabel;
    QString jointLabel;
    QString countsCaption; // "Hele lagen"
    QString countHeader;   // "Lagen"
    QString gaugeHeader;   // "Lagenmaat"
    QString courses;       // "lagen"
    QString gauge;         // "lagenmaat"
    // The defaults, written with a decimal comma that becomes the regional decimal separator:
    // the main window's gauge, and Verdelen's stone, joint and joint limits. The gauge is the
    // stone plus the joint.
    QString defaultGauge;
    QString defaultStone;
    QString defaultJoint;
    QString defaultJointFrom;
    QString defaultJointTo;
};

inline const ModeWords& CourseModeWords()
{
    static const ModeWords words{QStringLiteral("Vantorbel:"),
                                 QStringLiteral("Onderhoogte:"),
                                 QStringLiteral("Bovenhoogte:"),
                                 QStringLiteral("Laag"),
                                 QStringLiteral("Hoogte"),
                                 QStringLiteral("Steendikte:"),
                                 QStringLiteral("Lintvoeg:"),
                                 QStringLiteral("Hele lagen"),
                                 QStringLiteral("Lagen"),
                                 QStringLiteral("Lagenmaat"),
                                 QStringLiteral("lagen"),
                                 QStringLiteral("lagenmaat"),
                                 QStringLiteral("62,5"),
                                 QStringLiteral("50"),
                                 QStringLiteral("12,5"),
                                 QStringLiteral("10"),
                                 QStringLiteral("15")};
    return words;
}

inline const ModeWords& HeadModeWords()
{
    static const ModeWords words{QStringLiteral("Koppenmaat:"), QStringLiteral("Startmaat:"),
                                 QStringLiteral("Eindmaat:"),   QStringLiteral("Kop"),
                                 QStringLiteral("Maat"),        QStringLiteral("Steenbreedte:"),
                                 QStringLiteral("Stootvoeg:"),  QStringLiteral("Hele koppen"),
                                 QStringLiteral("Koppen"),      QStringLiteral("Koppenmaat"),
                                 QStringLiteral("koppen"),      QStringLiteral("koppenmaat"),
                                 QStringLiteral("110"),         QStringLiteral("100"),
                                 QStringLiteral("10"),          QStringLiteral("8"),
                                 QStringLiteral("12")};
    return words;
}

inline const ModeWords& WordsOf(bool courseMode)
{
    return courseMode ? CourseModeWords() : HeadModeWords();
}
