#include "course_grid.h"

#include "table_copy.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// The numbers are the grid's fixed first column: drawn as header cells, like the header row.
class FixedColumnDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& item,
               const QModelIndex& index) const override
    {
        QStyleOptionHeader option;
        option.initFrom(item.widget);
        option.rect = item.rect;
        option.state = QStyle::State_Enabled | QStyle::State_Raised;
        option.orientation = Qt::Vertical;
        option.position = QStyleOptionHeader::Middle;
        option.text = index.data().toString();
        option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        // The style leaves its clip on the painter, which would hide the cells after this one.
        painter->save();
        item.widget->style()->drawControl(QStyle::CE_Header, &option, painter, item.widget);
        painter->restore();
    }
};

} // namespace

CourseGrid::CourseGrid(QWidget* parent)
    : QTableView(parent)
    , m_table(new CourseTableModel(this))
{
    setModel(m_table);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Whole rows are selected, with the mouse or the keys, and copied with the copy key or
    // the context menu.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* copy = new QAction(QStringLiteral("Kopiëren"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &CourseGrid::copyRows);
    addAction(copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    setItemDelegateForColumn(0, new FixedColumnDelegate(this));

    // Hidden, it still gives every row its fixed height.
    QHeaderView* rowHeights = verticalHeader();
    rowHeights->hide();
    rowHeights->setSectionResizeMode(QHeaderView::Fixed);
    rowHeights->setMinimumSectionSize(1);
    rowHeights->setDefaultSectionSize(kRowHeight);

    QHeaderView* headers = horizontalHeader();
    headers->setSectionResizeMode(QHeaderView::Fixed);
    headers->setMinimumSectionSize(1);
    headers->setFixedHeight(kRowHeight);
    headers->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    headers->setStretchLastSection(false);
    headers->setDefaultSectionSize(kHeightColumnWidth);
    setColumnWidth(0, kNumberColumnWidth);
}

void CourseGrid::copyRows()
{
    std::vector<int> gridRows;
    for (const QModelIndex& row : selectionModel()->selectedRows())
        gridRows.push_back(row.row() + 1);
    std::sort(gridRows.begin(), gridRows.end());
    if (gridRows.empty())
        for (int row = 1; row < m_table->gridRowCount(); ++row)
            gridRows.push_back(row);
    const TableCopy copy = CopyOfRows(*m_table, gridRows);
    auto* data = new QMimeData;
    data->setText(copy.text);
    data->setHtml(copy.html);
    QGuiApplication::clipboard()->setMimeData(data);
}
