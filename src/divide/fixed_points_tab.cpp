#include "fixed_points_tab.h"

#include "plan_courses_model.h"
#include "plan_wording.h"
#include "read_only_list.h"

#include "calc/format_height.h"
#include "calc/number_reader.h"
#include "document/mode_words.h"
#include "msg/error_report.h"
#include "platform/toolkit/regional_settings.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kNameLength = 60;
constexpr int kCountColumn = 2;
constexpr int kRemarkColumn = 5;

std::vector<calc::PlanPointText> PlanPointsOf(const std::vector<PointTexts>& points)
{
    std::vector<calc::PlanPointText> plan;
    plan.reserve(points.size());
    for (const PointTexts& point : points)
        plan.push_back({point.name.toStdString(), point.height.toStdString(), point.typedCount});
    return plan;
}

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
                                 DivideCommands commands)
    : QWidget(parent)
    , m_document(document)
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
    m_stretches = AddList(this, "VakkenGrid", 6);
    m_stretches->setAccessibleName(stretchesLabel->text());
    m_stretches->installEventFilter(this);
    stretchesLabel->setBuddy(m_stretches);
    column->addWidget(m_stretches, 1);

    m_oneGauge = new QLabel(this);
    m_oneGauge->setObjectName(QStringLiteral("EenMaatLabel"));
    m_oneGauge->setWordWrap(true);
    column->addWidget(m_oneGauge);

    // The names and the remark take the room the numbers leave.
    for (const int number : {2, 3, 4})
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
    connect(m_points, &QTableWidget::cellChanged, this, [this] {
        if (!m_showing)
            RunGuarded([this] { pointsEdited(); });
    });
    connect(m_addPoint, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { addPoint(); }); });
    connect(m_removePoint, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { removePoint(); }); });
    connect(m_stretches, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (!m_showing && column == kCountColumn)
            RunGuarded([this, row] { countEdited(row); });
    });
    connect(m_takeOver, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { VakOvernemenButtonClick(); }); });
    connect(m_printPlan, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { PlanAfdrukkenButtonClick(); }); });
    connect(m_printRod, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { LatAfdrukkenButtonClick(); }); });
    connect(&m_document, &ProjectDocument::textChanged, this, [this](ProjectField field) {
        if (field == ProjectField::Bottom || field == ProjectField::Top)
            RunGuarded([this] { showPoints(); });
        else if (field == ProjectField::Decimals)
            RunGuarded([this] { plan(); });
    });
    connect(&m_document, &ProjectDocument::bricksChanged, this,
            [this] { RunGuarded([this] { plan(); }); });
    // Points the user typed here are on screen already; points from a project opened are not.
    connect(&m_document, &ProjectDocument::pointsChanged, this,
            [this] { RunGuarded([this] { m_editing ? plan() : showPoints(); }); });
    connect(&m_document, &ProjectDocument::modeChanged, this,
            [this] { RunGuarded([this] { applyMode(); }); });
}

void TFixedPointsTab::applyMode()
{
    const ModeWords& words = WordsOf(m_document.project().courseMode);
    m_points->setHorizontalHeaderLabels({QStringLiteral("Naam"), words.valueHeader});
    m_stretches->setHorizontalHeaderLabels(StretchHeaders(words));
    for (const int words : {0, 1, kRemarkColumn})
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
    return {{WithoutColon(words.bottomLabel).toLower(), project.text(ProjectField::Bottom), 0},
            {WithoutColon(words.topLabel).toLower(), project.text(ProjectField::Top), 0}};
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
// most 60 characters, the typed counts of the stretches kept with their points.
void TFixedPointsTab::pointsEdited()
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
        edited.push_back({name, text(1), 0});
    }
    std::vector<calc::PlanPointText> counted = PlanPointsOf(edited);
    calc::KeepTypedCounts(PlanPointsOf(before), counted, platform::CurrentRegionalFormat());
    for (std::size_t row = 0; row < edited.size(); ++row)
        edited[row].typedCount = counted[row].typedCount;
    m_editing = true;
    m_document.setPoints(edited);
    m_editing = false;
}

