#include "platform/toolkit/table_copy.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QTableView>

#include <algorithm>

namespace platform {
namespace {

void addLine(TableCopy& copy, const QStringList& cells, const char* cell)
{
    copy.text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    copy.html += QStringLiteral("<tr>");
    for (const QString& text : cells)
        copy.html += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(cell), text.toHtmlEscaped());
    copy.html += QStringLiteral("</tr>");
}

void copyRows(const QTableView& view)
{
    const QAbstractItemModel& model = *view.model();
    std::vector<int> rows;
    for (const QModelIndex& row : view.selectionModel()->selectedRows())
        rows.push_back(row.row());
    std::sort(rows.begin(), rows.end());
    if (rows.empty())
        for (int row = 0; row < model.rowCount(); ++row)
            rows.push_back(row);
    const TableCopy copy = CopyOfRows(model, rows);
    auto* data = new QMimeData;
    data->setText(copy.text);
    data->setHtml(copy.html);
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace

TableCopy CopyOfRows(const QAbstractItemModel& model, const std::vector<int>& rows)
{
    TableCopy copy;
    copy.html = QStringLiteral("<table>");
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column)
        cells << model.headerData(column, Qt::Horizontal).toString();
    addLine(copy, cells, "th");
    for (const int row : rows) {
        cells.clear();
        for (int column = 0; column < model.columnCount(); ++column)
            cells << model.index(row, column).data().toString();
        addLine(copy, cells, "td");
    }
    copy.html += QStringLiteral("</table>");
    return copy;
}

void AddRowCopy(QTableView& view)
{
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* copy = new QAction(QStringLiteral("Kopiëren"), &view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(copy, &QAction::triggered, &view, [&view] { copyRows(view); });
    view.addAction(copy);
    view.setContextMenuPolicy(Qt::ActionsContextMenu);
}

} // namespace platform
