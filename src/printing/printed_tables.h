#pragma once

// A calculated table or a plan as the report and the rod print it: every text as the windows
// show it, in the project's mode, name and table font.

#include "calc/course_table.h"
#include "calc/plan.h"
#include "print/reports/facade_report.h"
#include "print/reports/results_report.h"
#include "print/reports/rod_report.h"

#include <optional>

struct CourseProject;
struct FacadePrint;

// Without a calculation: the report's frame with one empty row, and the gauge as typed.
ReportTable ReportTableOf(const std::optional<calc::CourseTable>& table,
                          const CourseProject& project);
// Without a calculation: a rod without courses, which the rod refuses.
RodTable RodTableOf(const std::optional<calc::CourseTable>& table, const CourseProject& project);

ReportTable PlanReportTable(const calc::Plan& plan, const CourseProject& project,
                            const calc::RegionalFormat& format);
// The drawing, both plans and the lines below them, as the Gevel window shows them.
FacadeSheet FacadeSheetOf(const FacadePrint& facade, const CourseProject& project,
                          const calc::RegionalFormat& format);

RodTable PlanRodTable(const calc::Plan& plan, const CourseProject& project,
                      const calc::RegionalFormat& format);
