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
    QString oneCourse;      // "Laag", "Kop": one numbered course or head
    QString courses;        // "lagen", "koppen"
    QString gauge;          // "lagenmaat", "koppenmaat"
    QString mainGaugeLabel; // the main window's gauge field, which the sizes read
    // The stone, the joint and the joint limits by default, written with a decimal comma that
    // becomes the regional decimal separator; the nominal gauge, stone + joint, is the main
    // window's default gauge.
    QString defaultStone;
    QString defaultJoint;
    QString defaultJointFrom;
    QString defaultJointTo;
};

inline DivideTexts CourseDivideTexts()
{
    return {QStringLiteral("Onderhoogte:"), QStringLiteral("Bovenhoogte:"),
            QStringLiteral("Steendikte:"),  QStringLiteral("Lintvoeg:"),
            QStringLiteral("Hele lagen"),   QStringLiteral("Lagen"),
            QStringLiteral("Lagenmaat"),    QStringLiteral("Lintvoeg"),
            QStringLiteral("Laag"),         QStringLiteral("lagen"),
            QStringLiteral("lagenmaat"),    QStringLiteral("Vantorbel:"),
            QStringLiteral("50"),           QStringLiteral("12,5"),
            QStringLiteral("10"),           QStringLiteral("15")};
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
            QStringLiteral("Koppenmaat:"),
            QStringLiteral("100"),
            QStringLiteral("10"),
            QStringLiteral("8"),
            QStringLiteral("12")};
}
