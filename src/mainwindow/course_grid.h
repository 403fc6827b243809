#pragma once

#include "course_table_model.h"

#include <QTableView>

// The read-only two-column table of the main window: a fixed header row and a fixed-looking
// number column, every row 20 pixels high, columns 50 and 100 pixels wide, whatever font it
// shows.
class CourseGrid : public QTableView {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 20;
    static constexpr int kNumberColumnWidth = 50;
    static constexpr int kHeightColumnWidth = 100;

    explicit CourseGrid(QWidget* parent = nullptr);

    CourseTableModel& table() { return *m_table; }
    const CourseTableModel& table() const { return *m_table; }

protected:
    void changeEvent(QEvent* event) override;

private:
    CourseTableModel* m_table;
};
