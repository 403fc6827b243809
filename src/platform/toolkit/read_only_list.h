#pragma once

// The read-only lists of the Verdelen and Gevel windows: numbers right-aligned, rows 20 pixels
// high, copied like the main table.

#include "platform/toolkit/table_copy.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>

#include <vector>

constexpr int kListRowHeight = 20;

// A list of the window, items or a model of its own.
inline void SetUpList(QTableView& list, const char* name)
{
    list.setObjectName(QLatin1String(name));
    list.setEditTriggers(QAbstractItemView::NoEditTriggers);
    list.verticalHeader()->hide();
    list.verticalHeader()->setDefaultSectionSize(kListRowHeight);
    list.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    list.horizontalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    platform::AddRowCopy(list);
}

inline QTableWidget* AddList(QWidget* parent, const char* name, int columns)
{
    auto* list = new QTableWidget(0, columns, parent);
    SetUpList(*list, name);
    return list;
}

// One line of the list for each row, its cells right-aligned as numbers are.
template <class Row, class Cells>
void FillList(QTableWidget& list, const std::vector<Row>& rows, Cells cellsOf)
{
    list.setRowCount(static_cast<int>(rows.size()));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const QStringList cells = cellsOf(rows[row]);
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            list.setItem(static_cast<int>(row), column, item);
        }
    }
}
