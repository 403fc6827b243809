#include "plan_wording.h"

#include "calc/format_height.h"

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
    return QString::fromStdString(calc::FormatHeight(value, m_plan.decimals, m_format));
}

// Gauges and joints as the first tab's lists show them.
QString PlanWording::listed(double value) const
{
    return QString::fromStdString(
        calc::FormatHeight(value, calc::ListDecimals(m_plan.decimals), m_format));
}

QString PlanWording::pointName(std::size_t point) const
{
    const calc::PlanPoint& fixed = m_plan.points[point];
    return fixed.name.empty() ? height(fixed.height) : QString::fromStdString(fixed.name);
}

QString PlanWording::pointOf(const calc::PlanCourse& course) const
{
    return course.point ? pointName(*course.point) : QString();
}

QStringList StretchHeaders(const ModeWords& words)
{
    return {QStringLiteral("Van"), QStringLiteral("Tot"),          words.countHeader,
            words.gaugeHeader,     WithoutColon(words.jointLabel), QStringLiteral("Opmerking")};
}

QStringList PlanWording::stretchCells(const calc::Stretch& stretch) const
{
    QStringList remarks;
    if (!stretch.withinLimits)
        remarks << QStringLiteral("buiten grenzen (%1)").arg(listed(stretch.joint));
    if (!stretch.onTarget)
        remarks << QStringLiteral("komt op ") + height(stretch.landing);
    return {pointName(stretch.from),
            pointName(stretch.to),
            QString::number(stretch.count),
            stretch.gaugeText.empty() ? listed(stretch.gauge)
                                      : QString::fromStdString(stretch.gaugeText),
            listed(stretch.joint),
            remarks.join(QStringLiteral(", "))};
}

QStringList PlanWording::oneGaugeLines() const
{
    if (!m_plan.oneGauge)
        return {};
    const calc::OneGauge& one = *m_plan.oneGauge;
    QStringList lines{QStringLiteral("%1 %2 van %3")
                          .arg(QString::number(one.count), m_words.courses,
                               QString::fromStdString(one.gaugeText))};
    for (const calc::OneGauge::Miss& miss : one.misses) {
        const QString side = miss.difference > 0   ? QStringLiteral(" hoger")
                             : miss.difference < 0 ? QStringLiteral(" lager")
                                                   : QString();
        lines << QStringLiteral("%1 %2 %3 op %4 (%5)")
                     .arg(pointName(miss.point), m_words.numberHeader.toLower(),
                          QString::number(miss.course), height(miss.height),
                          side.isEmpty() ? QStringLiteral("precies")
                                         : height(std::abs(miss.difference)) + side);
    }
    return lines;
}

QString PlanWording::oneGaugeLine() const
{
    QStringList lines = oneGaugeLines();
    if (lines.size() < 2)
        return lines.join(QString());
    const QString first = lines.takeFirst();
    return first + QStringLiteral(": ") + lines.join(QStringLiteral(", "));
}
