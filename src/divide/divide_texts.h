#pragma once

#include <QString>

// What the "Verdelen" window says in course mode (heights of courses) and in head mode (heads
// along a wall).
struct DivideTexts {
    QString bottomLabel;
    QString topLabel;
    QString stoneLabel;
    QString jointLabel;
    QString countsCaption;
    QString countHeader;
    QString gaugeHeader;
    QString jointHeader;
    QString oneCourse; // "Laag", "Kop": one numbered course or head
    QString courses;   // "lagen", "koppen"
    QString gauge;     // "lagenmaat", "koppenmaat"
    // The stone and the joint by default, written with a decimal comma that becomes the regional
    // decimal separator; the nominal gauge is their sum, the main window's default gauge.
    QString defaultStone;
    QString defaultJoint;
};

inline DivideTexts CourseDivideTexts()
{
    return {QStringLiteral("Onderhoogte:"), QStringLiteral("Bovenhoogte:"),
            QStringLiteral("Steendikte:"),  QStringLiteral("Lintvoeg:"),
            QStringLiteral("Hele lagen"),   QStringLiteral("Lagen"),
            QStringLiteral("Lagenmaat"),    QStringLiteral("Lintvoeg"),
            QStringLiteral("Laag"),         QStringLiteral("lagen"),
            QStringLiteral("lagenmaat"),    QStringLiteral("50"),
            QStringLiteral("12,5")};
}

inline DivideTexts HeadDivideTexts()
{
    return {QStringLiteral("Startmaat:"),
            QStringLiteral("Eindmaat:"),
            QStringLiteral("Steenbreedte:"),
            QStringLiteral("Stootvoeg:"),
            QStringLiteral("Hele koppen"),
            QStringLiteral("Koppen"),
            QStringLiteral("Koppenmaat"),
            QStringLiteral("Stootvoeg"),
            QStringLiteral("Kop"),
            QStringLiteral("koppen"),
            QStringLiteral("koppenmaat"),
            QStringLiteral("100"),
            QStringLiteral("10")};
}
