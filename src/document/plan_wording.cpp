#include "plan_wording.h"

#include "problem_words.h"
#include "shown_height.h"

#include "calc/shown_value.h"

#include <cmath>

PlanWording::PlanWording(const calc::Plan& plan, const ModeWords& words,
                         calc::RegionalFormat format)
    : m_plan(plan)
    , m_words(words)
    , m_format(std::move(format))
{
}

QString PlanWording::height(double value) const
{
    return ShownHeight(value, m_plan.decimals, m_format);
}

// Gauges and joints as the first tab's lists show them.
QString PlanWording::listed(double value) const
{
    return ShownHeight(value, calc::ListDecimals(m_plan.decimals), m_format);
}

QString PlanWording::asTyped(double value, const std::optional<calc::Decimal>& typed) const
{
    return ShownHeight(value, typed ? typed->scale : m_plan.decimals, m_format);
}

QString PlanWording::pointName(std::size_t point) const
{
    const calc::PlanPoint& fixed = m_plan.points[point];
    return fixed.name.empty() ? height(fixed.height) : QString::fromStdString(fixed.name);
}

QString PlanWording::stretchName(const calc::Stretch& stretch) const
{
    return pointName(stretch.from) + QStringLiteral(" – ") + pointName(stretch.to);
}

QString PlanWording::numberOf(const calc::PlanCourse& course)
{
    return course.number ? QString::number(*course.number) : QString();
}

QString PlanWording::pointOf(const calc::PlanCourse& course) const
{
    if (!course.point)
        return {};
    if (course.fault)
        return pointName(*course.point) + QStringLiteral(" – ") +
               faultText(m_plan.stretches[*course.fault]);
    return pointName(*course.point);
}

QStringList StretchHeaders(const ModeWords& words)
{
    return {QStringLiteral("Van"),      QStringLiteral("Tot"), QStringLiteral("Soort"),
            words.countHeader,          words.gaugeHeader,     WithoutColon(words.jointLabel),
            QStringLiteral("Opmerking")};
}

QStringList PlanWording::stretchCells(const calc::Stretch& stretch) const
{
    const QString kind = m_words.ruleKinds[static_cast<std::size_t>(stretch.rule)];
    if (stretch.fault)
        return {pointName(stretch.from),
                pointName(stretch.to),
                kind,
                stretch.typed ? QString::number(stretch.count) : QString(),
                QString(),
                QString(),
                faultText(stretch)};
    QStringList remarks;
    const calc::FitInputs& bricks = m_plan.bricks;
    if (!stretch.withinLimits)
        remarks << QStringLiteral("voeg %1 buiten %2–%3")
                       .arg(listed(stretch.joint),
                            asTyped(bricks.Brick.JointFrom, bricks.Typed.JointFrom),
                            asTyped(bricks.Brick.JointTo, bricks.Typed.JointTo));
    if (!stretch.onTarget)
        remarks << QStringLiteral("komt op ") + height(stretch.landing);
    return {pointName(stretch.from),
            pointName(stretch.to),
            kind,
            QString::number(stretch.count),
            stretch.gaugeText.empty() ? listed(stretch.gauge)
                                      : QString::fromStdString(stretch.gaugeText),
            listed(stretch.joint),
            remarks.join(QStringLiteral(", "))};
}

QString PlanWording::faultText(const calc::Stretch& stretch) const
{
    return stretch.fault ? faultText(*stretch.fault, stretch.count) : QString();
}

QString PlanWording::faultText(calc::StretchFault fault, std::int32_t count) const
{
    return StretchFaultText(fault, count, stonesOf(count), m_words, m_format);
}

QString PlanWording::stonesOf(std::int32_t count) const
{
    return asTyped(count * m_plan.bricks.Brick.Stone, m_plan.bricks.Typed.Stone);
}

QString PlanWording::faultLine(const calc::Stretch& stretch) const
{
    return stretch.fault ? countFaultLine(stretch, *stretch.fault, stretch.count) : QString();
}

QString PlanWording::countFaultLine(const calc::Stretch& stretch, calc::StretchFault fault,
                                    std::int32_t count) const
{
    if (fault == calc::StretchFault::StonesFill)
        return QStringLiteral("%1 %2 passen niet tussen %3 en %4: de stenen alleen zijn al %5")
            .arg(QString::number(count), m_words.courses, pointName(stretch.from),
                 pointName(stretch.to), stonesOf(count));
    return QStringLiteral("Vak %1: %2").arg(stretchName(stretch), faultText(fault, count));
}

QStringList PlanWording::oneGaugeLines() const
{
    if (!m_plan.oneGauge)
        return {};
    const calc::OneGauge& one = *m_plan.oneGauge;
    QStringList lines{QStringLiteral("Met één %1: %2 %3 van %4")
                          .arg(m_words.gauge, QString::number(one.count), m_words.courses,
                               QString::fromStdString(one.gaugeText))};
    for (const calc::OneGauge::Miss& miss : one.misses) {
        // A course line that shows on the point is on it, whatever the last bits say.
        const QString apart = height(std::abs(miss.difference));
        const bool exact = calc::Shown(miss.difference, m_plan.decimals).digits.empty();
        const QString& side = miss.difference > 0 ? m_words.further : m_words.nearer;
        lines << QStringLiteral("%1 %2 %3 op %4 (%5)")
                     .arg(pointName(miss.point), m_words.numberHeader.toLower(),
                          QString::number(miss.course), height(miss.height),
                          exact ? QStringLiteral("precies") : apart + QLatin1Char(' ') + side);
    }
    return lines;
}

QString PlanWording::oneGaugeLine() const
{
    return oneGaugeLines().join(QStringLiteral(", "));
}
