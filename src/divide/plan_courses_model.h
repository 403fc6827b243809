#pragma once

// Every course of a plan, as a read-only list of three columns: number, height and the point it
// lands on. Heights are formatted only when shown or copied: a plan may hold the row limit of
// courses, and items made up front for all of them kept the tab waiting.

#include "document/plan_wording.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <memory>
#include <optional>

class PlanCoursesModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setHeaders(const QStringList& headers);
    void setCourses(std::shared_ptr<const calc::Plan> plan, const ModeWords& words,
                    const calc::RegionalFormat& format);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_headers;
    std::shared_ptr<const calc::Plan> m_plan;
    std::optional<PlanWording> m_wording; // of m_plan
};
