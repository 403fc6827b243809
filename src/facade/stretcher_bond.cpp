#include "stretcher_bond.h"

#include "calc/joint_fractions.h"

#include <algorithm>
#include <cmath>

namespace facade {
namespace {

using calc::Wide;

// What a laid joint is judged on, as typed and scaled to one unit: the head plan's points, the
// stretcher, the head joint and its limits. A double misses a joint of exactly 8 by a hair.
struct ExactHeads {
    std::vector<Wide> points;
    Wide stretcher = 0, joint = 0, from = 0, to = 0;
};

std::optional<ExactHeads> ExactHeadsOf(const FacadeInputs& facade, const AxisPlan& heads)
{
    std::vector<std::optional<calc::Decimal>> values{
        facade.stoneLength.exact, facade.headsTyped.Joint, facade.headsTyped.JointFrom,
        facade.headsTyped.JointTo};
    for (const PlanPoint& point : heads.points)
        values.push_back(point.exact);
    const std::optional<std::vector<Wide>> scaled = calc::ScaledToOneUnit(values);
    if (!scaled)
        return std::nullopt;
    const std::vector<Wide>& v = *scaled;
    return ExactHeads{{v.begin() + 4, v.end()}, v[0], v[1], v[2], v[3]};
}

// The pieces of one run and how they are judged.
class RunJudge {
public:
    RunJudge(const FacadeInputs& facade, const AxisPlan& heads)
        : m_facade(facade)
        , m_exact(ExactHeadsOf(facade, heads))
    {
    }

    bool withinLimits(const Run& run, std::int64_t stretchers, std::int64_t halves,
                      double joint) const
    {
        const std::int64_t joints = std::int64_t(run.endPiece - run.firstPiece) - 1;
        if (!m_exact) {
            const calc::BrickSetting& brick = m_facade.heads;
            return joint >= brick.JointFrom && joint <= brick.JointTo;
        }
        const ExactHeads& e = *m_exact;
        // Twice the joint times the joints: halves are (stretcher - joint) / 2 long.
        const Wide filled = 2 * (e.points[run.rightPoint] - e.points[run.leftPoint]) -
                            2 * Wide(stretchers) * e.stretcher -
                            Wide(halves) * (e.stretcher - e.joint);
        const Wide twice = 2 * Wide(joints);
        return filled >= e.from * twice && filled <= e.to * twice;
    }

private:
    const FacadeInputs& m_facade;
    std::optional<ExactHeads> m_exact;
};

class Mason {
public:
    Mason(const FacadeInputs& facade, const FacadePlans& plans, LaidFacade& laid)
        : m_facade(facade)
        , m_plans(plans)
        , m_laid(laid)
        , m_judge(facade, plans.heads)
        , m_half((facade.stoneLength.value - facade.heads.Joint) / 2)
    {
    }

    void layCourse(std::int32_t course)
    {
        std::vector<FacadePlans::OpenColumns> open;
        for (const FacadePlans::OpenColumns& opening : m_plans.openings)
            if (opening.firstCourse <= course && course <= opening.lastCourse)
                open.push_back(opening);
        std::sort(open.begin(), open.end(),
                  [](const auto& a, const auto& b) { return a.firstHead < b.firstHead; });
        std::int32_t head = 0;
        std::size_t leftPoint = 0;
        for (const FacadePlans::OpenColumns& span : open) {
            layRun(course, head, span.firstHead, leftPoint, span.leftPoint);
            head = span.endHead;
            leftPoint = span.rightPoint;
        }
        layRun(course, head, m_plans.heads.total, leftPoint, m_plans.heads.points.size() - 1);
    }

private:
    // Odd courses start with a pair on head 0 when the first course starts with a stretcher.
    bool pairsFromZero(std::int32_t course) const
    {
        return (course % 2 == 1) == (m_facade.first == FirstCourse::Stretcher);
    }

    PieceKind halfAt(std::int32_t head) const
    {
        const bool leftCorner = head == 0 && m_facade.leftEnd == WallEnd::OutsideCorner;
        const bool rightCorner =
            head == m_plans.heads.total - 1 && m_facade.rightEnd == WallEnd::OutsideCorner;
        return leftCorner || rightCorner ? PieceKind::CornerStone : PieceKind::Half;
    }

