#include "course_table_model.h"

CourseTableModel::CourseTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

QString CourseTableModel::numberText(const Row& row)
{
    return row.number == kNoNumber ? QString() : QString::number(row.number);
}

QString CourseTableModel::cell(int column, int gridRow) const
{
    if (gridRow < 0 || gridRow >= gridRowCount() || column < 0 || column > 1)
        return {};
    if (gridRow == 0)
        return column == 0 ? m_numberHeader : m_heightHeader;
    const Row& row = m_rows[static_cast<std::size_t>(gridRow - 1)];
    return column == 0 ? numberText(row) : row.height;
}

void CourseTableModel::setHeaders(const QString& numberHeader, const QString& heightHeader)
{
    if (m_numberHeader != numberHeader) {
        m_numberHeader = numberHeader;
        Q_EMIT numberHeaderChanged();
    }
    if (m_heightHeader != heightHeader) {
        m_heightHeader = heightHeader;
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, 0);
    }
}

void CourseTableModel::clearRows()
{
    setRows({Row{}});
}

void CourseTableModel::setRows(std::vector<Row> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    if (m_rows.empty())
        m_rows.emplace_back();
    endResetModel();
}

int CourseTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CourseTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant CourseTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return m_rows[static_cast<std::size_t>(index.row())].height;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant CourseTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section == 0 ? QVariant(m_heightHeader) : QVariant();
    if (section < 0 || section >= rowCount())
        return {};
    return numberText(m_rows[static_cast<std::size_t>(section)]);
}
