#pragma once

// The main window, on the document and the print service the program makes once:
//
//   TVantorForm (this file)   five input texts, the mode, the toolbar commands
//     -> ProjectDocument       the texts, the mode, the table font; calculate makes the table
//     -> CourseGrid / CourseTableModel   the document's table on screen
//     -> PrintRequests         the document's table printed as the report or a rod
//
// The Verdelen and Gevel windows work on the same document and print through the same service;
// the windows never read each other's widgets. Message boxes go through Msg (src/msg); the
// desktop's dialogs and the shell's "open" through the seams of src/platform, so that tests
// drive every command without a modal window.

#include "document/project_document.h"
#include "platform/files/file_dialog.h"

#include <QWidget>

class CourseGrid;
class ClickableLabel;
class QAction;
class QLabel;
class QLineEdit;
class QToolButton;
class PrintRequests;
class THyperLabel;
class TGevelForm;
class TVerdeelForm;
struct KeyedLine;
struct ModeWords;

namespace calc {
enum class InputField;
}

class TVantorForm : public QWidget {
    Q_OBJECT

public:
    TVantorForm(ProjectDocument& document, PrintRequests& printing, QWidget* parent = nullptr);

    CourseGrid& resultGrid() const { return *m_grid; }
    bool courseMode() const;

    // Back to the header row and one empty data row.
    void ClearResultGrid();

    // Command handlers, as the toolbar calls them. Each calls one private operation below; open
    // (ToolButton1Click) and save (ToolButton2Click) are defined in project_commands.cpp, the
    // others in VantorForm.cpp.
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
    void GevelButtonClick();

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
    void showTableFont();
    // While a print runs the window takes no command and no typing.
    void holdCommands(bool held);

    void calculate();
    void focusField(calc::InputField field);
    // The mode of the mode buttons: their texts, the table headers and the mode's gauge.
    void switchMode();
    void applyMode(const ModeWords& words);
    void chooseTableFont();
    // Gives up the print jobs still on their way, saying so while the print system answers.
    void giveUpPrintJobs();
    // The "Verdelen" and "Gevel" windows, made on first use.
    void showDivideWindow();
    void showFacadeWindow();
    // The print commands: the report, and the table as a rod at full size (from the table's
    // context menu).
    void printReport();
    void printRod();
    // The open and save commands and their file dialogs; in project_commands.cpp.
    void openProject();
    void saveProject();
    void openFacade(const std::optional<std::vector<KeyedLine>>& lines);
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
        QToolButton* GevelButton = nullptr;
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
    TGevelForm* m_facade = nullptr;
    ProjectDocument& m_document;
    PrintRequests& m_printing;
    bool m_activatedBefore = false;
    QWidget* m_toolBand = nullptr;
    QWidget* m_inputBand = nullptr;
};
