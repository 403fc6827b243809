#include "project_document.h"

#include "mode_words.h"

namespace {

// The bricks each mode starts with, with the regional decimal separator.
BrickTexts DefaultBricks(const ModeWords& words, const QString& decimalSeparator)
{
    const auto regional = [&](QString text) {
        return text.replace(QLatin1Char(','), decimalSeparator);
    };
    return {regional(words.defaultStone), regional(words.defaultJoint),
            regional(words.defaultJointFrom), regional(words.defaultJointTo)};
}

} // namespace

ProjectDocument::ProjectDocument(const QString& decimalSeparator)
{
    m_project.texts = {QString(), CourseModeWords().defaultGauge, QStringLiteral("0"),
                       QStringLiteral("1000"), QStringLiteral("2")};
    m_project.bricks = {DefaultBricks(CourseModeWords(), decimalSeparator),
                        DefaultBricks(HeadModeWords(), decimalSeparator)};
    m_project.tableFont = DefaultTableFont();
}

void ProjectDocument::setFacade(const FacadeSettings& facade)
{
    if (m_project.facadeSettings() == facade)
        return;
    m_project.facade = facade;
    m_project.facadeUnread.clear();
    emit facadeChanged();
}

void ProjectDocument::openFacade(const std::optional<FacadeSettings>& facade,
                                 const QStringList& unread)
{
    if (m_project.facade == facade && m_project.facadeUnread == unread)
        return;
    m_project.facade = facade;
    m_project.facadeUnread = unread;
    emit facadeChanged();
}

void ProjectDocument::setTableFont(const TableFont& font)
{
    if (m_project.tableFont == font)
        return;
    m_project.tableFont = font;
    emit tableFontChanged();
}

void ProjectDocument::setText(ProjectField field, const QString& text)
{
    QString& current = m_project.texts[static_cast<std::size_t>(field)];
    if (current == text)
        return;
    current = text;
    emit textChanged(field);
    if (field != ProjectField::ProjectName)
        dropTable();
}

void ProjectDocument::setCourseMode(bool courseMode)
{
    if (m_project.courseMode != courseMode) {
        m_project.courseMode = courseMode;
        emit modeChanged();
    }
    setText(ProjectField::Gauge, WordsOf(courseMode).defaultGauge);
}

void ProjectDocument::setBricks(bool courseMode, const BrickTexts& bricks)
{
    BrickTexts& current = m_project.bricks[courseMode ? 0 : 1];
    if (current == bricks)
        return;
    current = bricks;
    emit bricksChanged();
}

void ProjectDocument::setPoints(const std::vector<PointTexts>& points)
{
    if (m_project.points == points && !m_project.pointsDamaged)
        return;
    m_project.points = points;
    m_project.pointsDamaged = false;
    emit pointsChanged();
}

void ProjectDocument::openPoints(const std::optional<std::vector<PointTexts>>& points, bool damaged)
{
    if (m_project.points == points && m_project.pointsDamaged == damaged)
        return;
    m_project.points = points;
    m_project.pointsDamaged = damaged;
    emit pointsChanged();
}

std::optional<calc::InputError> ProjectDocument::calculate(const calc::RegionalFormat& format)
{
    const std::string texts[] = {
        m_project.text(ProjectField::Gauge).toStdString(),
        m_project.text(ProjectField::Bottom).toStdString(),
        m_project.text(ProjectField::Top).toStdString(),
        m_project.text(ProjectField::Decimals).toStdString(),
    };
    auto calculated = calc::CalculateCourseTable({texts[0], texts[1], texts[2], texts[3]}, format);
    if (auto* error = std::get_if<calc::InputError>(&calculated))
        return std::move(*error);
    m_project.table = std::get<calc::CourseTable>(std::move(calculated));
    emit tableChanged();
    return std::nullopt;
}

void ProjectDocument::dropTable()
{
    if (!m_project.table)
        return;
    m_project.table.reset();
    emit tableChanged();
}
