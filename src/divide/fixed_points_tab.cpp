#include "fixed_points_tab.h"

#include "plan_courses_model.h"
#include "platform/toolkit/read_only_list.h"

#include "calc/number_reader.h"
#include "document/mode_words.h"
#include "document/plan_points.h"
#include "document/plan_wording.h"
#include "document/problem_words.h"
#include "document/shown_height.h"
#include "msg/error_report.h"
#include "platform/toolkit/regional_settings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kNameLength = 60;
constexpr int kKindColumn = 2;
constexpr int kCountColumn = 3;
constexpr int kRemarkColumn = 6;

QPushButton* AddButton(QWidget* parent, QLayout* row, const QString& text, const char* name)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(text);
    // Enter on a focused button presses it, and nothing else on this tab.
    button->setAutoDefault(true);
    row->addWidget(button);
    return button;
}

} // namespace

TFixedPointsTab::TFixedPointsTab(QWidget* parent, ProjectDocument& document,
                                 PrintRequests& printing, DivideCommands commands)
    : QWidget(parent)
    , m_document(document)
    , m_printing(printing)
    , m_commands(std::move(commands))
{
    setObjectName(QStringLiteral("VastePuntenTab"));
    build();
    connectAll();
    applyMode();
}

void TFixedPointsTab::build()
{
    auto* column = new QVBoxLayout(this);
    auto* pointsLabel = new QLabel(QStringLiteral("Punten"), this);
    column->addWidget(pointsLabel);
    m_points = new QTableWidget(0, 2, this);
    m_points->setObjectName(QStringLiteral("PuntenGrid"));
    m_points->setAccessibleName(pointsLabel->text());
    m_points->verticalHeader()->hide();
    m_points->verticalHeader()->setDefaultSectionSize(kListRowHeight);
    m_points->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_points->installEventFilter(this);
    pointsLabel->setBuddy(m_points);
    column->addWidget(m_points, 1);

    auto* pointButtons = new QHBoxLayout;
    m_addPoint =
        AddButton(this, pointButtons, QStringLiteral("Punt toevoegen"), "PuntToevoegenButton");
    m_removePoint =
        AddButton(this, pointButtons, QStringLiteral("Punt verwijderen"), "PuntVerwijderenButton");
    pointButtons->addStretch();
    column->addLayout(pointButtons);

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("PuntenMeldingLabel"));
    m_message->setWordWrap(true);
    column->addWidget(m_message);

    auto* stretchesLabel = new QLabel(QStringLiteral("Vakken"), this);
    column->addWidget(stretchesLabel);
    m_stretches = AddList(this, "VakkenGrid", 7);
    m_stretches->setAccessibleName(stretchesLabel->text());
    m_stretches->installEventFilter(this);
    stretchesLabel->setBuddy(m_stretches);
    column->addWidget(m_stretches, 1);

    m_oneGauge = new QLabel(this);
    m_oneGauge->setObjectName(QStringLiteral("EenMaatLabel"));
    m_oneGauge->setWordWrap(true);
    column->addWidget(m_oneGauge);

    // The names and the remark take the room the numbers leave.
    for (const int number : {kCountColumn, kCountColumn + 1, kCountColumn + 2})
        m_stretches->horizontalHeader()->setSectionResizeMode(number,
                                                              QHeaderView::ResizeToContents);
    // A typed count replaces the rule's count of its stretch: only that cell takes typing.
    m_stretches->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);

    m_commandsPanel = new QWidget(this);
    auto* commands = new QHBoxLayout(m_commandsPanel);
    commands->setContentsMargins(0, 0, 0, 0);
    commands->addStretch();
    m_printPlan = AddButton(m_commandsPanel, commands, QStringLiteral("Plan afdrukken"),
                            "PlanAfdrukkenButton");
    m_printRod = AddButton(m_commandsPanel, commands, QStringLiteral("Lat afdrukken"),
                           "PlanLatAfdrukkenButton");
    m_takeOver =
        AddButton(m_commandsPanel, commands, QStringLiteral("Vak overnemen"), "VakOvernemenButton");
    column->addWidget(m_commandsPanel);

    m_coursesLabel = new QLabel(this);
    column->addWidget(m_coursesLabel);
    m_courses = new QTableView(this);
    m_courseRows = new PlanCoursesModel(m_courses);
    m_courses->setModel(m_courseRows);
    SetUpList(*m_courses, "LagenGrid");
    m_coursesLabel->setBuddy(m_courses);
    m_courses->installEventFilter(this);
    column->addWidget(m_courses, 2);
}

