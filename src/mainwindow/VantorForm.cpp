#include "VantorForm.h"

#include "course_grid.h"

#include "about/HyperLabel.h"
#include "about/Splashunit.h"
#include "about/clickable_label.h"
#include "about/maker_links.h"
#include "calc/course_table.h"
#include "divide/VerdeelForm.h"
#include "document/mode_words.h"
#include "facadewindow/GevelForm.h"
#include "msg/Msg.h"
#include "msg/error_report.h"
#include "platform/fonts/font_chooser.h"
#include "platform/fonts/font_stand_ins.h"
#include "platform/pages/svg_picture.h"
#include "platform/toolkit/regional_settings.h"
#include "platform/toolkit/url_opener.h"
#include "platform/toolkit/window_placement.h"
#include "print/windows/PrintDlg.h"
#include "printing/print_requests.h"
#include "program_identity.h"

#include <QAction>
#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The window's outer size is 306 x 563; these are its insides with a 4-pixel sizing frame and
// a 19-pixel caption, so the bands keep their proportions whatever the window manager draws.
constexpr QSize kClientSize(298, 536);
constexpr int kToolBandHeight = 35;
constexpr int kInputBandHeight = 122;
constexpr int kInformationBandHeight = 42;
constexpr int kToolButtonSize = 25;
constexpr int kSeparatorWidth = 8;
constexpr int kLastButtonWidth = 21;

// The shared picture list of the toolbar, in the order the buttons refer to it.
const char* const kButtonsList[] = {
    ":/icons/open.svg",        ":/icons/save.svg",      ":/icons/info.svg",
    ":/icons/course_mode.svg", ":/icons/head_mode.svg", ":/icons/calculate.svg",
    ":/icons/print.svg",       ":/icons/font.svg",      ":/icons/close.svg",
    ":/icons/divide.svg",      ":/icons/facade.svg",
};

QLabel* addLabel(QWidget* band, const char* name, const QString& text, QRect box)
{
    auto* label = new QLabel(text, band);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(box);
    return label;
}

QLineEdit* addEdit(QWidget* band, const char* name, const QString& text, QRect box, QLabel* label)
{
    auto* edit = new QLineEdit(text, band);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(box);
    edit->setAccessibleName(label->text());
    label->setBuddy(edit);
    return edit;
}

QFrame* addSeparator(QLayout* layout, QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedSize(kSeparatorWidth, kToolButtonSize);
    layout->addWidget(line);
    return line;
}

} // namespace

TVantorForm::TVantorForm(ProjectDocument& document, PrintRequests& printing, QWidget* parent)
    : QWidget(parent)
    , m_document(document)
    , m_printing(printing)
{
    setObjectName(QStringLiteral("VantorForm"));
    setWindowTitle(QString::fromUtf8(kProgramName));
    setFont(platform::WindowFont());
    resize(kClientSize);

    auto* bands = new QVBoxLayout(this);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);
    buildToolBand();
    buildInputBand();
    buildTableBand();
    buildInformationBand();

    connectCommands();
    // The numbers first, in reading order; the project name, though at the top, comes last.
    QWidget* const tabChain[] = {m_inputs.VantorbelEdit,   m_inputs.OnderhoogteEdit,
                                 m_inputs.BovenhoogteEdit, m_inputs.DecimalenEdit,
                                 m_inputs.ProjectNaamEdit, m_grid};
    for (std::size_t i = 0; i + 1 < std::size(tabChain); ++i)
        setTabOrder(tabChain[i], tabChain[i + 1]);
    FormCreate();

    platform::CentreOnScreen(*this);
    m_inputs.VantorbelEdit->setFocus();
}

void TVantorForm::FormCreate()
{
    SetMsgOwnerHandle(this);
    showTableFont();
    const ModeWords& course = CourseModeWords();
    m_grid->table().setHeaders(course.numberHeader, course.valueHeader);
}

