// The Verdelen window's plan of fixed points printed: as the results report with the stretches
// first and the point names beside their courses, or as a rod with the names at their lines.

#include "VantorForm.h"

#include "divide/plan_wording.h"
#include "document/mode_words.h"
#include "platform/toolkit/regional_settings.h"

void TVantorForm::printPlan(const calc::Plan& plan)
{
    printReportOf([this, &plan] { return planReportTable(plan); });
}

ReportTable TVantorForm::planReportTable(const calc::Plan& plan) const
{
    const ModeWords& words = WordsOf(m_document.project().courseMode);
    const calc::RegionalFormat format = platform::CurrentRegionalFormat();
    const PlanWording wording(plan, words, format);
    ReportTable table = reportTableFrame();
    table.rows.reserve(plan.courses.size());
    for (const calc::PlanCourse& course : plan.courses)
        table.rows.push_back({PlanWording::numberOf(course), wording.height(course.height),
                              wording.pointOf(course)});
    table.decimalSeparator = QString::fromStdString(format.decimalSeparator);
    PlanSummary summary{StretchHeaders(words), {}, wording.oneGaugeLines()};
    for (const calc::Stretch& stretch : plan.stretches)
        summary.stretches.push_back(wording.stretchCells(stretch));
    table.plan = std::move(summary);
    return table;
}

void TVantorForm::printPlanRod(const calc::Plan& plan)
{
    const PlanWording wording(plan, WordsOf(m_document.project().courseMode),
                              platform::CurrentRegionalFormat());
    RodTable table = rodTableFrame();
    table.gauge = QStringLiteral("vaste punten");
    for (const calc::PlanCourse& course : plan.courses)
        table.courses.push_back({course.height, PlanWording::numberOf(course),
                                 wording.height(course.height), wording.pointOf(course)});
    printRodTable(table);
}