void TFixedPointsTab::connectAll()
{
    connect(m_points, &QTableWidget::cellChanged, this, Guarded([this] {
                if (!m_showing)
                    pointsEdited(std::nullopt);
            }));
    connect(m_addPoint, &QPushButton::clicked, this, Guarded([this] { addPoint(); }));
    connect(m_removePoint, &QPushButton::clicked, this, Guarded([this] { removePoint(); }));
    connect(m_stretches, &QTableWidget::cellChanged, this, Guarded([this](int row, int column) {
                if (!m_showing && column == kCountColumn)
                    countEdited(row);
            }));
    connect(m_takeOver, &QPushButton::clicked, this,
            Guarded([this] { VakOvernemenButtonClick(); }));
    connect(m_printPlan, &QPushButton::clicked, this,
            Guarded([this] { PlanAfdrukkenButtonClick(); }));
    connect(m_printRod, &QPushButton::clicked, this,
            Guarded([this] { LatAfdrukkenButtonClick(); }));
    connect(&m_document, &ProjectDocument::textChanged, this, Guarded([this](ProjectField field) {
        if (field == ProjectField::Bottom || field == ProjectField::Top)
            showPoints();
        else if (field == ProjectField::Decimals)
            plan();
    }));
    connect(&m_document, &ProjectDocument::bricksChanged, this, Guarded([this] { plan(); }));
    // Points the user typed here are on screen already; points from a project opened are not.
    connect(&m_document, &ProjectDocument::pointsChanged, this,
            Guarded([this] { m_editing ? plan() : showPoints(); }));
    connect(&m_document, &ProjectDocument::modeChanged, this, Guarded([this] { applyMode(); }));
    // A new plan must not replace the one being printed.
    connect(&m_printing, &PrintRequests::runningChanged, m_commandsPanel,
            [this](bool running) { m_commandsPanel->setEnabled(!running); });
}

void TFixedPointsTab::applyMode()
{
    const ModeWords& words = WordsOf(m_document.project().courseMode);
    m_points->setHorizontalHeaderLabels({QStringLiteral("Naam"), words.valueHeader});
    m_stretches->setHorizontalHeaderLabels(StretchHeaders(words));
    for (const int words : {0, 1, kKindColumn, kRemarkColumn})
        m_stretches->horizontalHeaderItem(words)->setTextAlignment(Qt::AlignLeft |
                                                                   Qt::AlignVCenter);
    m_courseRows->setHeaders({QStringLiteral("Nr"), words.valueHeader, QStringLiteral("Punt")});
    m_coursesLabel->setText(words.countHeader);
    m_courses->setAccessibleName(words.countHeader);
    showPoints();
}

std::vector<PointTexts> TFixedPointsTab::points() const
{
    const CourseProject& project = m_document.project();
    if (project.points)
        return *project.points;
    const ModeWords& words = WordsOf(project.courseMode);
    return {{WithoutColon(words.bottomLabel).toLower(), project.text(ProjectField::Bottom)},
            {WithoutColon(words.topLabel).toLower(), project.text(ProjectField::Top)}};
}

void TFixedPointsTab::showPoints()
{
    const std::vector<PointTexts> shown = points();
    m_showing = true;
    m_points->setRowCount(static_cast<int>(shown.size()));
    for (std::size_t row = 0; row < shown.size(); ++row)
        showPoint(static_cast<int>(row), shown[row]);
    m_showing = false;
    plan();
}

// The row's cells made up front, so that what the user types keeps their alignment.
void TFixedPointsTab::showPoint(int row, const PointTexts& point)
{
    m_points->setItem(row, 0, new QTableWidgetItem(point.name));
    auto* value = new QTableWidgetItem(point.height);
    value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_points->setItem(row, 1, value);
}

