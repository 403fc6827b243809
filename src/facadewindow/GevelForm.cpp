#include "GevelForm.h"

#include "facade_dxf.h"
#include "facade_view.h"

#include "document/facade_result.h"
#include "document/facade_words.h"
#include "document/mode_words.h"
#include "msg/Msg.h"
#include "msg/error_report.h"
#include "platform/files/replacing_file.h"
#include "platform/files/write_failure.h"
#include "platform/fonts/font_stand_ins.h"
#include "platform/toolkit/read_only_list.h"
#include "platform/toolkit/regional_settings.h"
#include "platform/toolkit/window_placement.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr QSize kWindowSize(1000, 700);
// The plans' eight columns readable beside the drawing.
constexpr int kPlansWidth = 520;
constexpr int kEditWidth = 60;
enum OpeningColumn { kName, kLeft, kRight, kBottom, kTop, kOpeningColumns };

// A control with its label before it, named for a screen reader as the label reads.
template <class Control>
Control* AddLabelled(QWidget* parent, QGridLayout* grid, int row, int column, const QString& label,
                     const char* name)
{
    auto* caption = new QLabel(label + QLatin1Char(':'), parent);
    auto* control = new Control(parent);
    control->setObjectName(QLatin1String(name));
    control->setAccessibleName(label);
    caption->setBuddy(control);
    grid->addWidget(caption, row, column);
    grid->addWidget(control, row, column + 1);
    return control;
}

QLineEdit* AddEdit(QWidget* parent, QGridLayout* grid, int row, int column, const QString& label,
                   const char* name)
{
    auto* edit = AddLabelled<QLineEdit>(parent, grid, row, column, label, name);
    edit->setFixedWidth(kEditWidth);
    return edit;
}

QComboBox* AddChoice(QWidget* parent, QGridLayout* grid, int row, int column, const QString& label,
                     const char* name, const QStringList& items)
{
    auto* box = AddLabelled<QComboBox>(parent, grid, row, column, label, name);
    box->addItems(items);
    return box;
}

QLabel* AddLine(QWidget* parent, QLayout* layout, const char* name)
{
    auto* line = new QLabel(parent);
    line->setObjectName(QLatin1String(name));
    line->setWordWrap(true);
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Room for two lines, so that nothing jumps when a line comes or goes.
    line->setMinimumHeight(2 * line->fontMetrics().lineSpacing());
    line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(line);
    return line;
}

QLabel* AddCaption(QWidget* parent, QLayout* layout, const QString& text, QWidget* buddy)
{
    auto* caption = new QLabel(text, parent);
    caption->setBuddy(buddy);
    layout->addWidget(caption);
    layout->addWidget(buddy);
    buddy->setAccessibleName(text);
    return caption;
}

QString Cell(const QTableWidget& table, int row, int column)
{
    const QTableWidgetItem* item = table.item(row, column);
    return item ? item->text() : QString();
}

} // namespace

TGevelForm::TGevelForm(QWidget* owner, ProjectDocument& document, PrintRequests& printing)
    : QDialog(owner)
    , m_document(document)
    , m_printing(printing)
{
    setObjectName(QStringLiteral("GevelForm"));
    setWindowTitle(QStringLiteral("Gevel"));
    setModal(false);
    setFont(platform::WindowFont());
    resize(kWindowSize);

    auto* column = new QVBoxLayout(this);
    auto* inputs = new QGridLayout;
    column->addLayout(inputs);
    buildBricks(inputs);
    buildFacade(inputs);
    buildOpenings();
    buildResults();
    connectAll();
    showDocument();
    setOut();
}

TGevelForm::~TGevelForm() = default;

