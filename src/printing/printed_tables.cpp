#include "printed_tables.h"

#include "document/course_project.h"
#include "document/facade_result.h"
#include "document/facade_words.h"
#include "document/mode_words.h"
#include "document/plan_wording.h"
#include "document/shown_height.h"

namespace {

platform::SurfaceFont SurfaceFontOf(const TableFont& table)
{
    platform::SurfaceFont font;
    font.name = table.font.family();
    font.pointSize = PointSizeOf(table.font);
    font.bold = table.font.bold();
    font.italic = table.font.italic();
    font.underline = table.font.underline();
    font.strikeOut = table.font.strikeOut();
    font.color = table.color;
    return font;
}

// A height as the table of that calculation shows it.
QString ShownHeight(double height, const calc::CourseTable& table)
{
    return ::ShownHeight(height, table.inputs.Decimals, table.format);
}

// A report without its rows: the project's mode, name and font.
ReportTable ReportFrame(const CourseProject& project)
{
    const ModeWords& words = WordsOf(project.courseMode);
    ReportTable table;
    table.numberHeader = words.numberHeader;
    table.valueHeader = words.valueHeader;
    table.projectName = project.text(ProjectField::ProjectName);
    table.font = SurfaceFontOf(project.tableFont);
    return table;
}

// A rod without its courses: the project's mode, name and font.
RodTable RodFrame(const CourseProject& project)
{
    RodTable table;
    table.words = WordsOf(project.courseMode);
    table.projectName = project.text(ProjectField::ProjectName);
    table.font = SurfaceFontOf(project.tableFont);
    return table;
}

} // namespace

ReportTable ReportTableOf(const std::optional<calc::CourseTable>& calculated,
                          const CourseProject& project)
{
    ReportTable table = ReportFrame(project);
    table.gaugeLabel = WordsOf(project.courseMode).gaugeLabel;
    if (!calculated) {
        // The table on screen without a calculation: one empty row.
        table.rows.emplace_back();
        table.gaugeText = project.text(ProjectField::Gauge);
        return table;
    }
    table.rows.reserve(calculated->rows.size());
    for (const calc::CourseRow& row : calculated->rows)
        table.rows.push_back({QString::number(row.Number), ShownHeight(row.Height, *calculated)});
    table.decimalSeparator = QString::fromStdString(calculated->format.decimalSeparator);
    table.gaugeText = QString::fromStdString(calculated->gaugeText);
    return table;
}

RodTable RodTableOf(const std::optional<calc::CourseTable>& calculated,
                    const CourseProject& project)
{
    RodTable table = RodFrame(project);
    if (!calculated)
        return table;
    const auto shown = [&calculated](double height) {
        return ShownHeight(height, *calculated);
    };
    table.gauge =
        table.words.gauge + QLatin1Char(' ') + QString::fromStdString(calculated->gaugeText);
    for (const calc::CourseRow& row : calculated->rows)
        table.courses.push_back({row.Height, QString::number(row.Number), shown(row.Height)});
    table.top = RodTable::Top{calculated->inputs.Top, shown(calculated->inputs.Top)};
    return table;
}

ReportTable PlanReportTable(const calc::Plan& plan, const CourseProject& project,
                            const calc::RegionalFormat& format)
{
    const ModeWords& words = WordsOf(project.courseMode);
    const PlanWording wording(plan, words, format);
    ReportTable table = ReportFrame(project);
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

RodTable PlanRodTable(const calc::Plan& plan, const CourseProject& project,
                      const calc::RegionalFormat& format)
{
    const PlanWording wording(plan, WordsOf(project.courseMode), format);
    RodTable table = RodFrame(project);
    table.gauge = QStringLiteral("vaste punten");
    for (const calc::PlanCourse& course : plan.courses)
        table.courses.push_back({course.height, PlanWording::numberOf(course),
                                 wording.height(course.height), wording.pointOf(course)});
    return table;
}

FacadeSheet FacadeSheetOf(const FacadePrint& print, const CourseProject& project,
                          const calc::RegionalFormat& format)
{
    const FacadeResult& result = *print.facade;
    const FacadeWording wording(result.inputs, result.plans, result.laid, format);
    FacadeSheet sheet;
    sheet.drawing = &result.drawing;
    sheet.scale = print.scale;
    sheet.headHeaders = FacadeHeadHeaders();
    for (const facade::Stretch& stretch : result.plans.heads.stretches)
        sheet.heads.push_back(wording.headCells(stretch));
    sheet.courseHeaders = FacadeCourseHeaders();
    for (const facade::Stretch& stretch : result.plans.courses.stretches)
        sheet.courses.push_back(wording.courseCells(stretch));
    sheet.lines = QStringList{wording.jointsLine(), wording.countLine()};
    sheet.projectName = project.text(ProjectField::ProjectName);
    sheet.font = SurfaceFontOf(project.tableFont);
    return sheet;
}
