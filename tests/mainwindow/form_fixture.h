#pragma once

#include "mainwindow/VantorForm.h"
#include "mainwindow/course_grid.h"
#include "support/program_parts.h"
#include "support/stand_ins.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

// A shown main window with every desktop service replaced, and the user's hands: find a widget
// by its name, click a toolbar button, retype a field.
class FormFixture : public testing::Test {
protected:
    FormFixture()
    {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    template <class Widget> Widget* find(const char* name)
    {
        auto* widget = form.findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
    QString text(const char* name) { return edit(name)->text(); }
    QString label(const char* name) { return find<QLabel>(name)->text(); }
    void click(const char* button) { QTest::mouseClick(find<QToolButton>(button), Qt::LeftButton); }
    void retype(const char* name, const QString& text)
    {
        QLineEdit* field = edit(name);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    const CourseTableModel& table() { return form.resultGrid().table(); }
    const TableFont& tableFont() { return parts.document.project().tableFont; }
    QString cell(int column, int row) { return table().cell(column, row); }
    int rows() { return table().gridRowCount(); }
    void calculate() { click("ToolButton7"); }

    MessageBoxRecorder boxes;
    UrlOpenerRecorder browser;
    ProgramParts parts;
    TVantorForm form{parts.document, parts.printing};
};
