#pragma once

#include <QString>

#include <array>

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
    QString pairTab;       // "Twee hoogtes": the tab of two levels
    // What a length is built of, by calc::FitRule: the choice of the first tab and the kind of a
    // stretch. Piers and openings are a facade's; heights have only their joint.
    std::array<QString, 3> ruleItems;
    std::array<QString, 3> ruleKinds;
    QString further; // "hoger": a course line beyond a point
    QString nearer;  // "lager"
    // The rod.
    QString rodTitle; // "Lagenlat"
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
    static const ModeWords words{
        .gaugeLabel = QStringLiteral("Vantorbel:"),
        .bottomLabel = QStringLiteral("Onderhoogte:"),
        .topLabel = QStringLiteral("Bovenhoogte:"),
        .numberHeader = QStringLiteral("Laag"),
        .valueHeader = QStringLiteral("Hoogte"),
        .stoneLabel = QStringLiteral("Steendikte:"),
        .jointLabel = QStringLiteral("Lintvoeg:"),
        .countsCaption = QStringLiteral("Hele lagen"),
        .countHeader = QStringLiteral("Lagen"),
        .gaugeHeader = QStringLiteral("Lagenmaat"),
        .courses = QStringLiteral("lagen"),
        .gauge = QStringLiteral("lagenmaat"),
        .pairTab = QStringLiteral("Twee hoogtes"),
        .ruleItems = {QStringLiteral("n × maat"), QStringLiteral("n × maat − voeg"),
                      QStringLiteral("n × maat + voeg")},
        .ruleKinds = {QStringLiteral("n × maat"), QStringLiteral("− voeg"),
                      QStringLiteral("+ voeg")},
        .further = QStringLiteral("hoger"),
        .nearer = QStringLiteral("lager"),
        .rodTitle = QStringLiteral("Lagenlat"),
        .defaultGauge = QStringLiteral("62,5"),
        .defaultStone = QStringLiteral("50"),
        .defaultJoint = QStringLiteral("12,5"),
        .defaultJointFrom = QStringLiteral("10"),
        .defaultJointTo = QStringLiteral("15"),
    };
    return words;
}

inline const ModeWords& HeadModeWords()
{
    static const ModeWords words{
        .gaugeLabel = QStringLiteral("Koppenmaat:"),
        .bottomLabel = QStringLiteral("Startmaat:"),
        .topLabel = QStringLiteral("Eindmaat:"),
        .numberHeader = QStringLiteral("Kop"),
        .valueHeader = QStringLiteral("Maat"),
        .stoneLabel = QStringLiteral("Steenbreedte:"),
        .jointLabel = QStringLiteral("Stootvoeg:"),
        .countsCaption = QStringLiteral("Hele koppen"),
        .countHeader = QStringLiteral("Koppen"),
        .gaugeHeader = QStringLiteral("Koppenmaat"),
        .courses = QStringLiteral("koppen"),
        .gauge = QStringLiteral("koppenmaat"),
        .pairTab = QStringLiteral("Twee maten"),
        .ruleItems = {QStringLiteral("n × maat"), QStringLiteral("n × maat − voeg (penant)"),
                      QStringLiteral("n × maat + voeg (sparing)")},
        .ruleKinds = {QStringLiteral("n × maat"), QStringLiteral("penant"),
                      QStringLiteral("sparing")},
        .further = QStringLiteral("verder"),
        .nearer = QStringLiteral("eerder"),
        .rodTitle = QStringLiteral("Koppenlat"),
        .defaultGauge = QStringLiteral("110"),
        .defaultStone = QStringLiteral("100"),
        .defaultJoint = QStringLiteral("10"),
        .defaultJointFrom = QStringLiteral("8"),
        .defaultJointTo = QStringLiteral("12"),
    };
    return words;
}

// A label as a name: "Bovenhoogte:" is the field "Bovenhoogte".
inline QString WithoutColon(const QString& label)
{
    return label.endsWith(QLatin1Char(':')) ? label.chopped(1) : label;
}

inline const ModeWords& WordsOf(bool courseMode)
{
    return courseMode ? CourseModeWords() : HeadModeWords();
}
