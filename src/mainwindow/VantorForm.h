#pragma once

// The main window and the road of a calculation:
//
//   TVantorForm (this file)      five input texts, the mode, the toolbar commands
//     -> calc::ParseCourseInputs  reads and checks the texts (src/calc)
//     -> calc::BuildCourseTable   the numbered heights
//     -> CourseGrid / CourseTableModel   the table on screen, read again by printing
//
// Message boxes go through Msg (src/msg); the desktop's dialogs and the shell's "open" through
// the seams of src/platform, so that tests drive every command without a modal window.

#include "report_in_progress.h"
#include "table_font.h"

#include "calc/fixed_points.h"
#include "document/project_document.h"

#include "platform/files/file_dialog.h"
#include "print/reports/results_report.h"
#include "print/reports/rod_report.h"

#include <QWidget>

#include <functional>

class CourseGrid;
class ClickableLabel;
class QAction;
class QLabel;
class QLineEdit;
class QToolButton;
class THyperLabel;
class TVerdeelForm;
struct ModeWords;

namespace calc {
enum class InputField;
}

class TVantorForm : public QWidget {
    Q_OBJECT

public:
    explicit TVantorForm(QWidget* parent = nullptr);

    CourseGrid& resultGrid() const { return *m_grid; }
    const TableFont& tableFont() const { return m_tableFont; }
    void setTableFont(const TableFont& font);
    bool courseMode() const;

    // Back to the header row and one empty data row.
    void ClearResultGrid();
    // What the print command hands to the report: the table, its texts and its font, as they
    // stand now. In report_command.cpp.
    ReportTable reportTable() const;
    // Prints the rod of a calculation, the main table's or one it need not show (the Verdelen
    // window's), in this window's mode, project name and table font. In report_command.cpp.
    void printRodOf(const calc::CourseTable& table);
    // The Verdelen window's plan of fixed points as a report and as a rod, with this window's
    // project name and table font. In plan_print_command.cpp.
    void printPlan(const calc::Plan& plan);
    void printPlanRod(const calc::Plan& plan);

    // Command handlers, as the toolbar calls them. Each calls one private operation below; open
    // (ToolButton1Click) and save (ToolButton2Click) are defined in project_commands.cpp, print
    // (AfdrukkenButtonClick) in report_command.cpp, the others in VantorForm.cpp.
    void BerekenenButtonClick();
    void VanTorbelButtonClick();
    void ToolButton1Click();
    void ToolButton2Click();
    void GridfontButtonClick();
    void ToolButton12Click();
    void ToolButton3Click();
    void AfdrukkenButtonClick();
    void Image2Click();
    void VerdelenButtonClick();

protected:
    void changeEvent(QEvent* event) override;
    // In close_command.cpp.
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void buildToolBand();
    void buildInputBand();
    void buildTableBand();
    void buildInformationBand();
    void connectCommands();
    void connectDocument();
    QLineEdit* fieldEdit(ProjectField field) const;
    // The document's table in the grid, or the grid emptied.
    void showTable();

    void calculate();
    void focusField(calc::InputField field);
    // The mode of the mode buttons: their texts, the table headers and the mode's gauge.
    void switchMode();
    void applyMode(const ModeWords& words);
    void chooseTableFont();
    // Gives up the print jobs still on their way, saying so while the print system answers.
    void giveUpPrintJobs();
    // The "Verdelen" window, made on first use.
    void showDivideWindow();
    // The print commands: the report, and the table as a rod at full size (from the table's
    // context menu); in report_command.cpp.
    void printReport();
    void printReportOf(const std::function<ReportTable()>& tableNow);
    ReportTable planReportTable(const calc::Plan& plan) const;
    void printRod();
    void printRodTable(const RodTable& table);
    RodTable rodTableOf(const calc::CourseTable& calculated) const;
    // A rod without its courses: this window's mode, project name and font.
    RodTable rodTableFrame() const;
    // A report without its rows: this window's mode, project name and font.
    ReportTable reportTableFrame() const;
    // What takes no command while a print runs.
    std::vector<QWidget*> heldWhilePrinting() const;
    // The open and save commands and their file dialogs; in project_commands.cpp.
    void openProject();
    void saveProject();
    static platform::FileDialogRequest projectDialogSetup(bool save);

    struct Inputs {
        QLineEdit* ProjectNaamEdit = nullptr;
        QLineEdit* VantorbelEdit = nullptr;
        QLineEdit* OnderhoogteEdit = nullptr;
        QLineEdit* BovenhoogteEdit = nullptr;
        QLineEdit* DecimalenEdit = nullptr;
    } m_inputs;

    struct Labels {
        QLabel* VanTorbelLabel = nullptr;
        QLabel* OnderhoogteLabel = nullptr;
        QLabel* BovenhoogteLabel = nullptr;
    } m_labels;

    struct Commands {
        QToolButton* ToolButton12 = nullptr;
        QToolButton* ToolButton1 = nullptr;
        QToolButton* ToolButton2 = nullptr;
        QToolButton* ToolButton7 = nullptr;
        QToolButton* ToolButton9 = nullptr;
        QToolButton* ToolButton10 = nullptr;
        QToolButton* VanTorbelButton = nullptr;
        QToolButton* KoppenMaatButton = nullptr;
        QToolButton* ToolButton3 = nullptr;
        QToolButton* VerdelenButton = nullptr;
    } m_commands;

    struct Dialogs {
        platform::FileDialog OpenDialog1{projectDialogSetup(false)};
        platform::FileDialog SaveDialog1{projectDialogSetup(true)};
    } m_dialogs;

    CourseGrid* m_grid = nullptr;
    QAction* m_printRodAction = nullptr;
    ClickableLabel* m_informationPicture = nullptr;
    THyperLabel* m_makerLink = nullptr;
    TVerdeelForm* m_divide = nullptr;
    ProjectDocument m_document;
    TableFont m_tableFont;
    bool m_activatedBefore = false;
    RunningReport m_report = RunningReport::None;
    QWidget* m_toolBand = nullptr;
    QWidget* m_inputBand = nullptr;
};
