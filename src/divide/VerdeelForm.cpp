#include "VerdeelForm.h"

#include "fixed_points_tab.h"
#include "platform/toolkit/read_only_list.h"

#include "document/mode_words.h"
#include "document/problem_words.h"
#include "document/shown_height.h"
#include "msg/Msg.h"
#include "msg/error_report.h"
#include "platform/fonts/font_stand_ins.h"
#include "platform/toolkit/regional_settings.h"
#include "platform/toolkit/table_copy.h"
#include "platform/toolkit/window_placement.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kEditWidth = 100;
// Wide enough for the seven columns of the stretches of a plan.
constexpr QSize kWindowSize(540, 700);
// Rows of the count list shown before it scrolls.
constexpr int kShownCounts = 6;
constexpr int kCountColumnWidth = 40;

QString Height(double value, int decimals)
{
    return ShownHeight(value, decimals, platform::CurrentRegionalFormat());
}

} // namespace

TVerdeelForm::TVerdeelForm(QWidget* owner, ProjectDocument& document, PrintRequests& printing,
                           DivideCommands commands)
    : QDialog(owner)
    , m_document(document)
    , m_printing(printing)
    , m_commands(std::move(commands))
    , m_words(&WordsOf(document.project().courseMode))
{
    setObjectName(QStringLiteral("VerdeelForm"));
    setWindowTitle(QStringLiteral("Verdelen"));
    setModal(false);
    setFont(platform::WindowFont());
    resize(kWindowSize);

    // The bricks above the two tabs: both divide with the same bricks.
    auto* column = new QVBoxLayout(this);
    m_brickGrid = new QGridLayout;
    column->addLayout(m_brickGrid);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("VerdeelTabs"));
    column->addWidget(m_tabs, 1);
    auto* pair = new QWidget(m_tabs);
    pair->setObjectName(QStringLiteral("TweeHoogtesTab"));
    m_pairGrid = new QGridLayout(pair);
    m_tabs->addTab(pair, QString());
    m_fixedPoints = new TFixedPointsTab(m_tabs, m_document, m_printing, m_commands);
    m_tabs->addTab(m_fixedPoints, QStringLiteral("Vaste punten"));

    buildInputs();
    buildLists();
    connectCommands();
    applyMode();
}

void TVerdeelForm::buildInputs()
{
    const auto addField = [this](QGridLayout* grid, int row, QLabel*& label, const char* name) {
        label = new QLabel(this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setFixedWidth(kEditWidth);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1, Qt::AlignLeft);
        return edit;
    };
    m_inputs.SteenEdit = addField(m_brickGrid, 0, m_labels.stone, "SteenEdit");
    m_inputs.VoegEdit = addField(m_brickGrid, 1, m_labels.joint, "VoegEdit");
    buildJointLimits(2);
    m_brickGrid->setColumnStretch(1, 1);

    QGridLayout* grid = m_pairGrid;
    m_inputs.VerdeelOnderEdit = addField(grid, 0, m_labels.bottom, "VerdeelOnderEdit");
    m_inputs.VerdeelBovenEdit = addField(grid, 1, m_labels.top, "VerdeelBovenEdit");

    auto* ruleLabel = new QLabel(QStringLiteral("Maat is:"), this);
    m_inputs.MaatIsBox = new QComboBox(this);
    m_inputs.MaatIsBox->setObjectName(QStringLiteral("MaatIsBox"));
    // The items' words follow the mode.
    m_inputs.MaatIsBox->addItems({QString(), QString(), QString()});
    m_inputs.MaatIsBox->setAccessibleName(WithoutColon(ruleLabel->text()));
    ruleLabel->setBuddy(m_inputs.MaatIsBox);
    grid->addWidget(ruleLabel, 2, 0);
    grid->addWidget(m_inputs.MaatIsBox, 2, 1, Qt::AlignLeft);

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("MeldingLabel"));
    m_message->setWordWrap(true);
    // Room for two lines, so the lists do not jump when a message comes or goes.
    m_message->setMinimumHeight(2 * m_message->fontMetrics().lineSpacing());
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(m_message, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
}

