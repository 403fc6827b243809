#include "course_grid.h"

#include "platform/toolkit/table_copy.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>

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
    platform::AddRowCopy(*this);
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

void CourseGrid::changeEvent(QEvent* event)
{
    // The header row is part of the table and shows its font. Left to inherit it, the header
    // kept the window's font until the table font was chosen a second time.
    if (event->type() == QEvent::FontChange)
        horizontalHeader()->setFont(font());
    QTableView::changeEvent(event);
}