void TVantorForm::buildToolBand()
{
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("ControlBar1"));
    m_toolBand = band;
    band->setFixedHeight(kToolBandHeight);
    band->setAutoFillBackground(true);
    QPalette tiled = band->palette();
    tiled.setBrush(QPalette::Window,
                   QBrush(platform::SvgPicture(QStringLiteral(":/icons/toolband_tile.svg"),
                                               QSize(48, kToolBandHeight), devicePixelRatioF())));
    band->setPalette(tiled);
    layout()->addWidget(band);

    auto* toolBar = new QWidget(band);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->move(2, (kToolBandHeight - kToolButtonSize) / 2);
    auto* row = new QHBoxLayout(toolBar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    struct ToolButtonEntry {
        QToolButton* Commands::*slot; // nullptr: a separator
        const char* name;
        const char* hint;
        int picture;
        bool check;
    };
    static const ToolButtonEntry buttons[] = {
        {&Commands::ToolButton12, "ToolButton12", "sluiten", 8, false},
        {nullptr, nullptr, nullptr, 0, false},
        {&Commands::ToolButton1, "ToolButton1", "openen", 0, false},
        {&Commands::ToolButton2, "ToolButton2", "bewaren", 1, false},
        {&Commands::ToolButton7, "ToolButton7", "berekenen", 5, false},
        {&Commands::ToolButton9, "ToolButton9", "afdrukken", 6, false},
        {&Commands::ToolButton10, "ToolButton10", "lettertype", 7, false},
        {nullptr, nullptr, nullptr, 0, false},
        {&Commands::VanTorbelButton, "VanTorbelButton", "vantorbel", 3, true},
        {&Commands::KoppenMaatButton, "KoppenMaatButton", "koppenmaat", 4, true},
        {nullptr, nullptr, nullptr, 0, false},
        {&Commands::ToolButton3, "ToolButton3", "informatie", 2, false},
        {&Commands::VerdelenButton, "VerdelenButton", "verdelen", 9, false},
        {&Commands::GevelButton, "GevelButton", "gevel", 10, false},
    };

    auto* modes = new QButtonGroup(this);
    modes->setExclusive(true);
    for (const ToolButtonEntry& entry : buttons) {
        if (!entry.slot) {
            addSeparator(row, toolBar);
            continue;
        }
        auto* button = new QToolButton(toolBar);
        button->setObjectName(QLatin1String(entry.name));
        button->setAutoRaise(true);
        button->setFixedSize(kToolButtonSize, kToolButtonSize);
        button->setIconSize(QSize(16, 16));
        button->setIcon(QIcon(QLatin1String(kButtonsList[entry.picture])));
        button->setToolTip(QLatin1String(entry.hint));
        button->setAccessibleName(QLatin1String(entry.hint));
        button->setFocusPolicy(Qt::NoFocus);
        if (entry.check) {
            button->setCheckable(true);
            modes->addButton(button);
        }
        row->addWidget(button);
        m_commands.*entry.slot = button;
    }
    m_commands.VanTorbelButton->setChecked(true);
    // The last button takes the room the window has left, so that its picture shows whole.
    m_commands.GevelButton->setFixedWidth(kLastButtonWidth);
    toolBar->adjustSize();
}

void TVantorForm::buildInputBand()
{
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("Panel1"));
    m_inputBand = band;
    band->setFixedHeight(kInputBandHeight);
    layout()->addWidget(band);

    const ModeWords& course = CourseModeWords();
    const CourseProject& project = m_document.project();
    QLabel* projectLabel =
        addLabel(band, "Label1", QStringLiteral("Project:"), QRect(6, 10, 72, 13));
    projectLabel->adjustSize();
    m_inputs.ProjectNaamEdit =
        addEdit(band, "ProjectNaamEdit", {}, QRect(82, 6, 205, 21), projectLabel);

    m_labels.VanTorbelLabel =
        addLabel(band, "VanTorbelLabel", course.gaugeLabel, QRect(6, 32, 72, 13));
    m_inputs.VantorbelEdit = addEdit(band, "VantorbelEdit", project.text(ProjectField::Gauge),
                                     QRect(82, 28, 100, 21), m_labels.VanTorbelLabel);
    m_labels.OnderhoogteLabel =
        addLabel(band, "OnderhoogteLabel", course.bottomLabel, QRect(6, 54, 72, 13));
    m_inputs.OnderhoogteEdit = addEdit(band, "OnderhoogteEdit", project.text(ProjectField::Bottom),
                                       QRect(82, 50, 100, 21), m_labels.OnderhoogteLabel);
    m_labels.BovenhoogteLabel =
        addLabel(band, "BovenhoogteLabel", course.topLabel, QRect(6, 76, 72, 13));
    m_inputs.BovenhoogteEdit = addEdit(band, "BovenhoogteEdit", project.text(ProjectField::Top),
                                       QRect(82, 72, 100, 21), m_labels.BovenhoogteLabel);
    QLabel* decimalsLabel =
        addLabel(band, "Label4", QStringLiteral("Decimalen:"), QRect(6, 98, 72, 13));
    m_inputs.DecimalenEdit = addEdit(band, "DecimalenEdit", project.text(ProjectField::Decimals),
                                     QRect(82, 94, 100, 21), decimalsLabel);
}