    void layRun(std::int32_t course, std::int32_t head, std::int32_t end, std::size_t leftPoint,
                std::size_t rightPoint)
    {
        if (head >= end)
            return;
        const std::int32_t offset = pairsFromZero(course) ? 0 : 1;
        Run run{course, m_laid.pieces.size(), 0, leftPoint, rightPoint, std::nullopt, true};
        std::int64_t stretchers = 0;
        std::int64_t halves = 0;
        double filled = 0;
        while (head < end) {
            const bool pairStart = head >= offset && (head - offset) % 2 == 0;
            if (pairStart && head + 1 < end) {
                m_laid.pieces.push_back(
                    {PieceKind::Stretcher, head, 0, m_facade.stoneLength.value});
                ++stretchers;
                head += 2;
            } else {
                m_laid.pieces.push_back({halfAt(head), head, 0, m_half});
                ++halves;
                head += 1;
            }
            filled += m_laid.pieces.back().length;
        }
        run.endPiece = m_laid.pieces.size();
        const double left = m_plans.heads.points[leftPoint].at;
        const double length = m_plans.heads.points[rightPoint].at - left;
        const std::size_t pieces = run.endPiece - run.firstPiece;
        double joint = 0;
        if (pieces > 1) {
            joint = (length - filled) / double(pieces - 1);
            run.withinLimits = m_judge.withinLimits(run, stretchers, halves, joint);
        }
        // Pieces longer than their room together (stones far longer than two heads) are cut to
        // it and laid without joints: a stone never reaches into an opening or past the wall.
        if (filled > length) {
            for (std::size_t i = run.firstPiece; i < run.endPiece; ++i)
                m_laid.pieces[i].length *= length / filled;
            filled = length;
            joint = 0;
        }
        if (pieces > 1)
            run.joint = joint;
        // A single piece lies in the middle of its room.
        double x = pieces > 1 ? left : left + (length - filled) / 2;
        for (std::size_t i = run.firstPiece; i < run.endPiece; ++i) {
            Piece& piece = m_laid.pieces[i];
            piece.left = x;
            x += piece.length + joint;
            count(piece.kind);
        }
        m_laid.runs.push_back(run);
    }

    void count(PieceKind kind)
    {
        StoneCount& stones = m_laid.count;
        switch (kind) {
        case PieceKind::Stretcher:
            ++stones.stretchers;
            break;
        case PieceKind::Half:
            ++stones.halves;
            break;
        case PieceKind::CornerStone:
            ++stones.cornerStones;
            break;
        }
    }

    const FacadeInputs& m_facade;
    const FacadePlans& m_plans;
    LaidFacade& m_laid;
    RunJudge m_judge;
    double m_half;
};

std::vector<double> CourseLines(const AxisPlan& courses)
{
    std::vector<double> lines{courses.points.front().at};
    for (const Stretch& stretch : courses.stretches) {
        const double from = courses.points[stretch.from].at;
        const double to = courses.points[stretch.to].at;
        for (std::int32_t k = 1; k < stretch.count; ++k)
            lines.push_back(from + (to - from) * k / stretch.count);
        lines.push_back(to);
    }
    return lines;
}

// Two halves to a stone, then the breakage on top of the whole, each rounded up; exactly on
// the percentage typed where it can be had so.
void Order(StoneCount& stones, const Measure& breakage)
{
    stones.toOrder = stones.stretchers + stones.cornerStones + (stones.halves + 1) / 2;
    if (const auto scaled = calc::ScaledToOneUnit({breakage.exact, calc::Decimal{100, 0}})) {
        const Wide percent = (*scaled)[0], hundred = (*scaled)[1];
        const Wide wanted = Wide(stones.toOrder) * (hundred + percent);
        stones.withBreakage = std::int64_t((wanted + hundred - 1) / hundred);
    } else {
        stones.withBreakage =
            std::int64_t(std::ceil(double(stones.toOrder) * (100 + breakage.value) / 100));
    }
}

} // namespace

LaidFacade LayFacade(const FacadeInputs& facade, const FacadePlans& plans)
{
    LaidFacade laid;
    laid.courseLines = CourseLines(plans.courses);
    // Every course holds about half as many stones as there are heads.
    const std::size_t courses = std::size_t(plans.courses.total);
    laid.pieces.reserve(courses * (std::size_t(plans.heads.total) / 2 + 2));
    laid.runs.reserve(courses * (facade.openings.size() + 1));
    Mason mason(facade, plans, laid);
    for (std::int32_t course = 1; course <= plans.courses.total; ++course)
        mason.layCourse(course);
    Order(laid.count, facade.breakage);
    return laid;
}

} // namespace facade
