#pragma once

// The "Gevel" window: a facade set out in heads and courses at once.
//
//   TGevelForm (this file)   the bricks of both modes (the document's, shared with Verdelen), the
//                            facade's sizes, ends, first course, breakage and openings
//     -> SetOutFacade         the document's facade read, divided, laid and drawn (src/facade)
//     -> FacadeWording        the plans, the joints laid and the count in words
//     -> FacadeView           the drawing "Aanzicht"; FacadeDxf, the same drawing for CAD
//     -> PrintRequests        the sheet to scale, through the print service the windows share
//
// What is typed goes into the document at once; a line says what cannot be set out, and the
// plans and the drawing stay empty while it stands. Nothing pops up while typing.

#include "document/project_document.h"
#include "platform/files/file_dialog.h"
#include "printing/print_requests.h"

#include <QDialog>

#include <array>
#include <memory>

class FacadeView;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
struct FacadeResult;

class TGevelForm : public QDialog {
    Q_OBJECT

public:
    TGevelForm(QWidget* owner, ProjectDocument& document, PrintRequests& printing);
    ~TGevelForm() override;

    // Shows the window, or brings it to the front when it shows already.
    void showWindow();

    // "DXF opslaan": the facade at 1:1 for CAD.
    void DxfOpslaanButtonClick();
    // "Gevel afdrukken": the facade to scale at actual size, then its plans and the count.
    void GevelAfdrukkenButtonClick();

private:
    void buildBricks(QGridLayout* grid);
    void buildFacade(QGridLayout* grid);
    void buildOpenings();
    void buildResults();
    void connectAll();
    // The document's texts into the fields, without typing them back.
    void showDocument();
    void keepBricks();
    void keepFacade();
    void addOpening();
    void removeOpening();
    // The plans and the drawing made again from the document.
    void setOut();
    void showResult(const FacadeResult& result);
    void showProblem(const QString& problem);
    void saveDxf();
    static platform::FileDialogRequest dxfDialogSetup();

    ProjectDocument& m_document;
    PrintRequests& m_printing;
    // Steenbreedte, stootvoeg, voeg van, tot; then steendikte, lintvoeg, voeg van, tot.
    std::array<QLineEdit*, 4> m_headBricks{};
    std::array<QLineEdit*, 4> m_courseBricks{};
    QLineEdit* m_stoneLength = nullptr;
    QLineEdit* m_width = nullptr;
    QLineEdit* m_height = nullptr;
    QLineEdit* m_breakage = nullptr;
    QComboBox* m_leftEnd = nullptr;
    QComboBox* m_rightEnd = nullptr;
    QComboBox* m_first = nullptr;
    QTableWidget* m_openings = nullptr;
    QPushButton* m_addOpening = nullptr;
    QPushButton* m_removeOpening = nullptr;
    QLabel* m_message = nullptr;
    QTableWidget* m_heads = nullptr;
    QTableWidget* m_courses = nullptr;
    QLabel* m_joints = nullptr;
    QLabel* m_count = nullptr;
    FacadeView* m_view = nullptr;
    QWidget* m_commands = nullptr; // held while a print runs
    QComboBox* m_scale = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_saveDxf = nullptr;
    platform::FileDialog m_dxfDialog{dxfDialogSetup()};
    std::shared_ptr<const FacadeResult> m_result;
    bool m_showing = false; // the document's texts going into the fields
    bool m_placed = false;
};