void TVantorForm::buildTableBand()
{
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("Panel2"));
    auto* fill = new QVBoxLayout(band);
    fill->setContentsMargins(0, 0, 0, 0);
    m_grid = new CourseGrid(band);
    m_grid->setObjectName(QStringLiteral("ResultGrid"));
    m_grid->setAccessibleName(QStringLiteral("Tabel"));
    // In the table's context menu after "Kopiëren": the rod is the table shown, at full size.
    m_printRodAction = new QAction(QStringLiteral("Lat afdrukken"), m_grid);
    m_printRodAction->setObjectName(QStringLiteral("LatAfdrukkenAction"));
    m_grid->addAction(m_printRodAction);
    fill->addWidget(m_grid);
    static_cast<QVBoxLayout*>(layout())->addWidget(band, 1);
}

void TVantorForm::buildInformationBand()
{
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("Panel3"));
    band->setFixedHeight(kInformationBandHeight);
    layout()->addWidget(band);

    m_informationPicture = new ClickableLabel(band);
    m_informationPicture->setObjectName(QStringLiteral("Image2"));
    m_informationPicture->setGeometry(6, 6, 30, 30);
    m_informationPicture->setPixmap(platform::SvgPicture(QStringLiteral(":/icons/information.svg"),
                                                         QSize(30, 30), devicePixelRatioF()));
    m_informationPicture->setCursor(Qt::PointingHandCursor);
    m_informationPicture->setToolTip(MakerInformationHint());
    m_informationPicture->setAccessibleName(MakerInformationHint());

    auto* version = new QLabel(QString::fromUtf8(kProgramNameAndVersion), band);
    version->setObjectName(QStringLiteral("Label6"));
    version->move(40, 4);
    version->adjustSize();

    auto* bevel = new QFrame(band);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(40, 20, 72, 2);

    m_makerLink = new THyperLabel(band);
    m_makerLink->setObjectName(QStringLiteral("HyperLabel1"));
    m_makerLink->setGeometry(40, 24, 53, 13);
    m_makerLink->setText(MakerName());
    m_makerLink->setToolTip(MakerHost());
    m_makerLink->setAccessibleName(MakerName());
    m_makerLink->setHyperlink(MakerWebAddress());
}

void TVantorForm::connectCommands()
{
    const auto guarded = [this](void (TVantorForm::*handler)()) {
        return Guarded([this, handler] { (this->*handler)(); });
    };
    // Closing cannot fail; every other command reports its failures itself.
    connect(m_commands.ToolButton12, &QToolButton::clicked, this, &TVantorForm::ToolButton12Click);
    const std::pair<QToolButton*, void (TVantorForm::*)()> commands[] = {
        {m_commands.ToolButton1, &TVantorForm::ToolButton1Click},
        {m_commands.ToolButton2, &TVantorForm::ToolButton2Click},
        {m_commands.ToolButton7, &TVantorForm::BerekenenButtonClick},
        {m_commands.ToolButton9, &TVantorForm::AfdrukkenButtonClick},
        {m_commands.ToolButton10, &TVantorForm::GridfontButtonClick},
        {m_commands.VanTorbelButton, &TVantorForm::VanTorbelButtonClick},
        {m_commands.KoppenMaatButton, &TVantorForm::VanTorbelButtonClick},
        {m_commands.ToolButton3, &TVantorForm::ToolButton3Click},
        {m_commands.VerdelenButton, &TVantorForm::VerdelenButtonClick},
        {m_commands.GevelButton, &TVantorForm::GevelButtonClick},
    };
    for (const auto& [button, handler] : commands)
        connect(button, &QToolButton::clicked, this, guarded(handler));
    connect(m_informationPicture, &ClickableLabel::clicked, this,
            guarded(&TVantorForm::Image2Click));
    connect(m_printRodAction, &QAction::triggered, this, guarded(&TVantorForm::printRod));

    connectDocument();
}

// Every field writes its text into the document and shows what others write there. A table on
// screen always belongs to the texts on screen: the document drops it at any real change of a
// number field, and the grid empties with it.
void TVantorForm::connectDocument()
{
    for (const ProjectField field :
         {ProjectField::ProjectName, ProjectField::Gauge, ProjectField::Bottom, ProjectField::Top,
          ProjectField::Decimals})
        connect(fieldEdit(field), &QLineEdit::textChanged, this,
                [this, field](const QString& text) { m_document.setText(field, text); });
    connect(&m_document, &ProjectDocument::textChanged, this, [this](ProjectField field) {
        fieldEdit(field)->setText(m_document.project().text(field));
    });
    connect(&m_document, &ProjectDocument::modeChanged, this,
            [this] { applyMode(WordsOf(m_document.project().courseMode)); });
    connect(&m_document, &ProjectDocument::tableChanged, this, &TVantorForm::showTable);
    connect(&m_document, &ProjectDocument::tableFontChanged, this, &TVantorForm::showTableFont);
    connect(&m_printing, &PrintRequests::runningChanged, this, &TVantorForm::holdCommands);
}

