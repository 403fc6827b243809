#pragma once

// A plan of fixed points in the words of its mode: what the tab shows and what the printed plan
// and the rod print say the same way.

#include "calc/fixed_points.h"
#include "mode_words.h"

#include <QString>
#include <QStringList>

// The columns of the stretches: "Van", "Tot", "Soort", "Lagen", "Lagenmaat", "Lintvoeg",
// "Opmerking".
QStringList StretchHeaders(const ModeWords& words);

class PlanWording {
public:
    PlanWording(const calc::Plan& plan, const ModeWords& words, calc::RegionalFormat format);

    // A height with the main window's decimals.
    QString height(double value) const;
    // The point's name, or its height where it has none.
    QString pointName(std::size_t point) const;
    // "peil – dorpel".
    QString stretchName(const calc::Stretch& stretch) const;
    // The number of a line of the course list; empty for a line without one.
    static QString numberOf(const calc::PlanCourse& course);
    // The name of the point a line lands on, with the reason where its stretch has no division;
    // empty for the lines between.
    QString pointOf(const calc::PlanCourse& course) const;

    QStringList stretchCells(const calc::Stretch& stretch) const;
    // Why the stretch has no division, said within its row: "meer dan 99.998 lagen".
    QString faultText(const calc::Stretch& stretch) const;
    // The same on a line of its own, naming the stretch by its points.
    QString faultLine(const calc::Stretch& stretch) const;
    // A typed count the stretch cannot take, on a line of its own.
    QString countFaultLine(const calc::Stretch& stretch, calc::StretchFault fault,
                           std::int32_t count) const;
    // "Met één lagenmaat: 45 lagen van 62,2223", then "dorpel laag 14 op 871,11 (28,89 lager)"
    // for each point between; empty without a gauge for the whole height.
    QStringList oneGaugeLines() const;
    // The same on one line, the points after a comma each.
    QString oneGaugeLine() const;

private:
    QString listed(double value) const;
    // A value with the decimals it was typed with.
    QString asTyped(double value, const std::optional<calc::Decimal>& typed) const;
    QString faultText(calc::StretchFault fault, std::int32_t count) const;
    // The length of `count` stones alone, as typed.
    QString stonesOf(std::int32_t count) const;

    const calc::Plan& m_plan;
    const ModeWords& m_words;
    calc::RegionalFormat m_format;
};
