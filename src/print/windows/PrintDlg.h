#pragma once

#include <QDialog>

class CopiesSpinBox;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The print dialog: where the output goes (printer or screen), the orientation, the number of
// copies and the computer-paper bands. One instance lives for the whole run, hidden between
// uses, so every choice persists from one print to the next, also after Cancel. OK writes the
// orientation and copies to the current printer; the report reads the rest from here.
class TPrintDialog1 : public QDialog {
    Q_OBJECT

public:
    explicit TPrintDialog1(QWidget* parent = nullptr);

    // What the report reads.
    bool toScreen() const;
    bool computerPaper() const;

    // The main window's first activation switches computer paper on.
    void enableComputerPaper();

    void ShowPrinterInfo();
    void Staand1Click();
    void liggend1Click();
    void BitBtn1Click();
    void BitBtn3Click();

private:
    void FormCreate();
    // The three steps of a print dialog. From the printer into the widgets: name, location,
    // orientation and copies.
    void fillFromPrinter();
    // From the widgets into the printer, on OK: orientation and copies.
    void copyToPrinter();
    // What the widgets show and allow from their own state: the picture of the chosen
    // orientation, and OK and Setup... only once the printer is known.
    void updateWidgets();
    void showPrinterBeingRead(bool reading);
    void buildOutputGroup();
    void buildOrientationGroup();
    void buildCopiesGroup();
    void buildOptionsGroup();
    void buildButtons();

    struct Widgets {
        QGroupBox* GroupBox1 = nullptr;
        QRadioButton* Naarprinter = nullptr;
        QLabel* Printername = nullptr;
        QLabel* Location = nullptr;
        QRadioButton* NaarScherm = nullptr;
        QGroupBox* GroupBox2 = nullptr;
        QLabel* AfdrukPortret = nullptr;
        QLabel* AfdukLandschap = nullptr;
        QRadioButton* Staand1 = nullptr;
        QRadioButton* liggend1 = nullptr;
        QGroupBox* Aantal = nullptr;
        CopiesSpinBox* aantalEdit1 = nullptr;
        QGroupBox* GroupBox3 = nullptr;
        QCheckBox* ComputerPaper = nullptr;
        QPushButton* BitBtn1 = nullptr;
        QPushButton* BitBtn2 = nullptr;
        QPushButton* BitBtn3 = nullptr;
    } m_widgets;
    bool m_printerKnown = false;
};

// The one print dialog of the program, created at start-up right after the main window.
extern TPrintDialog1* PrintDialog1;
