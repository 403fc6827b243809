#include "plan_courses_model.h"

void PlanCoursesModel::setHeaders(const QStringList& headers)
{
    m_headers = headers;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void PlanCoursesModel::setCourses(std::shared_ptr<const calc::Plan> plan, const ModeWords& words,
                                  const calc::RegionalFormat& format)
{
    beginResetModel();
    m_wording.reset();
    m_plan = std::move(plan);
    m_wording.emplace(*m_plan, words, format);
    endResetModel();
}

void PlanCoursesModel::clear()
{
    beginResetModel();
    m_wording.reset();
    m_plan.reset();
    endResetModel();
}

int PlanCoursesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_plan ? 0 : static_cast<int>(m_plan->courses.size());
}

int PlanCoursesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant PlanCoursesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant((index.column() == 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const calc::PlanCourse& course = m_plan->courses[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case 0:
        return PlanWording::numberOf(course);
    case 1:
        return m_wording->height(course.height);
    default:
        return m_wording->pointOf(course);
    }
}

QVariant PlanCoursesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_headers.size())
        return m_headers[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}
