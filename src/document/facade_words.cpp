#include "facade_words.h"

#include "shown_height.h"

#include "facade/facade_reading.h"

#include <algorithm>

namespace {

QString SideWord(facade::Side side)
{
    switch (side) {
    case facade::Side::Left:
        return QStringLiteral("links");
    case facade::Side::Right:
        return QStringLiteral("rechts");
    case facade::Side::Bottom:
        return QStringLiteral("onder");
    case facade::Side::Top:
        break;
    }
    return QStringLiteral("boven");
}

QString PieceWord(facade::PieceKind kind)
{
    switch (kind) {
    case facade::PieceKind::Stretcher:
        return QStringLiteral("strek");
    case facade::PieceKind::Half:
        return QStringLiteral("halve steen");
    case facade::PieceKind::CornerStone:
        break;
    }
    return QStringLiteral("hoeksteen");
}

// "15,00 en 16,67", "8,00, 9,00 en 10,00".
QString Enumerated(const QStringList& items)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" en ") +
           items.back();
}

} // namespace

QStringList FacadeHeadHeaders()
{
    return {QStringLiteral("Van"),    QStringLiteral("Tot"),        QStringLiteral("Soort"),
            QStringLiteral("Koppen"), QStringLiteral("Koppenmaat"), QStringLiteral("Stootvoeg"),
            QStringLiteral("Gelegd"), QStringLiteral("Opmerking")};
}

QStringList FacadeCourseHeaders()
{
    return {QStringLiteral("Van"),       QStringLiteral("Tot"),      QStringLiteral("Lagen"),
            QStringLiteral("Lagenmaat"), QStringLiteral("Lintvoeg"), QStringLiteral("Opmerking")};
}

QString FacadePointName(const facade::PlanPoint& point, bool heads, const FacadeNames& names)
{
    QStringList named;
    if (point.wallEnd) {
        const bool first = point.at == 0;
        const facade::WallEnd end = first ? names.leftEnd : names.rightEnd;
        if (!heads)
            named << (first ? QStringLiteral("peil") : QStringLiteral("bovenkant"));
        else if (end == facade::WallEnd::OutsideCorner)
            named << (first ? QStringLiteral("linkerhoek") : QStringLiteral("rechterhoek"));
        else
            named << (first ? QStringLiteral("linkereind") : QStringLiteral("rechtereind"));
    }
    for (const auto& [opening, side] : point.sides) {
        const std::string& name = names.openings[opening];
        named << (name.empty() ? QStringLiteral("sparing %1").arg(opening + 1)
                               : QString::fromStdString(name)) +
                     QLatin1Char(' ') + SideWord(side);
    }
    return named.join(QStringLiteral(", "));
}

FacadeWording::FacadeWording(const facade::FacadeInputs& facade, const facade::FacadePlans& plans,
                             const facade::LaidFacade& laid, calc::RegionalFormat format)
    : m_facade(facade)
    , m_plans(plans)
    , m_laid(laid)
    , m_format(std::move(format))
{
    for (const facade::Opening& opening : facade.openings)
        m_names.openings.push_back(opening.name);
    m_names.leftEnd = facade.leftEnd;
    m_names.rightEnd = facade.rightEnd;
    for (const facade::Run& run : laid.runs) {
        if (!run.joint)
            continue;
        Laid& between = m_between[{run.leftPoint, run.rightPoint}];
        between.joints.insert(*run.joint);
        if (!run.withinLimits)
            between.outside.insert(*run.joint);
        m_smallest = std::min(m_smallest.value_or(*run.joint), *run.joint);
        m_largest = std::max(m_largest.value_or(*run.joint), *run.joint);
    }
}

QString FacadeWording::shown(double value) const
{
    return ShownHeight(value, facade::kFacadeDecimals, m_format);
}

QString FacadeWording::asTyped(double value, const std::optional<calc::Decimal>& typed) const
{
    return ShownHeight(value, typed ? typed->scale : 0, m_format);
}

