#include "print/windows/PrintDlg.h"

#include "print/windows/copies_spin_box.h"

#include "msg/error_report.h"
#include "platform/fonts/font_stand_ins.h"
#include "platform/pages/svg_picture.h"
#include "platform/print_system/printer_reading.h"
#include "platform/print_system/printer_service.h"
#include "platform/toolkit/window_placement.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

TPrintDialog1* PrintDialog1 = nullptr;

namespace {

constexpr QSize kClientSize(382, 218);
constexpr int kMaxCopies = 99;

QGroupBox* addGroup(QWidget* parent, const char* name, const QString& title, QRect box)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QLatin1String(name));
    group->setGeometry(box);
    return group;
}

// Buttons keep their place; where this desktop's font or style needs more room than the box,
// they grow rather than cut their text.
void placeButton(QAbstractButton* button, const char* name, QRect box)
{
    button->setObjectName(QLatin1String(name));
    button->ensurePolished();
    box.setWidth(std::max(box.width(), button->sizeHint().width()));
    button->setGeometry(box);
}

QRadioButton* addRadio(QWidget* parent, const char* name, const QString& text, QRect box)
{
    auto* radio = new QRadioButton(text, parent);
    placeButton(radio, name, box);
    return radio;
}

QLabel* addText(QWidget* parent, const char* name, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(at);
    label->adjustSize();
    return label;
}

QLabel* addPicture(QWidget* parent, const char* name, const char* picture, QSize size, QRect box)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(box);
    label->setAlignment(Qt::AlignCenter);
    label->setPixmap(
        platform::SvgPicture(QLatin1String(picture), size, label->devicePixelRatioF()));
    return label;
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& text, QRect box)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(box);
    return button;
}

// Shown where no printer could be read.
QString designPrinterName()
{
    return QStringLiteral("Printername");
}

QString designLocation()
{
    return QStringLiteral("Location");
}

} // namespace

TPrintDialog1::TPrintDialog1(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PrintDialog1"));
    setWindowTitle(QStringLiteral("Afdrukken"));
    setFont(platform::WindowFont());
    setFixedSize(kClientSize);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    buildOutputGroup();
    buildOrientationGroup();
    buildCopiesGroup();
    buildOptionsGroup();
    buildButtons();

    const Widgets& w = m_widgets;
    QWidget* const tabChain[] = {w.Naarprinter, w.NaarScherm,  w.Staand1,
                                 w.liggend1,    w.aantalEdit1, w.BitBtn1,
                                 w.BitBtn2,     w.BitBtn3,     w.ComputerPaper};
    for (std::size_t i = 0; i + 1 < std::size(tabChain); ++i)
        setTabOrder(tabChain[i], tabChain[i + 1]);

    platform::CentreOnScreen(*this);

    // Without a usable printer the report says why at start-up, and the dialog keeps its
    // design texts, portrait and one copy.
    RunGuarded([this] { FormCreate(); });
}

void TPrintDialog1::buildOutputGroup()
{
    Widgets& w = m_widgets;
    w.GroupBox1 =
        addGroup(this, "GroupBox1", QStringLiteral("Uitvoer naar"), QRect(8, 8, 289, 105));
    w.Naarprinter =
        addRadio(w.GroupBox1, "Naarprinter", QStringLiteral("Printer"), QRect(8, 14, 113, 17));
    w.Naarprinter->setChecked(true);
    w.Printername = addText(w.GroupBox1, "Printername", designPrinterName(), QPoint(26, 32));
    w.Location = addText(w.GroupBox1, "Location", designLocation(), QPoint(26, 50));
    w.NaarScherm =
        addRadio(w.GroupBox1, "NaarScherm", QStringLiteral("Scherm"), QRect(8, 68, 113, 17));
}

void TPrintDialog1::buildOrientationGroup()
{
    Widgets& w = m_widgets;
    w.GroupBox2 =
        addGroup(this, "GroupBox2", QStringLiteral("Afdrukstand"), QRect(8, 120, 155, 93));
    w.AfdrukPortret = addPicture(w.GroupBox2, "AfdrukPortret", ":/icons/sheet_portrait.svg",
                                 QSize(27, 33), QRect(13, 21, 40, 40));
    w.AfdukLandschap = addPicture(w.GroupBox2, "AfdukLandschap", ":/icons/sheet_landscape.svg",
                                  QSize(32, 25), QRect(13, 21, 40, 40));
    w.Staand1 = addRadio(w.GroupBox2, "Staand1", QStringLiteral("Staand"), QRect(70, 20, 73, 17));
    w.Staand1->setChecked(true);
    w.liggend1 =
        addRadio(w.GroupBox2, "liggend1", QStringLiteral("Liggend"), QRect(70, 46, 65, 17));
    connect(w.Staand1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Staand1Click();
    });
    connect(w.liggend1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            liggend1Click();
    });
}

void TPrintDialog1::buildCopiesGroup()
{
    Widgets& w = m_widgets;
    w.Aantal = addGroup(this, "Aantal", QStringLiteral("Aantal"), QRect(168, 120, 129, 45));
    w.aantalEdit1 = new CopiesSpinBox(w.Aantal);
    w.aantalEdit1->setObjectName(QStringLiteral("aantalEdit1"));
    w.aantalEdit1->setGeometry(14, 16, 73, 22);
    w.aantalEdit1->setRange(1, kMaxCopies);
    w.aantalEdit1->setValue(1);
    w.aantalEdit1->setAccessibleName(QStringLiteral("Aantal"));
}