// "Voeg van: [10] tot: [15]": the joints the builder accepts, on one row.
void TVerdeelForm::buildJointLimits(int row)
{
    QGridLayout* grid = m_brickGrid;
    auto* fromLabel = new QLabel(QStringLiteral("Voeg van:"), this);
    auto* toLabel = new QLabel(QStringLiteral("tot:"), this);
    auto* limits = new QHBoxLayout;
    const auto addEdit = [&](QLabel* label, const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setFixedWidth(kEditWidth / 2);
        edit->setAccessibleName(WithoutColon(label->text()));
        label->setBuddy(edit);
        return edit;
    };
    m_inputs.VoegVanEdit = addEdit(fromLabel, "VoegVanEdit");
    m_inputs.VoegTotEdit = addEdit(toLabel, "VoegTotEdit");
    limits->addWidget(m_inputs.VoegVanEdit);
    limits->addWidget(toLabel);
    limits->addWidget(m_inputs.VoegTotEdit);
    limits->addStretch();
    grid->addWidget(fromLabel, row, 0);
    grid->addLayout(limits, row, 1);
}

void TVerdeelForm::buildLists()
{
    QGridLayout* grid = m_pairGrid;
    m_labels.counts = new QLabel(this);
    grid->addWidget(m_labels.counts, 4, 0, 1, 2);
    m_counts = AddList(this, "AantallenGrid", 3);
    // A few counts and the header; more scroll.
    m_counts->setFixedHeight((kShownCounts + 1) * kListRowHeight + 2 * m_counts->frameWidth() + 4);
    m_counts->horizontalHeader()->setFixedHeight(kListRowHeight);
    grid->addWidget(m_counts, 5, 0, 1, 2);

    m_commandsPanel = new QWidget(this);
    auto* buttons = new QHBoxLayout(m_commandsPanel);
    buttons->setContentsMargins(0, 0, 0, 0);
    m_printRod = new QPushButton(QStringLiteral("Lat afdrukken"), m_commandsPanel);
    m_printRod->setObjectName(QStringLiteral("LatAfdrukkenButton"));
    m_printRod->setAccessibleName(m_printRod->text());
    // Enter on a focused button presses that button; elsewhere it is Overnemen.
    m_printRod->setAutoDefault(true);
    m_takeOver = new QPushButton(QStringLiteral("Overnemen"), m_commandsPanel);
    m_takeOver->setObjectName(QStringLiteral("OvernemenButton"));
    m_takeOver->setAccessibleName(m_takeOver->text());
    m_takeOver->setAutoDefault(true);
    m_takeOver->setDefault(true);
    buttons->addWidget(m_printRod);
    buttons->addStretch();
    buttons->addWidget(m_takeOver);
    grid->addWidget(m_commandsPanel, 6, 0, 1, 2);

    auto* sizesLabel = new QLabel(QStringLiteral("Maten die passen"), this);
    grid->addWidget(sizesLabel, 7, 0, 1, 2);
    m_sizesJoint = new QLabel(this);
    m_sizesJoint->setObjectName(QStringLiteral("PassendVoegLabel"));
    m_sizesJoint->setWordWrap(true);
    grid->addWidget(m_sizesJoint, 8, 0, 1, 2);
    m_sizes = AddList(this, "PassendGrid", 4);
    m_sizes->setHorizontalHeaderLabels({QStringLiteral("n"), QStringLiteral("n × maat − voeg"),
                                        QStringLiteral("n × maat"),
                                        QStringLiteral("n × maat + voeg")});
    m_sizes->horizontalHeader()->setFixedHeight(kListRowHeight);
    m_sizes->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    m_sizes->setColumnWidth(0, kCountColumnWidth);
    m_sizes->setAccessibleName(sizesLabel->text());
    // A list to read: Enter there takes nothing over.
    m_sizes->installEventFilter(this);
    sizesLabel->setBuddy(m_sizes);
    grid->addWidget(m_sizes, 9, 0, 1, 2);
    grid->setRowStretch(9, 1);
}