QString FacadeWording::pointName(const facade::AxisPlan& plan, std::size_t point, bool heads) const
{
    return FacadePointName(plan.points[point], heads, m_names);
}

QString FacadeWording::limits() const
{
    return asTyped(m_facade.heads.JointFrom, m_facade.headsTyped.JointFrom) + QStringLiteral("–") +
           asTyped(m_facade.heads.JointTo, m_facade.headsTyped.JointTo);
}

QStringList FacadeWording::headCells(const facade::Stretch& stretch) const
{
    const bool pier = stretch.rule == calc::FitRule::LessJoint;
    QStringList laid;
    QStringList outside;
    if (pier) {
        if (const auto found = m_between.find({stretch.from, stretch.to});
            found != m_between.end()) {
            for (const double joint : found->second.joints)
                laid << shown(joint);
            for (const double joint : found->second.outside)
                outside << shown(joint);
        }
    }
    QStringList remarks;
    if (!stretch.withinLimits)
        remarks << QStringLiteral("voeg %1 buiten %2").arg(shown(stretch.joint), limits());
    if (!outside.isEmpty())
        remarks << QStringLiteral("gelegd %1 buiten %2").arg(Enumerated(outside), limits());
    return {pointName(m_plans.heads, stretch.from, true),
            pointName(m_plans.heads, stretch.to, true),
            pier ? QStringLiteral("penant") : QStringLiteral("sparing"),
            QString::number(stretch.count),
            QString::fromStdString(stretch.gaugeText),
            shown(stretch.joint),
            Enumerated(laid),
            remarks.join(QStringLiteral(", "))};
}

QStringList FacadeWording::courseCells(const facade::Stretch& stretch) const
{
    QString remark;
    if (!stretch.withinLimits)
        remark = QStringLiteral("voeg %1 buiten %2–%3")
                     .arg(shown(stretch.joint),
                          asTyped(m_facade.courses.JointFrom, m_facade.coursesTyped.JointFrom),
                          asTyped(m_facade.courses.JointTo, m_facade.coursesTyped.JointTo));
    return {pointName(m_plans.courses, stretch.from, false),
            pointName(m_plans.courses, stretch.to, false),
            QString::number(stretch.count),
            QString::fromStdString(stretch.gaugeText),
            shown(stretch.joint),
            remark};
}

QString FacadeWording::jointsLine() const
{
    if (!m_smallest)
        return {};
    return QStringLiteral("Stootvoegen gelegd van %1 tot %2")
        .arg(shown(*m_smallest), shown(*m_largest));
}

QString FacadeWording::countLine() const
{
    const facade::StoneCount& count = m_laid.count;
    const auto number = [this](std::int64_t value) {
        return ShownHeight(double(value), 0, m_format);
    };
    return QStringLiteral("%1 strekken, %2 hoekstenen en %3 halve stenen; te bestellen %1 + %2 + "
                          "%4 = %5 stenen + %6 % breuk = %7")
        .arg(number(count.stretchers), number(count.cornerStones), number(count.halves),
             number((count.halves + 1) / 2), number(count.toOrder),
             asTyped(m_facade.breakage.value, m_facade.breakage.exact), number(count.withBreakage));
}

const facade::Run& FacadeWording::runOf(std::size_t piece) const
{
    const auto after = std::upper_bound(
        m_laid.runs.begin(), m_laid.runs.end(), piece,
        [](std::size_t at, const facade::Run& run) { return at < run.firstPiece; });
    return *(after - 1);
}

QString FacadeWording::pieceText(std::size_t index) const
{
    const facade::Piece& piece = m_laid.pieces[index];
    const facade::Run& run = runOf(index);
    QString text =
        QStringLiteral("laag %1, kop %2: %3")
            .arg(QString::number(run.course), QString::number(piece.head), PieceWord(piece.kind));
    if (run.joint)
        text += QStringLiteral(", voeg ") + shown(*run.joint);
    return text;
}
