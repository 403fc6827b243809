#pragma once

#include "calc/course_table.h"
#include "calc/regional_format.h"

#include <QAbstractTableModel>
#include <QString>

#include <vector>

// The course table as a string grid: grid row 0 holds the two headers, grid column 0 the course
// numbers, grid column 1 the formatted heights. For the view, grid row 0 is the header row and
// the other rows are the model's rows, both columns included: so a screen reader finds "Laag" or
// "Kop" as the header of the numbers, which it cannot when the numbers are row headers.
class CourseTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit CourseTableModel(QObject* parent = nullptr);

    // The grid as the rest of the program reads it, header row included.
    int gridRowCount() const { return static_cast<int>(rowTotal()) + 1; }
    QString cell(int column, int gridRow) const;

    // The rows of the last calculation with their exact heights; empty when none is shown.
    const std::vector<calc::CourseRow>& courseRows() const { return m_courses; }
    // The separators those rows are shown with.
    const calc::RegionalFormat& courseFormat() const { return m_format; }

    void setHeaders(const QString& numberHeader, const QString& heightHeader);
    // Back to the header row and one empty data row.
    void clearRows();
    // The rows of a calculation, shown with `decimals` places in `format`; none: as clearRows.
    void setCourseRows(std::vector<calc::CourseRow> rows, int decimals,
                       const calc::RegionalFormat& format);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // Without a calculation the grid keeps one empty data row, as a string grid cannot have none.
    std::size_t rowTotal() const { return m_courses.empty() ? 1 : m_courses.size(); }
    QString numberAt(std::size_t index) const;
    QString heightAt(std::size_t index) const;

    QString m_numberHeader;
    QString m_heightHeader;
    // A calculation keeps its numbers and formats a height only when it is shown or read: at
    // the row limit, formatting every row up front cost more than all the rest of the command,
    // and the texts took more memory than the numbers.
    std::vector<calc::CourseRow> m_courses;
    int m_decimals = 0;
    calc::RegionalFormat m_format;
};
