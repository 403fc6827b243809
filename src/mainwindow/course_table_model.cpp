#include "course_table_model.h"

#include "document/shown_height.h"

CourseTableModel::CourseTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

QString CourseTableModel::numberAt(std::size_t index) const
{
    return m_courses.empty() ? QString() : QString::number(m_courses[index].Number);
}

QString CourseTableModel::heightAt(std::size_t index) const
{
    if (m_courses.empty())
        return {};
    return ShownHeight(m_courses[index].Height, m_decimals, m_format);
}

QString CourseTableModel::cell(int column, int gridRow) const
{
    if (gridRow < 0 || gridRow >= gridRowCount() || column < 0 || column > 1)
        return {};
    if (gridRow == 0)
        return column == 0 ? m_numberHeader : m_heightHeader;
    const auto index = static_cast<std::size_t>(gridRow - 1);
    return column == 0 ? numberAt(index) : heightAt(index);
}

void CourseTableModel::setHeaders(const QString& numberHeader, const QString& heightHeader)
{
    if (m_numberHeader == numberHeader && m_heightHeader == heightHeader)
        return;
    m_numberHeader = numberHeader;
    m_heightHeader = heightHeader;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, 1);
}

void CourseTableModel::clearRows()
{
    beginResetModel();
    m_courses = std::vector<calc::CourseRow>(); // gives the memory back, unlike clear()
    endResetModel();
}

void CourseTableModel::setCourseRows(std::vector<calc::CourseRow> rows, int decimals,
                                     const calc::RegionalFormat& format)
{
    if (rows.empty()) {
        clearRows();
        return;
    }
    beginResetModel();
    m_courses = std::move(rows);
    m_courses.shrink_to_fit();
    m_decimals = decimals;
    m_format = format;
    endResetModel();
}

int CourseTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rowTotal());
}

int CourseTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant CourseTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole) {
        const auto row = static_cast<std::size_t>(index.row());
        return index.column() == 0 ? numberAt(row) : heightAt(row);
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant CourseTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    if (section == 0)
        return m_numberHeader;
    return section == 1 ? QVariant(m_heightHeader) : QVariant();
}
