#pragma once

#include <QString>

#include <vector>

class CourseTableModel;

// Rows of the course table as a spreadsheet takes them from the clipboard: plain text with a
// tab between the two cells and a line feed after each line, and the same as an HTML table.
struct TableCopy {
    QString text;
    QString html;
};

// The header line, then the given grid rows (counted from 1, in the order given), each cell as
// the table shows it.
TableCopy CopyOfRows(const CourseTableModel& table, const std::vector<int>& gridRows);
