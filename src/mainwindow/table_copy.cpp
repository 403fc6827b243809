#include "table_copy.h"

#include "course_table_model.h"

namespace {

void addLine(TableCopy& copy, const QString& number, const QString& height, const char* cell)
{
    copy.text += number + QLatin1Char('\t') + height + QLatin1Char('\n');
    copy.html += QStringLiteral("<tr><%1>%2</%1><%1>%3</%1></tr>")
                     .arg(QLatin1String(cell), number.toHtmlEscaped(), height.toHtmlEscaped());
}

} // namespace

TableCopy CopyOfRows(const CourseTableModel& table, const std::vector<int>& gridRows)
{
    TableCopy copy;
    copy.html = QStringLiteral("<table>");
    addLine(copy, table.cell(0, 0), table.cell(1, 0), "th");
    for (const int row : gridRows)
        addLine(copy, table.cell(0, row), table.cell(1, row), "td");
    copy.html += QStringLiteral("</table>");
    return copy;
}
