#pragma once

// The "Verdelen" window: whole courses (or heads) between two fixed levels.
//
//   TVerdeelForm (this file)   levels, stone, joint and length rule as typed; two lists
//     -> calc::DivideLevels     the counts around the nominal gauge
//     -> calc::SizesThatFit     the sizes that need no cut stones for the main window's gauge
//     -> calc::FitGaugeText     the gauge text that "Overnemen" types into the main window
//
// The window reaches the main window only through its number fields and its calculate command,
// so the table that Overnemen makes is exactly the one those texts make when typed by hand.

#include "calc/course_fit.h"
#include "divide_texts.h"
#include "print/rod_report.h"

#include <QDialog>

#include <functional>
#include <optional>

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

private:
    void buildInputs();
    void buildLists();
    void connectCommands();
    void applyMode(bool courseMode);
    void fillLevels();
    // Makes the lists again from the texts; `remakeCounts` false keeps the chosen count when
    // only the main window's gauge changed.
    void divide(bool remakeCounts);
    void showCounts();
    QString problemText(const calc::FitError& error) const;
    QLineEdit* windowField(calc::FitField field) const;
    void takeOver();
    void placeBesideOwner();

    struct Inputs {
        QLineEdit* VerdeelOnderEdit = nullptr;
        QLineEdit* VerdeelBovenEdit = nullptr;
        QLineEdit* SteenEdit = nullptr;
        QLineEdit* VoegEdit = nullptr;
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
    QTableWidget* m_counts = nullptr;
    QTableWidget* m_sizes = nullptr;
    QWidget* m_commandsPanel = nullptr;
    QPushButton* m_takeOver = nullptr;
    QPushButton* m_printRod = nullptr;

    MainWindowFields m_main;
    MainWindowCommands m_commands;
    DivideTexts m_texts;
    bool m_courseMode = true;
    // Stone and joint as typed, for the mode not shown (course mode first).
    QString m_keptStone[2];
    QString m_keptJoint[2];
    std::optional<calc::Division> m_division;
    std::optional<calc::FitError> m_error;
    bool m_placed = false;
};