void TPrintDialog1::buildOptionsGroup()
{
    Widgets& w = m_widgets;
    w.GroupBox3 = addGroup(this, "GroupBox3", QStringLiteral("Opties"), QRect(168, 168, 129, 45));
    w.ComputerPaper = new QCheckBox(QStringLiteral("Computer papier"), w.GroupBox3);
    placeButton(w.ComputerPaper, "ComputerPaper", QRect(14, 18, 97, 17));
    w.ComputerPaper->setEnabled(false);
}

void TPrintDialog1::buildButtons()
{
    Widgets& w = m_widgets;
    w.BitBtn1 = addButton(this, "BitBtn1", QStringLiteral("OK"), QRect(304, 8, 75, 25));
    w.BitBtn1->setIcon(QIcon(QStringLiteral(":/icons/ok.svg")));
    w.BitBtn2 = addButton(this, "BitBtn2", QStringLiteral("Cancel"), QRect(304, 40, 75, 25));
    w.BitBtn2->setIcon(QIcon(QStringLiteral(":/icons/preview_close.svg")));
    w.BitBtn3 = addButton(this, "BitBtn3", QStringLiteral("Setup..."), QRect(308, 188, 71, 25));
    w.BitBtn3->setIcon(QIcon(QStringLiteral(":/icons/printer_small.svg")));
    for (QPushButton* button : {w.BitBtn1, w.BitBtn2, w.BitBtn3})
        button->setAutoDefault(false);
    w.BitBtn1->setDefault(true);

    connect(w.BitBtn1, &QPushButton::clicked, this, Guarded([this] { BitBtn1Click(); }));
    connect(w.BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(w.BitBtn3, &QPushButton::clicked, this, Guarded([this] { BitBtn3Click(); }));
}

bool TPrintDialog1::toScreen() const
{
    return m_widgets.NaarScherm->isChecked();
}

bool TPrintDialog1::computerPaper() const
{
    return m_widgets.ComputerPaper->isChecked();
}

void TPrintDialog1::enableComputerPaper()
{
    m_widgets.ComputerPaper->setChecked(true);
    m_widgets.ComputerPaper->setEnabled(true);
}

void TPrintDialog1::FormCreate()
{
    // The system's printer may still be being read: the main window shows meanwhile, and the
    // fields are filled in as soon as the printer is known.
    showPrinterBeingRead(true);
    platform::WhenPrinterKnown(this, [this] {
        showPrinterBeingRead(false);
        RunGuarded([this] { fillFromPrinter(); });
    });
}

void TPrintDialog1::showPrinterBeingRead(bool reading)
{
    Widgets& w = m_widgets;
    w.Printername->setText(reading ? QStringLiteral("Printergegevens worden opgevraagd...")
                                   : designPrinterName());
    w.Printername->adjustSize();
    w.Location->setText(reading ? QString() : designLocation());
    w.Location->adjustSize();
    m_printerKnown = !reading;
    updateWidgets();
}

void TPrintDialog1::updateWidgets()
{
    Widgets& w = m_widgets;
    w.AfdrukPortret->setVisible(w.Staand1->isChecked());
    w.AfdukLandschap->setVisible(!w.Staand1->isChecked());
    // OK and Setup... would wait for a print system that may never answer; Cancel stays.
    w.BitBtn1->setEnabled(m_printerKnown);
    w.BitBtn3->setEnabled(m_printerKnown);
}

void TPrintDialog1::ShowPrinterInfo()
{
    platform::PrinterService& printer = platform::CurrentPrinter();
    m_widgets.Printername->setText(printer.deviceName());
    m_widgets.Printername->adjustSize();
    m_widgets.Location->setText(printer.port());
    m_widgets.Location->adjustSize();
}

void TPrintDialog1::fillFromPrinter()
{
    ShowPrinterInfo();
    platform::PrinterService& printer = platform::CurrentPrinter();
    if (printer.orientation() == platform::PageOrientation::Portrait)
        m_widgets.Staand1->setChecked(true);
    else
        m_widgets.liggend1->setChecked(true);
    m_widgets.aantalEdit1->setValue(std::clamp(printer.copies(), 1, kMaxCopies));
}

// Either radio button of the pair: the picture follows the one that is checked.
void TPrintDialog1::Staand1Click()
{
    updateWidgets();
}

void TPrintDialog1::liggend1Click()
{
    updateWidgets();
}

void TPrintDialog1::copyToPrinter()
{
    // A value typed and confirmed with Enter, without leaving the field, counts too.
    m_widgets.aantalEdit1->commitTypedValue();
    platform::PrinterService& printer = platform::CurrentPrinter();
    if (m_widgets.Staand1->isChecked())
        printer.setOrientation(platform::PageOrientation::Portrait);
    if (m_widgets.liggend1->isChecked())
        printer.setOrientation(platform::PageOrientation::Landscape);
    printer.setCopies(m_widgets.aantalEdit1->value());
}

void TPrintDialog1::BitBtn1Click()
{
    copyToPrinter();
    accept();
}

void TPrintDialog1::BitBtn3Click()
{
    if (platform::CurrentPrinter().setupDialog(this))
        fillFromPrinter();
}