// "Koppen: Steenbreedte [100] Stootvoeg [10] Voeg van [8] tot [12] Steenlengte [210]", and the
// courses' row below.
void TGevelForm::buildBricks(QGridLayout* grid)
{
    grid->addWidget(new QLabel(QStringLiteral("Koppen:"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Lagen:"), this), 1, 0);
    const char* const headNames[] = {"SteenbreedteEdit", "StootvoegEdit", "KopVoegVanEdit",
                                     "KopVoegTotEdit"};
    const char* const courseNames[] = {"SteendikteEdit", "LintvoegEdit", "LaagVoegVanEdit",
                                       "LaagVoegTotEdit"};
    const QString headLabels[] = {QStringLiteral("Steenbreedte"), QStringLiteral("Stootvoeg"),
                                  QStringLiteral("Voeg van"), QStringLiteral("tot")};
    const QString courseLabels[] = {QStringLiteral("Steendikte"), QStringLiteral("Lintvoeg"),
                                    QStringLiteral("Voeg van"), QStringLiteral("tot")};
    for (int i = 0; i < 4; ++i) {
        m_headBricks[i] = AddEdit(this, grid, 0, 1 + 2 * i, headLabels[i], headNames[i]);
        m_headBricks[i]->setAccessibleDescription(QStringLiteral("Koppen"));
        m_courseBricks[i] = AddEdit(this, grid, 1, 1 + 2 * i, courseLabels[i], courseNames[i]);
        m_courseBricks[i]->setAccessibleDescription(QStringLiteral("Lagen"));
    }
    m_stoneLength = AddEdit(this, grid, 0, 9, QStringLiteral("Steenlengte"), "SteenlengteEdit");
}

void TGevelForm::buildFacade(QGridLayout* grid)
{
    m_width = AddEdit(this, grid, 2, 1, QStringLiteral("Breedte"), "BreedteEdit");
    m_height = AddEdit(this, grid, 2, 3, QStringLiteral("Hoogte"), "HoogteEdit");
    m_breakage = AddEdit(this, grid, 2, 5, QStringLiteral("Breuk"), "BreukEdit");
    grid->addWidget(new QLabel(QStringLiteral("%"), this), 2, 7);
    const QStringList ends{QStringLiteral("buitenhoek"), QStringLiteral("vrij eind")};
    m_leftEnd = AddChoice(this, grid, 3, 1, QStringLiteral("Links"), "LinksBox", ends);
    m_rightEnd = AddChoice(this, grid, 3, 3, QStringLiteral("Rechts"), "RechtsBox", ends);
    m_first = AddChoice(this, grid, 3, 5, QStringLiteral("Eerste laag begint met"), "EersteLaagBox",
                        {QStringLiteral("strek"), QStringLiteral("halve steen")});
    grid->setColumnStretch(11, 1);
}

void TGevelForm::buildOpenings()
{
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    layout()->addWidget(splitter);
    auto* left = new QWidget(splitter);
    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(0, 0, 0, 0);
    m_openings = new QTableWidget(0, kOpeningColumns, left);
    m_openings->setObjectName(QStringLiteral("SparingenGrid"));
    m_openings->setHorizontalHeaderLabels({QStringLiteral("Naam"), QStringLiteral("Links"),
                                           QStringLiteral("Rechts"), QStringLiteral("Onder"),
                                           QStringLiteral("Boven")});
    m_openings->verticalHeader()->hide();
    m_openings->verticalHeader()->setDefaultSectionSize(kListRowHeight);
    m_openings->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    AddCaption(left, column, QStringLiteral("Sparingen"), m_openings);
    auto* buttons = new QHBoxLayout;
    m_addOpening = new QPushButton(QStringLiteral("Sparing toevoegen"), left);
    m_addOpening->setObjectName(QStringLiteral("SparingToevoegenButton"));
    m_addOpening->setAccessibleName(m_addOpening->text());
    m_removeOpening = new QPushButton(QStringLiteral("Sparing verwijderen"), left);
    m_removeOpening->setObjectName(QStringLiteral("SparingVerwijderenButton"));
    m_removeOpening->setAccessibleName(m_removeOpening->text());
    buttons->addWidget(m_addOpening);
    buttons->addWidget(m_removeOpening);
    buttons->addStretch();
    column->addLayout(buttons);
    m_message = AddLine(left, column, "GevelMeldingLabel");

    auto* right = new QWidget(splitter);
    auto* drawing = new QVBoxLayout(right);
    drawing->setContentsMargins(0, 0, 0, 0);
    m_view = new FacadeView(right);
    drawing->addWidget(m_view, 1);
    m_joints = AddLine(right, drawing, "StootvoegenLabel");
    m_count = AddLine(right, drawing, "TellingLabel");
    m_commands = new QWidget(right);
    auto* commands = new QHBoxLayout(m_commands);
    commands->setContentsMargins(0, 0, 0, 0);
    commands->addStretch();
    auto* scaleLabel = new QLabel(QStringLiteral("Schaal:"), m_commands);
    m_scale = new QComboBox(m_commands);
    m_scale->setObjectName(QStringLiteral("SchaalBox"));
    m_scale->setAccessibleName(QStringLiteral("Schaal"));
    for (const int scale : facade::kDrawingScales)
        m_scale->addItem(QStringLiteral("1:%1").arg(scale), scale);
    // Until the user picks one: the largest that fits the paper chosen in the print dialog.
    m_scale->setPlaceholderText(QStringLiteral("passend"));
    m_scale->setCurrentIndex(-1);
    scaleLabel->setBuddy(m_scale);
    commands->addWidget(scaleLabel);
    commands->addWidget(m_scale);
    const auto addButton = [this, commands](const QString& text, const char* name) {
        auto* button = new QPushButton(text, m_commands);
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(text);
        commands->addWidget(button);
        return button;
    };
    m_print = addButton(QStringLiteral("Gevel afdrukken"), "GevelAfdrukkenButton");
    m_saveDxf = addButton(QStringLiteral("DXF opslaan"), "DxfOpslaanButton");
    drawing->addWidget(m_commands);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kPlansWidth, kWindowSize.width() - kPlansWidth});
    m_openings->setMaximumHeight(6 * kListRowHeight);
}

void TGevelForm::buildResults()
{
    QWidget* left = m_openings->parentWidget();
    auto* column = static_cast<QVBoxLayout*>(left->layout());
    m_heads = AddList(left, "KoppenGrid", 8);
    m_heads->setHorizontalHeaderLabels(FacadeHeadHeaders());
    AddCaption(left, column, QStringLiteral("Koppen"), m_heads);
    m_courses = AddList(left, "LagenGrid", 6);
    m_courses->setHorizontalHeaderLabels(FacadeCourseHeaders());
    AddCaption(left, column, QStringLiteral("Lagen"), m_courses);
    // Names and remarks are as long as they are: the columns follow their texts.
    for (QTableWidget* plan : {m_heads, m_courses})
        plan->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void TGevelForm::connectAll()
{
    for (QLineEdit* edit : m_headBricks)
        connect(edit, &QLineEdit::textEdited, this, Guarded([this] { keepBricks(); }));
    for (QLineEdit* edit : m_courseBricks)
        connect(edit, &QLineEdit::textEdited, this, Guarded([this] { keepBricks(); }));
    for (QLineEdit* edit : {m_stoneLength, m_width, m_height, m_breakage})
        connect(edit, &QLineEdit::textEdited, this, Guarded([this] { keepFacade(); }));
    for (QComboBox* box : {m_leftEnd, m_rightEnd, m_first})
        connect(box, &QComboBox::activated, this, Guarded([this] { keepFacade(); }));
    connect(m_openings, &QTableWidget::cellChanged, this, Guarded([this] { keepFacade(); }));
    connect(m_addOpening, &QPushButton::clicked, this, Guarded([this] { addOpening(); }));
    connect(m_removeOpening, &QPushButton::clicked, this, Guarded([this] { removeOpening(); }));
    connect(m_saveDxf, &QPushButton::clicked, this, Guarded([this] { DxfOpslaanButtonClick(); }));
    connect(m_print, &QPushButton::clicked, this, Guarded([this] { GevelAfdrukkenButtonClick(); }));
    // A new facade must not replace the one being printed.
    connect(&m_printing, &PrintRequests::runningChanged, m_commands,
            [this](bool running) { m_commands->setEnabled(!running); });
    auto* insert = new QShortcut(QKeySequence(Qt::Key_Insert), m_openings);
    insert->setContext(Qt::WidgetWithChildrenShortcut);
    connect(insert, &QShortcut::activated, this, Guarded([this] { addOpening(); }));
    auto* remove = new QShortcut(QKeySequence(Qt::Key_Delete), m_openings);
    remove->setContext(Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, Guarded([this] { removeOpening(); }));
    const auto again = Guarded([this] {
        showDocument();
        setOut();
    });
    connect(&m_document, &ProjectDocument::bricksChanged, this, again);
    connect(&m_document, &ProjectDocument::facadeChanged, this, again);
}

void TGevelForm::showDocument()
{
    m_showing = true;
    const CourseProject& project = m_document.project();
    const auto fill = [](const std::array<QLineEdit*, 4>& edits, const BrickTexts& bricks) {
        const QString texts[] = {bricks.stone, bricks.joint, bricks.jointFrom, bricks.jointTo};
        for (std::size_t i = 0; i < edits.size(); ++i)
            if (edits[i]->text() != texts[i])
                edits[i]->setText(texts[i]);
    };
    fill(m_headBricks, project.bricks[1]);
    fill(m_courseBricks, project.bricks[0]);
    const FacadeSettings facade = project.facadeSettings();
    for (const auto& [edit, text] : {std::pair{m_stoneLength, &facade.stoneLength},
                                     {m_width, &facade.width},
                                     {m_height, &facade.height},
                                     {m_breakage, &facade.breakage}})
        if (edit->text() != *text)
            edit->setText(*text);
    m_leftEnd->setCurrentIndex(static_cast<int>(facade.leftEnd));
    m_rightEnd->setCurrentIndex(static_cast<int>(facade.rightEnd));
    m_first->setCurrentIndex(static_cast<int>(facade.first));
    if (static_cast<std::size_t>(m_openings->rowCount()) != facade.openings.size())
        m_openings->setRowCount(static_cast<int>(facade.openings.size()));
    for (std::size_t row = 0; row < facade.openings.size(); ++row) {
        const OpeningRow& opening = facade.openings[row];
        const QString texts[] = {opening.name, opening.left, opening.right, opening.bottom,
                                 opening.top};
        for (int column = 0; column < kOpeningColumns; ++column) {
            if (Cell(*m_openings, int(row), column) == texts[column])
                continue;
            auto* item = new QTableWidgetItem(texts[column]);
            if (column != kName)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_openings->setItem(int(row), column, item);
        }
    }
    m_showing = false;
}

void TGevelForm::keepBricks()
{
    const auto bricks = [](const std::array<QLineEdit*, 4>& edits) {
        return BrickTexts{edits[0]->text(), edits[1]->text(), edits[2]->text(), edits[3]->text()};
    };
    m_document.setBricks(false, bricks(m_headBricks));
    m_document.setBricks(true, bricks(m_courseBricks));
}

void TGevelForm::keepFacade()
{
    if (m_showing)
        return;
    FacadeSettings facade;
    facade.stoneLength = m_stoneLength->text();
    facade.width = m_width->text();
    facade.height = m_height->text();
    facade.breakage = m_breakage->text();
    facade.leftEnd = static_cast<facade::WallEnd>(m_leftEnd->currentIndex());
    facade.rightEnd = static_cast<facade::WallEnd>(m_rightEnd->currentIndex());
    facade.first = static_cast<facade::FirstCourse>(m_first->currentIndex());
    for (int row = 0; row < m_openings->rowCount(); ++row)
        facade.openings.push_back({Cell(*m_openings, row, kName), Cell(*m_openings, row, kLeft),
                                   Cell(*m_openings, row, kRight), Cell(*m_openings, row, kBottom),
                                   Cell(*m_openings, row, kTop)});
    m_document.setFacade(facade);
}

void TGevelForm::addOpening()
{
    FacadeSettings facade = m_document.project().facadeSettings();
    if (facade.openings.size() >= facade::kMaxOpenings) {
        m_message->setText(QStringLiteral("Meer dan %1 sparingen kan de gevel niet hebben")
                               .arg(facade::kMaxOpenings));
        return;
    }
    facade.openings.push_back({});
    m_document.setFacade(facade);
    const int row = m_openings->rowCount() - 1;
    m_openings->setCurrentCell(row, kName);
    m_openings->setFocus();
}

void TGevelForm::removeOpening()
{
    FacadeSettings facade = m_document.project().facadeSettings();
    const int row = m_openings->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= facade.openings.size())
        return;
    facade.openings.erase(facade.openings.begin() + row);
    m_document.setFacade(facade);
}

void TGevelForm::setOut()
{
    auto outcome = SetOutFacade(m_document.project(), platform::CurrentRegionalFormat());
    if (const auto* problem = std::get_if<QString>(&outcome)) {
        showProblem(*problem);
        return;
    }
    m_result = std::get<std::shared_ptr<const FacadeResult>>(outcome);
    showResult(*m_result);
    const QStringList& unread = m_document.project().facadeUnread;
    if (!unread.isEmpty())
        m_message->setText(QStringLiteral("Niet gelezen uit het project: ") +
                           unread.join(QStringLiteral(", ")));
}

void TGevelForm::showProblem(const QString& problem)
{
    m_result.reset();
    m_message->setText(problem);
    m_heads->setRowCount(0);
    m_courses->setRowCount(0);
    m_joints->clear();
    m_count->clear();
    m_view->clear();
    m_saveDxf->setEnabled(false);
    m_print->setEnabled(false);
}

void TGevelForm::showResult(const FacadeResult& result)
{
    const auto wording = std::make_shared<FacadeWording>(result.inputs, result.plans, result.laid,
                                                         platform::CurrentRegionalFormat());
    m_message->clear();
    FillList(*m_heads, result.plans.heads.stretches,
             [&wording](const facade::Stretch& stretch) { return wording->headCells(stretch); });
    FillList(*m_courses, result.plans.courses.stretches,
             [&wording](const facade::Stretch& stretch) { return wording->courseCells(stretch); });
    m_saveDxf->setEnabled(true);
    m_print->setEnabled(true);
    m_joints->setText(wording->jointsLine());
    m_count->setText(wording->countLine());
    // The wording holds the result by reference: the view keeps both alive.
    m_view->show(
        std::shared_ptr<const facade::FacadeDrawing>(m_result, &result.drawing),
        [result = m_result, wording](std::size_t piece) { return wording->pieceText(piece); });
}

platform::FileDialogRequest TGevelForm::dxfDialogSetup()
{
    platform::FileDialogRequest setup;
    setup.purpose = platform::FileDialogRequest::Purpose::Save;
    setup.title = QStringLiteral("DXF opslaan");
    setup.filter = QStringLiteral("DXF-tekeningen (*.dxf)|*.dxf|Alle bestanden (*.*)|*.*");
    setup.defaultSuffix = QStringLiteral("dxf");
    return setup;
}

void TGevelForm::GevelAfdrukkenButtonClick()
{
    if (!m_result)
        return;
    std::optional<int> scale;
    if (m_scale->currentIndex() >= 0)
        scale = m_scale->currentData().toInt();
    m_printing.printFacade({m_result, scale});
}

void TGevelForm::DxfOpslaanButtonClick()
{
    saveDxf();
}

void TGevelForm::saveDxf()
{
    // The drawing as it stands when the file is chosen: typing cannot change it meanwhile.
    const std::shared_ptr<const FacadeResult> result = m_result;
    if (!result || !m_dxfDialog.execute(this))
        return;
    const QString file = m_dxfDialog.fileName();
    if (const auto failure = platform::ReplaceFile(file, FacadeDxf(result->drawing)))
        MsgBox(platform::WriteFailureText(QStringLiteral("Het bestand ") + file, *failure),
               QStringLiteral("DXF opslaan"), MsgStyle::Error);
}

void TGevelForm::showWindow()
{
    if (!isVisible()) {
        if (!m_placed) {
            platform::CentreOnScreen(*this);
            m_placed = true;
        }
        show();
    }
    raise();
    activateWindow();
}
