#pragma once

#include <QString>

#include <vector>

class QAbstractItemModel;
class QTableView;

namespace platform {

// Rows of a table as a spreadsheet takes them from the clipboard: plain text with a tab between
// the cells and a line feed after each line, and the same as an HTML table.
struct TableCopy {
    QString text;
    QString html;
};

// The header line, then the given rows of the model (in the order given), each cell as the
// table shows it.
TableCopy CopyOfRows(const QAbstractItemModel& model, const std::vector<int>& rows);

// Gives a read-only table the copy key and a "Kopiëren" item in its context menu: the selected
// rows, or the whole table when none is selected, go to the clipboard with the header line.
void AddRowCopy(QTableView& view);

} // namespace platform
