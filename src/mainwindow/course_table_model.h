#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <cstdint>
#include <vector>

// The course table as a string grid: grid row 0 holds the two headers, grid column 0 the course
// numbers, grid column 1 the formatted heights. For the view, the numbers are the vertical
// header and the height header the horizontal one, so both stay in place while the table
// scrolls; the number header sits in the view's corner.
class CourseTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    struct Row {
        std::int32_t number = kNoNumber; // kNoNumber: an empty number cell
        QString height;
    };
    static constexpr std::int32_t kNoNumber = -1;

    explicit CourseTableModel(QObject* parent = nullptr);

    // The grid as the rest of the program reads it, header row included.
    int gridRowCount() const { return static_cast<int>(m_rows.size()) + 1; }
    QString cell(int column, int gridRow) const;
    QString numberHeader() const { return m_numberHeader; }

    void setHeaders(const QString& numberHeader, const QString& heightHeader);
    // Back to the header row and one empty data row.
    void clearRows();
    void setRows(std::vector<Row> rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

Q_SIGNALS:
    void numberHeaderChanged();

private:
    static QString numberText(const Row& row);

    QString m_numberHeader;
    QString m_heightHeader;
    std::vector<Row> m_rows{Row{}};
};
