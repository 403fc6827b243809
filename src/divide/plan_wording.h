#pragma once

// A plan of fixed points in the words of its mode: what the tab shows and what the printed plan
// and the rod print say the same way.

#include "calc/fixed_points.h"
#include "document/mode_words.h"

#include <QString>
#include <QStringList>

// The columns of the stretches: "Van", "Tot", "Lagen", "Lagenmaat", "Lintvoeg", "Opmerking".
QStringList StretchHeaders(const ModeWords& words);

class PlanWording {
public:
    PlanWording(const calc::Plan& plan, const ModeWords& words, calc::RegionalFormat format);

    // A height with the main window's decimals.
    QString height(double value) const;
    // The point's name, or its height where it has none.
    QString pointName(std::size_t point) const;
    // The name of the point a course lands on; empty for the courses between.
    QString pointOf(const calc::PlanCourse& course) const;

    QStringList stretchCells(const calc::Stretch& stretch) const;
    // "45 lagen van 62,2223", then "dorpel laag 14 op 871,11 (28,89 lager)" for each point
    // between; empty without a gauge for the whole height.
    QStringList oneGaugeLines() const;
    // The same on one line: "45 lagen van 62,2223: dorpel laag 14 op …, …".
    QString oneGaugeLine() const;

private:
    QString listed(double value) const;

    const calc::Plan& m_plan;
    const ModeWords& m_words;
    calc::RegionalFormat m_format;
};
