#pragma once

// The "Verdelen" window: whole courses (or heads) between two fixed levels.
//
//   TVerdeelForm (this file)   levels, stone, joint and length rule as typed; two lists
//     -> calc::DivideLevels     the counts whose joint lies within the limits
//     -> calc::SizesThatFit     the sizes that need no cut stones for the main window's gauge
//     -> calc::FitGaugeText     the gauge text that "Overnemen" types into the main window
//
// The window reaches the main window only through its number fields and its commands, so the
// table that Overnemen makes is exactly the one those texts make when typed by hand. Its levels
// follow the main window's as they change: whichever window was typed in last wins.

#include "calc/divide_levels.h"
#include "divide_texts.h"
#include "print/reports/rod_report.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <variant>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The main window's fields the window reads, and writes on Overnemen.
struct MainWindowFields {
    QLineEdit* gauge = nullptr;
    QLineEdit* bottom = nullptr;
    QLineEdit* top = nullptr;
    QLineEdit* decimals = nullptr;
};

// The main window's commands the window runs.
struct MainWindowCommands {
    std::function<void()> calculate;
    std::function<void(const RodSource&)> printRod;
};

class TVerdeelForm : public QDialog {
    Q_OBJECT

public:
    TVerdeelForm(QWidget* owner, const MainWindowFields& mainFields, MainWindowCommands commands);

    // Shows the window with the main window's levels in its mode, or brings it to the front
    // when it shows already.
    void showFor(bool courseMode);
    // The main window's mode switch ran: the mode's texts, stone and joint, and the main
    // window's levels again.
    void setCourseMode(bool courseMode);
    // Held while a print runs: a new table must not replace the one being printed.
    QWidget* commandsPanel() const;

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
    void applyMode(bool courseMode);
    void fillLevels();
    // A main window level changed: the window's level follows.
    void followLevel(QLineEdit* windowLevel, const QLineEdit* mainLevel);
    // Makes the lists again from the texts; `remakeCounts` false keeps the chosen count when
    // only the main window's gauge changed.
    void divide(bool remakeCounts);
    void showCounts();
    void showSizes();
    QString problemText(const calc::FitError& error) const;
    QString fieldLabel(calc::FitField field) const;
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

    QLabel* m_message = nullptr;
    QLabel* m_sizesJoint = nullptr;
    QTableWidget* m_counts = nullptr;
    QTableWidget* m_sizes = nullptr;
    QWidget* m_commandsPanel = nullptr;
    QPushButton* m_takeOver = nullptr;
    QPushButton* m_printRod = nullptr;

    MainWindowFields m_main;
    MainWindowCommands m_commands;
    DivideTexts m_texts;
    bool m_courseMode = true;
    // The brick fields as typed, for the mode not shown (course mode first).
    struct KeptBrick {
        QString stone, joint, from, to;
    } m_kept[2];
    std::optional<calc::Division> m_division;
    std::optional<calc::FitError> m_error;
    bool m_placed = false;
};