QLineEdit* TVantorForm::fieldEdit(ProjectField field) const
{
    QLineEdit* const edits[] = {m_inputs.ProjectNaamEdit, m_inputs.VantorbelEdit,
                                m_inputs.OnderhoogteEdit, m_inputs.BovenhoogteEdit,
                                m_inputs.DecimalenEdit};
    return edits[static_cast<int>(field)];
}

void TVantorForm::showTable()
{
    if (const std::optional<calc::CourseTable>& table = m_document.project().table)
        m_grid->table().setCourseRows(table->rows, table->inputs.Decimals, table->format);
    else
        ClearResultGrid();
}

bool TVantorForm::courseMode() const
{
    return m_commands.VanTorbelButton->isChecked();
}

void TVantorForm::showTableFont()
{
    const TableFont& font = m_document.project().tableFont;
    m_grid->setFont(font.font);
    QPalette colours = m_grid->palette();
    colours.setColor(QPalette::Text, font.color);
    m_grid->setPalette(colours);
}

void TVantorForm::holdCommands(bool held)
{
    m_toolBand->setEnabled(!held);
    m_inputBand->setEnabled(!held);
}

void TVantorForm::ClearResultGrid()
{
    m_grid->table().clearRows();
}

void TVantorForm::BerekenenButtonClick()
{
    calculate();
}

void TVantorForm::calculate()
{
    if (const auto error = m_document.calculate(platform::CurrentRegionalFormat())) {
        MsgWarning(error->message.c_str(), "Foutive invoer");
        focusField(error->field);
    }
}

void TVantorForm::focusField(calc::InputField field)
{
    // The number fields in the reading order of the calculation, after the project name.
    QLineEdit* edit = fieldEdit(static_cast<ProjectField>(static_cast<int>(field) + 1));
    edit->setFocus();
    edit->selectAll();
}

void TVantorForm::VanTorbelButtonClick()
{
    switchMode();
}

void TVantorForm::switchMode()
{
    m_document.setCourseMode(courseMode());
}

// The captions and the table's headers; the mode's gauge comes through the document after them.
void TVantorForm::applyMode(const ModeWords& words)
{
    m_labels.VanTorbelLabel->setText(words.gaugeLabel);
    m_labels.OnderhoogteLabel->setText(words.bottomLabel);
    m_labels.BovenhoogteLabel->setText(words.topLabel);
    m_inputs.VantorbelEdit->setAccessibleName(words.gaugeLabel);
    m_inputs.OnderhoogteEdit->setAccessibleName(words.bottomLabel);
    m_inputs.BovenhoogteEdit->setAccessibleName(words.topLabel);
    m_grid->table().setHeaders(words.numberHeader, words.valueHeader);
}

void TVantorForm::AfdrukkenButtonClick()
{
    printReport();
}

void TVantorForm::printReport()
{
    m_printing.printReport(m_document.project().table);
}

void TVantorForm::printRod()
{
    m_printing.printRod(m_document.project().table);
}

void TVantorForm::GridfontButtonClick()
{
    chooseTableFont();
}

void TVantorForm::chooseTableFont()
{
    const TableFont& font = m_document.project().tableFont;
    const std::optional<platform::FontChoice> chosen =
        platform::Seam<platform::FontChooser>::get().choose(this, {font.font, font.color});
    if (chosen)
        m_document.setTableFont({chosen->font, chosen->color});
}

void TVantorForm::ToolButton12Click()
{
    close();
}

void TVantorForm::ToolButton3Click()
{
    ShowAboutWindow(this);
}

void TVantorForm::VerdelenButtonClick()
{
    showDivideWindow();
}

void TVantorForm::showDivideWindow()
{
    if (!m_divide)
        m_divide = new TVerdeelForm(this, m_document, m_printing, {.calculate = [this] {
                                        BerekenenButtonClick();
                                    }});
    m_divide->showWindow();
}

void TVantorForm::GevelButtonClick()
{
    showFacadeWindow();
}

void TVantorForm::showFacadeWindow()
{
    if (!m_facade)
        m_facade = new TGevelForm(this, m_document, m_printing);
    m_facade->showWindow();
}

void TVantorForm::Image2Click()
{
    platform::OpenWebAddress(MakerWebAddress());
}

bool TVantorForm::event(QEvent* event)
{
    // Only the first activation counts: switching back from another program must not undo the
    // user's choice in the print dialog.
    if (event->type() == QEvent::WindowActivate && !m_activatedBefore) {
        m_activatedBefore = true;
        FormActivate();
    }
    return QWidget::event(event);
}

void TVantorForm::FormActivate()
{
    if (PrintDialog1)
        PrintDialog1->enableComputerPaper();
}

void TVantorForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange)
        platform::ReloadRegionalFormat();
    QWidget::changeEvent(event);
}