void TVerdeelForm::connectCommands()
{
    const auto divideAgain = Guarded([this] { divide(true); });
    for (QLineEdit* edit : {m_inputs.VerdeelOnderEdit, m_inputs.VerdeelBovenEdit})
        connect(edit, &QLineEdit::textChanged, this, divideAgain);
    for (QLineEdit* edit :
         {m_inputs.SteenEdit, m_inputs.VoegEdit, m_inputs.VoegVanEdit, m_inputs.VoegTotEdit})
        connect(edit, &QLineEdit::textChanged, this, Guarded([this] {
                    keepBricks();
                    divide(true);
                }));
    connect(m_inputs.MaatIsBox, &QComboBox::currentIndexChanged, this, divideAgain);
    connect(&m_document, &ProjectDocument::textChanged, this,
            Guarded([this](ProjectField field) { follow(field); }));
    connect(&m_document, &ProjectDocument::modeChanged, this, Guarded([this] { applyMode(); }));
    connect(m_takeOver, &QPushButton::clicked, this, Guarded([this] { OvernemenButtonClick(); }));
    connect(m_printRod, &QPushButton::clicked, this,
            Guarded([this] { LatAfdrukkenButtonClick(); }));
    connect(m_counts, &QTableWidget::cellDoubleClicked, this,
            Guarded([this] { OvernemenButtonClick(); }));
    // A new table must not replace the one being printed.
    connect(&m_printing, &PrintRequests::runningChanged, m_commandsPanel,
            [this](bool running) { m_commandsPanel->setEnabled(!running); });
}

void TVerdeelForm::showWindow()
{
    if (!isVisible()) {
        applyMode();
        if (!m_placed)
            placeBesideOwner();
        show();
    }
    raise();
    activateWindow();
}

void TVerdeelForm::applyMode()
{
    const bool courseMode = m_document.project().courseMode;
    m_words = &WordsOf(courseMode);
    const struct {
        QLabel* label;
        QLineEdit* edit;
        const QString& text;
    } fields[] = {
        {m_labels.bottom, m_inputs.VerdeelOnderEdit, m_words->bottomLabel},
        {m_labels.top, m_inputs.VerdeelBovenEdit, m_words->topLabel},
        {m_labels.stone, m_inputs.SteenEdit, m_words->stoneLabel},
        {m_labels.joint, m_inputs.VoegEdit, m_words->jointLabel},
    };
    for (const auto& field : fields) {
        field.label->setText(field.text);
        field.edit->setAccessibleName(WithoutColon(field.text));
    }
    m_tabs->setTabText(0, m_words->pairTab);
    for (int rule = 0; rule < m_inputs.MaatIsBox->count(); ++rule)
        m_inputs.MaatIsBox->setItemText(rule, m_words->ruleItems[static_cast<std::size_t>(rule)]);
    m_labels.counts->setText(m_words->countsCaption);
    m_counts->setAccessibleName(m_words->countsCaption);
    m_counts->setHorizontalHeaderLabels(
        {m_words->countHeader, m_words->gaugeHeader, WithoutColon(m_words->jointLabel)});

    const BrickTexts& bricks = m_document.project().currentBricks();
    for (auto [edit, text] :
         {std::pair{m_inputs.SteenEdit, &bricks.stone}, std::pair{m_inputs.VoegEdit, &bricks.joint},
          std::pair{m_inputs.VoegVanEdit, &bricks.jointFrom},
          std::pair{m_inputs.VoegTotEdit, &bricks.jointTo}}) {
        const QSignalBlocker quiet(edit);
        edit->setText(*text);
    }
    fillLevels();
}

void TVerdeelForm::fillLevels()
{
    {
        const QSignalBlocker bottom(m_inputs.VerdeelOnderEdit);
        const QSignalBlocker top(m_inputs.VerdeelBovenEdit);
        m_inputs.VerdeelOnderEdit->setText(m_document.project().text(ProjectField::Bottom));
        m_inputs.VerdeelBovenEdit->setText(m_document.project().text(ProjectField::Top));
    }
    divide(true);
}

void TVerdeelForm::follow(ProjectField field)
{
    const QString& text = m_document.project().text(field);
    QLineEdit* level = field == ProjectField::Bottom ? m_inputs.VerdeelOnderEdit
                       : field == ProjectField::Top  ? m_inputs.VerdeelBovenEdit
                                                     : nullptr;
    // A hidden window takes both levels again when it shows.
    if (level && isVisible() && level->text() != text)
        level->setText(text);
    else if (field == ProjectField::Decimals)
        divide(true);
    // The gauge only concerns the sizes: the chosen count stays.
    else if (field == ProjectField::Gauge)
        divide(false);
}

