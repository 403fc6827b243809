#pragma once

// The "Verdelen" window: whole courses (or heads) between two fixed levels.
//
//   TVerdeelForm (this file)   levels, stone, joint and length rule as typed; two lists
//     -> calc::DivideLevels     the counts whose joint lies within the limits
//     -> calc::SizesThatFit     the sizes that need no cut stones for the main window's gauge
//     -> calc::FitGaugeText     the gauge text that "Overnemen" types into the main window
//
// The window works on the document the windows share: it reads the levels, the decimals and the
// gauge there, keeps its bricks there, and Overnemen writes the levels and the gauge text there
// before it runs the calculate command, so the table it makes is exactly the one those texts
// make when typed by hand. Its levels follow the document's as they change: whichever window
// was typed in last wins. Its rods and plans go to the print service the windows share.

#include "calc/divide_levels.h"
#include "divide_commands.h"
#include "document/project_document.h"
#include "printing/print_requests.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <variant>
#include <vector>

class QComboBox;
class QGridLayout;
class QTabWidget;
class TFixedPointsTab;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

struct ModeWords;

class TVerdeelForm : public QDialog {
    Q_OBJECT

public:
    TVerdeelForm(QWidget* owner, ProjectDocument& document, PrintRequests& printing,
                 DivideCommands commands);

    // Shows the window with the document's levels in its mode, or brings it to the front when
    // it shows already.
    void showWindow();
    void OvernemenButtonClick();
    void LatAfdrukkenButtonClick();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The count chosen in the list with the gauge text that makes its table, or why there is
    // none (an empty text: the line says so already).
    struct Proposal {
        std::int32_t count = 0;
        calc::FittedGauge fit;
    };

    void buildInputs();
    void buildJointLimits(int row);
    void buildLists();
    void connectCommands();
    // The mode's words, its bricks and the document's levels again.
    void applyMode();
    void fillLevels();
    // The document changed: a level is followed, the decimals and the gauge make the lists again.
    void follow(ProjectField field);
    void keepBricks();
    // Makes the lists again from the texts; `remakeCounts` false keeps the chosen count when
    // only the main window's gauge changed.
    void divide(bool remakeCounts);
    void showCounts();
    void showSizes();
    QString problemText(const calc::FitError& error) const;
    QString fieldText(calc::FitField field) const;
    QLineEdit* windowField(calc::FitField field) const;
    std::variant<Proposal, QString> proposal();
    void takeOver();
    void printProposedRod();
    void placeBesideOwner();

    struct Inputs {
        QLineEdit* VerdeelOnderEdit = nullptr;
        QLineEdit* VerdeelBovenEdit = nullptr;
        QLineEdit* SteenEdit = nullptr;
        QLineEdit* VoegEdit = nullptr;
        QLineEdit* VoegVanEdit = nullptr;
        QLineEdit* VoegTotEdit = nullptr;
        QComboBox* MaatIsBox = nullptr;
    } m_inputs;

    struct Labels {
        QLabel* bottom = nullptr;
        QLabel* top = nullptr;
        QLabel* stone = nullptr;
        QLabel* joint = nullptr;
        QLabel* counts = nullptr;
    } m_labels;

    QGridLayout* m_brickGrid = nullptr;
    QGridLayout* m_pairGrid = nullptr; // the first tab: two levels
    QTabWidget* m_tabs = nullptr;
    TFixedPointsTab* m_fixedPoints = nullptr;
    QLabel* m_message = nullptr;
    QLabel* m_sizesJoint = nullptr;
    QTableWidget* m_counts = nullptr;
    QTableWidget* m_sizes = nullptr;
    QWidget* m_commandsPanel = nullptr;
    QPushButton* m_takeOver = nullptr;
    QPushButton* m_printRod = nullptr;

    ProjectDocument& m_document;
    PrintRequests& m_printing;
    DivideCommands m_commands;
    const ModeWords* m_words;
    std::optional<calc::Division> m_division;
    std::optional<calc::FitError> m_error;
    bool m_placed = false;
};
