#include "course_grid.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QStyleOptionHeader>
#include <QStylePainter>

CourseGrid::CourseGrid(QWidget* parent)
    : QTableView(parent)
    , m_table(new CourseTableModel(this))
{
    setModel(m_table);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setCornerButtonEnabled(false);

    QHeaderView* numbers = verticalHeader();
    numbers->setSectionResizeMode(QHeaderView::Fixed);
    numbers->setMinimumSectionSize(1);
    numbers->setDefaultSectionSize(kRowHeight);
    numbers->setFixedWidth(kNumberColumnWidth);
    numbers->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    QHeaderView* headers = horizontalHeader();
    headers->setSectionResizeMode(QHeaderView::Fixed);
    headers->setMinimumSectionSize(1);
    headers->setDefaultSectionSize(kHeightColumnWidth);
    headers->setFixedHeight(kRowHeight);
    headers->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    headers->setStretchLastSection(false);

    // The corner of the two headers is the grid's first fixed cell: it shows the number header.
    m_corner = findChild<QAbstractButton*>();
    if (m_corner)
        m_corner->installEventFilter(this);
    connect(m_table, &CourseTableModel::numberHeaderChanged, this, [this] {
        if (m_corner)
            m_corner->update();
    });
}

bool CourseGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_corner && event->type() == QEvent::Paint) {
        paintCorner();
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void CourseGrid::paintCorner()
{
    QStylePainter painter(m_corner);
    QStyleOptionHeader option;
    option.initFrom(this);
    option.rect = m_corner->rect();
    option.state = QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_Horizontal;
    option.orientation = Qt::Horizontal;
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = m_table->numberHeader();
    option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    painter.drawControl(QStyle::CE_Header, option);
}