void TVerdeelForm::keepBricks()
{
    m_document.setBricks(m_document.project().courseMode,
                         {m_inputs.SteenEdit->text(), m_inputs.VoegEdit->text(),
                          m_inputs.VoegVanEdit->text(), m_inputs.VoegTotEdit->text()});
}

void TVerdeelForm::divide(bool remakeCounts)
{
    const std::string texts[] = {
        m_inputs.VerdeelOnderEdit->text().toStdString(),
        m_inputs.VerdeelBovenEdit->text().toStdString(),
        m_inputs.SteenEdit->text().toStdString(),
        m_inputs.VoegEdit->text().toStdString(),
        m_inputs.VoegVanEdit->text().toStdString(),
        m_inputs.VoegTotEdit->text().toStdString(),
        m_document.project().text(ProjectField::Decimals).toStdString(),
    };
    const auto rule = static_cast<calc::FitRule>(m_inputs.MaatIsBox->currentIndex());
    auto result =
        calc::DivideLevels({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6]},
                           rule, platform::CurrentRegionalFormat());
    const bool hadCounts = m_division.has_value();
    if (auto* error = std::get_if<calc::FitError>(&result)) {
        m_division.reset();
        m_error = *error;
        m_counts->setRowCount(0);
        m_sizes->setRowCount(0);
        m_sizesJoint->clear();
        m_message->setText(problemText(*error));
        return;
    }
    m_division = std::get<calc::Division>(std::move(result));
    m_error.reset();
    if (remakeCounts || !hadCounts)
        showCounts();
    m_message->setText(m_division->choice.withinLimits
                           ? QString()
                           : QStringLiteral("Geen hele %1 met een %2 van %3 tot %4")
                                 .arg(m_words->courses, WithoutColon(m_words->jointLabel).toLower(),
                                      m_inputs.VoegVanEdit->text().trimmed(),
                                      m_inputs.VoegTotEdit->text().trimmed()));
    showSizes();
}

void TVerdeelForm::showCounts()
{
    const int decimals = calc::ListDecimals(m_division->inputs.Decimals);
    FillList(*m_counts, m_division->choice.counts, [decimals](const calc::FitCount& count) {
        return QStringList{QString::number(count.Count), Height(count.Gauge, decimals),
                           Height(count.Joint, decimals)};
    });
    m_counts->selectRow(static_cast<int>(m_division->choice.selected));
}

// The main window's gauge only concerns the sizes: a gauge being typed there leaves the counts
// alone.
void TVerdeelForm::showSizes()
{
    const int decimals = calc::ListDecimals(m_division->inputs.Decimals);
    const auto sizes = calc::SizesThatFit(
        m_division->inputs, m_document.project().text(ProjectField::Gauge).toStdString(), decimals,
        platform::CurrentRegionalFormat());
    if (const auto* error = std::get_if<calc::FitError>(&sizes)) {
        m_sizes->setRowCount(0);
        m_sizesJoint->setText(problemText(*error));
        return;
    }
    const auto& fitting = std::get<calc::FitSizes>(sizes);
    m_sizesJoint->setText(QStringLiteral("bij %1 %2: voeg %3")
                              .arg(m_words->gauge,
                                   m_document.project().text(ProjectField::Gauge).trimmed(),
                                   Height(fitting.Joint, decimals)));
    FillList(*m_sizes, fitting.rows, [decimals](const calc::FitSize& size) {
        return QStringList{QString::number(size.Count), Height(size.LessJoint, decimals),
                           Height(size.Gauges, decimals), Height(size.PlusJoint, decimals)};
    });
}

QString TVerdeelForm::problemText(const calc::FitError& error) const
{
    return FitProblemText(error, *m_words, fieldText(error.field),
                          platform::CurrentRegionalFormat());
}

// The text a line is about: the window's own field, or the document's gauge or decimals.
QString TVerdeelForm::fieldText(calc::FitField field) const
{
    if (const QLineEdit* edit = windowField(field))
        return edit->text();
    return m_document.project().text(field == calc::FitField::Gauge ? ProjectField::Gauge
                                                                    : ProjectField::Decimals);
}