// The table as the user left it becomes the document's points: names kept to one line of at
// most 60 characters, the typed counts and rules of the stretches kept with their points.
void TFixedPointsTab::pointsEdited(std::optional<std::size_t> removedRow)
{
    std::vector<PointTexts> edited;
    const std::vector<PointTexts> before = points();
    for (int row = 0; row < m_points->rowCount(); ++row) {
        const auto text = [&](int column) {
            const QTableWidgetItem* item = m_points->item(row, column);
            return item ? item->text() : QString();
        };
        QString name = text(0);
        name.replace(QLatin1Char('\n'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '));
        if (name.size() > kNameLength) {
            name.truncate(kNameLength);
            m_showing = true;
            m_points->item(row, 0)->setText(name);
            m_showing = false;
        }
        edited.push_back({name, text(1)});
    }
    std::vector<calc::PlanPointText> kept = PlanPointsOf(edited);
    calc::KeepStretchChoices(PlanPointsOf(before), kept, removedRow,
                             platform::CurrentRegionalFormat());
    for (std::size_t row = 0; row < edited.size(); ++row) {
        edited[row].typedCount = kept[row].typedCount;
        edited[row].rule = static_cast<int>(kept[row].rule);
    }
    takePoints(edited);
}

void TFixedPointsTab::takePoints(const std::vector<PointTexts>& points)
{
    m_editing = true;
    m_document.setPoints(points);
    m_editing = false;
}

// A count typed into a stretch's cell becomes the count of that stretch, kept with its upper
// point; an emptied cell gives the stretch back to the rule. A count the stretch cannot take is
// refused and the cell shows the plan's count again.
void TFixedPointsTab::countEdited(int row)
{
    if (!m_plan || row < 0 || row >= static_cast<int>(m_plan->stretches.size()))
        return;
    const std::size_t index = static_cast<std::size_t>(row);
    const calc::Stretch& stretch = m_plan->stretches[index];
    const QString typed = m_stretches->item(row, kCountColumn)->text().trimmed();
    std::int32_t count = 0;
    if (!typed.isEmpty()) {
        const ModeWords& words = WordsOf(m_document.project().courseMode);
        const PlanWording wording(*m_plan, words, platform::CurrentRegionalFormat());
        const std::optional<std::int32_t> read = calc::ReadWholeNumber(typed.toStdString());
        QString refusal;
        if (!read || *read < 1)
            refusal = QStringLiteral("Vak %1: %2 is geen aantal %3")
                          .arg(wording.stretchName(stretch), typed, words.courses);
        else if (const auto fault = calc::TypedCountFault(*m_plan, index, *read))
            refusal = wording.countFaultLine(stretch, *fault, *read);
        if (!refusal.isEmpty()) {
            showPlan();
            m_message->setText(refusal);
            return;
        }
        count = *read;
    }
    std::vector<PointTexts> edited = points();
    edited[m_plan->points[stretch.to].row].typedCount = count;
    takePoints(edited);
}

// The kind chosen for a stretch is kept with its upper point, as long as the two stay
// neighbours.
void TFixedPointsTab::ruleEdited(int row, int rule)
{
    if (!m_plan || row < 0 || row >= static_cast<int>(m_plan->stretches.size()))
        return;
    const calc::Stretch& stretch = m_plan->stretches[static_cast<std::size_t>(row)];
    std::vector<PointTexts> edited = points();
    edited[m_plan->points[stretch.to].row].rule = rule;
    takePoints(edited);
}

void TFixedPointsTab::addPoint()
{
    if (m_points->rowCount() >= static_cast<int>(calc::kMaxPlanPoints))
        return;
    const int row = m_points->rowCount();
    m_showing = true;
    m_points->insertRow(row);
    showPoint(row, {});
    m_showing = false;
    pointsEdited(std::nullopt);
    m_points->setCurrentCell(m_points->rowCount() - 1, 0);
}

void TFixedPointsTab::removePoint()
{
    const int row = m_points->currentRow();
    if (row < 0)
        return;
    m_points->removeRow(row);
    pointsEdited(static_cast<std::size_t>(row));
}

void TFixedPointsTab::plan()
{
    const CourseProject& project = m_document.project();
    const BrickTexts& bricks = project.currentBricks();
    calc::PlanTexts texts;
    texts.points = PlanPointsOf(points());
    const std::string brickTexts[] = {bricks.stone.toStdString(), bricks.joint.toStdString(),
                                      bricks.jointFrom.toStdString(), bricks.jointTo.toStdString(),
                                      project.text(ProjectField::Decimals).toStdString()};
    texts.stone = brickTexts[0];
    texts.joint = brickTexts[1];
    texts.jointFrom = brickTexts[2];
    texts.jointTo = brickTexts[3];
    texts.decimals = brickTexts[4];
    auto made = calc::MakePlan(texts, platform::CurrentRegionalFormat());
    if (const auto* error = std::get_if<calc::PlanError>(&made)) {
        m_plan.reset();
        m_message->setText(problemText(*error));
        m_stretches->setRowCount(0);
        m_courseRows->clear();
        m_oneGauge->clear();
        return;
    }
    m_plan = std::make_shared<const calc::Plan>(std::get<calc::Plan>(std::move(made)));
    showPlan();
    // The first stretch without a division is said here as well: its row may be out of sight.
    const auto faulty = std::find_if(m_plan->stretches.begin(), m_plan->stretches.end(),
                                     [](const calc::Stretch& stretch) { return stretch.fault; });
    if (project.pointsDamaged)
        m_message->setText(QStringLiteral("De vaste punten in het project konden niet gelezen "
                                          "worden, de punten zijn de twee hoogtes"));
    else if (faulty != m_plan->stretches.end())
        m_message->setText(
            PlanWording(*m_plan, WordsOf(project.courseMode), platform::CurrentRegionalFormat())
                .faultLine(*faulty));
    else
        m_message->clear();
}

void TFixedPointsTab::showPlan()
{
    const calc::Plan& plan = *m_plan;
    const PlanWording wording(plan, WordsOf(m_document.project().courseMode),
                              platform::CurrentRegionalFormat());
    m_showing = true;
    FillList(*m_stretches, plan.stretches,
             [&](const calc::Stretch& stretch) { return wording.stretchCells(stretch); });
    for (int row = 0; row < m_stretches->rowCount(); ++row)
        for (int column = 0; column < m_stretches->columnCount(); ++column) {
            QTableWidgetItem* item = m_stretches->item(row, column);
            if (column != kCountColumn)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (column == 0 || column == 1 || column == kRemarkColumn) {
                // Words, not numbers: read from the left, and whole where the column cuts them.
                item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                item->setToolTip(item->text());
            } else if (column == kCountColumn &&
                       plan.stretches[static_cast<std::size_t>(row)].typed) {
                // The user's own count stands out from the rule's.
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
        }
    showKinds(WordsOf(m_document.project().courseMode));
    m_showing = false;
    m_oneGauge->setText(wording.oneGaugeLine());
    m_courseRows->setCourses(m_plan, WordsOf(m_document.project().courseMode),
                             platform::CurrentRegionalFormat());
}

// Each stretch's kind as a choice in its cell; the cell's own text stays for copying.
void TFixedPointsTab::showKinds(const ModeWords& words)
{
    int widest = 0;
    for (int row = 0; row < m_stretches->rowCount(); ++row) {
        auto* kind = new QComboBox(m_stretches);
        // Flat, so that it keeps to the list's row.
        kind->setFrame(false);
        for (const QString& item : words.ruleKinds)
            kind->addItem(item);
        kind->setCurrentIndex(
            static_cast<int>(m_plan->stretches[static_cast<std::size_t>(row)].rule));
        kind->setAccessibleName(QStringLiteral("Soort"));
        // Queued: choosing makes the plan again, which replaces this very box.
        connect(kind, &QComboBox::activated, this,
                Guarded([this, row](int rule) { ruleEdited(row, rule); }), Qt::QueuedConnection);
        m_stretches->setCellWidget(row, kKindColumn, kind);
        widest = std::max(widest, kind->sizeHint().width());
    }
    if (widest > 0) {
        m_stretches->horizontalHeader()->setSectionResizeMode(kKindColumn, QHeaderView::Fixed);
        m_stretches->setColumnWidth(kKindColumn, widest);
    }
}

QString TFixedPointsTab::problemText(const calc::PlanError& error) const
{
    return PlanProblemText(
        error, WordsOf(m_document.project().courseMode), points(),
        [this](calc::FitField field) { return brickText(field); },
        platform::CurrentRegionalFormat());
}

// The text of a field the plan reads from the bricks, or the main window's decimals.
QString TFixedPointsTab::brickText(calc::FitField field) const
{
    const CourseProject& project = m_document.project();
    const BrickTexts& bricks = project.currentBricks();
    switch (field) {
    case calc::FitField::Stone:
        return bricks.stone;
    case calc::FitField::Joint:
        return bricks.joint;
    case calc::FitField::JointFrom:
        return bricks.jointFrom;
    case calc::FitField::JointTo:
        return bricks.jointTo;
    default:
        return project.text(ProjectField::Decimals);
    }
}

void TFixedPointsTab::PlanAfdrukkenButtonClick()
{
    if (m_plan)
        m_printing.printPlan(*m_plan);
}

void TFixedPointsTab::LatAfdrukkenButtonClick()
{
    if (m_plan)
        m_printing.printPlanRod(*m_plan);
}

void TFixedPointsTab::VakOvernemenButtonClick()
{
    if (!m_plan || m_plan->stretches.empty())
        return;
    const int row = std::max(0, m_stretches->currentRow());
    const calc::Stretch& stretch = m_plan->stretches[static_cast<std::size_t>(row)];
    if (stretch.fault) {
        m_message->setText(PlanWording(*m_plan, WordsOf(m_document.project().courseMode),
                                       platform::CurrentRegionalFormat())
                               .faultLine(stretch));
        return;
    }
    const std::vector<PointTexts> typed = points();
    // Copies: writing the document's levels makes the plan again.
    const QString bottom = typed[m_plan->points[stretch.from].row].height;
    const QString top = typed[m_plan->points[stretch.to].row].height;
    const QString gauge = QString::fromStdString(stretch.gaugeText);
    m_document.setText(ProjectField::Bottom, bottom);
    m_document.setText(ProjectField::Top, top);
    m_document.setText(ProjectField::Gauge, gauge);
    m_commands.calculate();
}

bool TFixedPointsTab::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter confirms an edited cell (the editor takes it) and does nothing else here:
        // Overnemen belongs to the first tab.
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
        // While a cell is edited its editor has the keys: here the table itself has them.
        if (watched == m_points) {
            if (key == Qt::Key_Insert) {
                addPoint();
                return true;
            }
            if (key == Qt::Key_Delete) {
                removePoint();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
