// The calculate command at the row limit against its unavoidable core: building the table and
// formatting every height once.

#include "bench_support.h"
#include "cases.h"

#include "calc/course_table.h"
#include "calc/format_height.h"
#include "mainwindow/VantorForm.h"
#include "mainwindow/course_grid.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <variant>

namespace bench {
namespace {

void buildAndFormat()
{
    static const calc::RegionalFormat format = DutchFormat();
    const auto parsed = calc::ParseCourseInputs({kGauge, kBottom, kTop, kDecimals}, format);
    const auto& inputs = std::get<calc::CourseInputs>(parsed);
    for (const calc::CourseRow& row : calc::BuildCourseTable(inputs)) {
        std::string text = calc::FormatHeight(row.Height, inputs.Decimals, format);
        benchmark::DoNotOptimize(text.data());
    }
}

void calculateCommand()
{
    MainWindow& window = shared().window;
    window.calculate();
    if (window.form->resultGrid().table().gridRowCount() != calc::kMaxCourseRows + 1)
        throw std::logic_error("the calculate command did not fill the table");
}

const Register calculate({"Calculate/row_limit", [] { return 1.0; },
                          [] { shared().window.clearTable(); }, calculateCommand});

const Register reference({"BuildAndFormat/row_limit", [] { return 1.0; }, {}, buildAndFormat});

} // namespace
} // namespace bench