QLineEdit* TVerdeelForm::windowField(calc::FitField field) const
{
    switch (field) {
    case calc::FitField::Bottom:
        return m_inputs.VerdeelOnderEdit;
    case calc::FitField::Top:
        return m_inputs.VerdeelBovenEdit;
    case calc::FitField::Stone:
        return m_inputs.SteenEdit;
    case calc::FitField::Joint:
        return m_inputs.VoegEdit;
    case calc::FitField::JointFrom:
        return m_inputs.VoegVanEdit;
    case calc::FitField::JointTo:
        return m_inputs.VoegTotEdit;
    case calc::FitField::Decimals:
    case calc::FitField::Gauge:
        break;
    }
    return nullptr;
}

void TVerdeelForm::OvernemenButtonClick()
{
    takeOver();
}

void TVerdeelForm::LatAfdrukkenButtonClick()
{
    printProposedRod();
}

std::variant<TVerdeelForm::Proposal, QString> TVerdeelForm::proposal()
{
    divide(false);
    if (!m_division)
        return m_message->text();
    const int row = std::max(0, m_counts->currentRow());
    const std::int32_t count = m_division->choice.counts[static_cast<std::size_t>(row)].Count;
    const std::optional<calc::FittedGauge> fit =
        calc::FitGaugeText(m_division->inputs, count, platform::CurrentRegionalFormat());
    if (!fit)
        return QStringLiteral("Voor %1 %2 is geen %3 te vinden")
            .arg(QString::number(count), m_words->courses, m_words->gauge);
    return Proposal{count, *fit};
}

void TVerdeelForm::takeOver()
{
    if (!m_takeOver->isEnabled())
        return;
    // Copies: writing the main window's gauge makes the lists again.
    const auto proposed = proposal();
    if (const auto* why = std::get_if<QString>(&proposed)) {
        MsgWarningText(*why, QStringLiteral("Foutive invoer"));
        if (QLineEdit* field = m_error ? windowField(m_error->field) : nullptr) {
            field->setFocus();
            field->selectAll();
        }
        return;
    }
    const auto [count, fit] = std::get<Proposal>(proposed);
    const int decimals = m_division->inputs.Decimals;
    m_document.setText(ProjectField::Bottom, m_inputs.VerdeelOnderEdit->text());
    m_document.setText(ProjectField::Top, m_inputs.VerdeelBovenEdit->text());
    m_document.setText(ProjectField::Gauge, QString::fromStdString(fit.text));
    m_commands.calculate();
    // Where the top cannot be shown: where the course lands, or a pier or an opening ends.
    if (!fit.onTarget && m_division->inputs.Rule == calc::FitRule::Gauges)
        m_message->setText(
            QStringLiteral("%1 %2 komt op %3")
                .arg(m_words->numberHeader, QString::number(count), Height(fit.landing, decimals)));
    else if (!fit.onTarget)
        m_message->setText(
            QStringLiteral("Met %1 %2 eindigt het metselwerk op %3")
                .arg(QString::number(count), m_words->courses, Height(fit.landing, decimals)));
}

// The rod of the chosen count, climbed as the table Overnemen would make; the main window stays
// as it is.
void TVerdeelForm::printProposedRod()
{
    if (!m_printRod->isEnabled())
        return;
    const auto proposed = proposal();
    if (const auto* why = std::get_if<QString>(&proposed)) {
        m_message->setText(*why);
        return;
    }
    // The table the calculate command would make of the texts Overnemen would write.
    const std::string texts[] = {
        std::get<Proposal>(proposed).fit.text,
        m_inputs.VerdeelOnderEdit->text().toStdString(),
        m_inputs.VerdeelBovenEdit->text().toStdString(),
        m_document.project().text(ProjectField::Decimals).toStdString(),
    };
    auto table = calc::CalculateCourseTable({texts[0], texts[1], texts[2], texts[3]},
                                            platform::CurrentRegionalFormat());
    if (const auto* error = std::get_if<calc::InputError>(&table)) {
        m_message->setText(QString::fromStdString(error->message));
        return;
    }
    m_printing.printRod(std::get<calc::CourseTable>(table));
}

void TVerdeelForm::placeBesideOwner()
{
    m_placed = true;
    if (const QWidget* owner = parentWidget())
        platform::PlaceBeside(*this, *owner);
}

bool TVerdeelForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_sizes && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TVerdeelForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange) {
        platform::ReloadRegionalFormat();
        divide(true);
        m_fixedPoints->regionalFormatChanged();
    }
    QDialog::changeEvent(event);
}