// A count typed into a stretch's cell becomes the count of that stretch, kept with its upper
// point; an emptied cell gives the stretch back to the rule. Anything else is refused and the
// cell shows the plan's count again.
void TFixedPointsTab::countEdited(int row)
{
    if (!m_plan || row < 0 || row >= static_cast<int>(m_plan->stretches.size()))
        return;
    const QString typed = m_stretches->item(row, kCountColumn)->text().trimmed();
    std::int32_t count = 0;
    if (!typed.isEmpty()) {
        const std::optional<std::int32_t> read = calc::ReadWholeNumber(typed.toStdString());
        if (!read || *read < 1 || *read > calc::kMaxCourseRows) {
            showPlan();
            m_message->setText(
                QStringLiteral("Vak %1: %2 is geen aantal %3 van 1 tot %4")
                    .arg(QString::number(row + 1), typed,
                         WordsOf(m_document.project().courseMode).courses,
                         QString::fromStdString(calc::FormatHeight(
                             calc::kMaxCourseRows, 0, platform::CurrentRegionalFormat()))));
            return;
        }
        count = *read;
    }
    std::vector<PointTexts> edited = points();
    const calc::Stretch& stretch = m_plan->stretches[static_cast<std::size_t>(row)];
    edited[m_plan->points[stretch.to].row].typedCount = count;
    m_editing = true;
    m_document.setPoints(edited);
    m_editing = false;
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
    pointsEdited();
    m_points->setCurrentCell(m_points->rowCount() - 1, 0);
}

void TFixedPointsTab::removePoint()
{
    const int row = m_points->currentRow();
    if (row < 0)
        return;
    m_points->removeRow(row);
    pointsEdited();
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
    m_message->setText(project.pointsDamaged
                           ? QStringLiteral("De vaste punten in het project konden niet gelezen "
                                            "worden: de punten zijn de twee hoogtes")
                           : QString());
    showPlan();
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
    m_showing = false;
    m_oneGauge->setText(wording.oneGaugeLine());
    std::vector<QString> names;
    for (std::size_t point = 0; point < plan.points.size(); ++point)
        names.push_back(wording.pointName(point));
    m_courseRows->setCourses(m_plan, std::move(names), platform::CurrentRegionalFormat());
}

QString TFixedPointsTab::problemText(const calc::PlanError& error) const
{
    const QString row = QString::number(error.row + 1);
    const ModeWords& words = WordsOf(m_document.project().courseMode);
    switch (error.problem) {
    case calc::PlanProblem::NotANumber:
        return QStringLiteral("Punt %1: %2")
            .arg(row, QString::fromStdString(
                          calc::NotANumberMessage(points()[error.row].height.toStdString())));
    case calc::PlanProblem::SamePoint:
        return QStringLiteral("Punt %1 heeft dezelfde %2 als een ander punt")
            .arg(row, words.valueHeader.toLower());
    case calc::PlanProblem::TooFewPoints:
        return QStringLiteral("Er zijn minstens twee punten met een %1 nodig")
            .arg(words.valueHeader.toLower());
    case calc::PlanProblem::TooManyPoints:
        return QStringLiteral("Meer dan %1 punten").arg(calc::kMaxPlanPoints);
    case calc::PlanProblem::Brick:
        return error.row == 0 && error.brick &&
                       error.brick->problem != calc::FitProblem::NothingFits
                   ? QStringLiteral("De stenen of de voegen zijn niet goed ingevuld")
                   : QStringLiteral("Punt %1: in dit vak past geen hele %2")
                         .arg(row, words.numberHeader.toLower());
    case calc::PlanProblem::TooManyCourses:
        return QStringLiteral("Meer dan %1 %2 in totaal: zoveel regels kan de lijst niet tonen")
            .arg(QString::fromStdString(calc::FormatHeight(calc::kMaxCourseRows, 0,
                                                           platform::CurrentRegionalFormat())),
                 words.courses);
    case calc::PlanProblem::NoGaugeText:
        return QStringLiteral("Punt %1: geen %2 te vinden voor dit vak").arg(row, words.gauge);
    }
    return {};
}

void TFixedPointsTab::PlanAfdrukkenButtonClick()
{
    if (m_plan && m_commands.printPlan)
        m_commands.printPlan(*m_plan);
}

void TFixedPointsTab::LatAfdrukkenButtonClick()
{
    if (m_plan && m_commands.printPlanRod)
        m_commands.printPlanRod(*m_plan);
}

void TFixedPointsTab::VakOvernemenButtonClick()
{
    if (!m_plan || m_plan->stretches.empty())
        return;
    const int row = std::max(0, m_stretches->currentRow());
    const calc::Stretch& stretch = m_plan->stretches[static_cast<std::size_t>(row)];
    if (stretch.gaugeText.empty())
        return;
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
