#include "facade/facade_reading.h"
#include "facade/stretcher_bond.h"

#include "calc/format_height.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>

namespace {

using namespace facade;

const calc::RegionalFormat kDutch{",", "."};

// The README's facade: Waalformaat, 5 500 by 2 800, a window and a door.
FacadeTexts Waalformaat()
{
    FacadeTexts texts;
    texts.heads = {"100", "10", "8", "12"};
    texts.stoneLength = "210";
    texts.courses = {"50", "12,5", "10", "15"};
    texts.width = "5500";
    texts.height = "2800";
    texts.breakage = "5";
    texts.openings = {{"raam", "1200", "2410", "900", "2400"},
                      {"deur", "3300", "4310", "0", "2400"}};
    return texts;
}

std::string Shown(double value)
{
    return calc::FormatHeight(value, 2, kDutch);
}

struct Laid {
    FacadeInputs inputs;
    FacadePlans plans;
    LaidFacade facade;
};

Laid Lay(const FacadeTexts& texts)
{
    auto read = ReadFacade(texts, kDutch);
    EXPECT_TRUE(std::holds_alternative<FacadeInputs>(read));
    const FacadeInputs inputs = std::get<FacadeInputs>(read);
    auto plans = MakeFacadePlans(inputs, kDutch);
    EXPECT_TRUE(std::holds_alternative<FacadePlans>(plans));
    const FacadePlans made = std::get<FacadePlans>(plans);
    return {inputs, made, LayFacade(inputs, made)};
}

// "count kind joint" per stretch of a plan, the joint as shown and marked where outside the
// limits.
std::vector<std::string> Stretches(const AxisPlan& plan)
{
    std::vector<std::string> stretches;
    for (const Stretch& stretch : plan.stretches)
        stretches.push_back(std::to_string(stretch.count) +
                            (stretch.rule == calc::FitRule::PlusJoint ? " sparing "
                             : stretch.rule == calc::FitRule::LessJoint
                                 ? " penant "
                                 : " × " + stretch.gaugeText + " ") +
                            Shown(stretch.joint) + (stretch.withinLimits ? "" : " buiten"));
    return stretches;
}

// The worked example laid course by course as a bricklayer does: every run's pieces and joints
// laid one after another from its left edge must end on its right edge, no stone may lie in an
// opening open in its course or outside the facade, and the count is the stones laid.
TEST(Facade, TheWaalformaatExampleIsLaidStoneByStone)
{
    const Laid laid = Lay(Waalformaat());
    EXPECT_EQ(
        Stretches(laid.plans.heads),
        (std::vector<std::string>{"11 penant 10,00", "11 sparing 9,17", "8 penant 12,86 buiten",
                                  "9 sparing 11,00", "11 penant 9,00"}));
    EXPECT_EQ(Stretches(laid.plans.courses),
              (std::vector<std::string>{"14 × 64,286 14,29", "24 × 62,5 12,50",
                                        "6 × 66,667 16,67 buiten"}));

    const LaidFacade& facade = laid.facade;
    const double width = 5500, height = 2800;
    std::set<std::string> joints;
    using Edges = std::pair<std::size_t, std::size_t>;
    std::map<Edges, std::set<std::string>> betweenPoints;
    std::int64_t stretchers = 0, corners = 0, halves = 0;
    for (const facade::Run& run : facade.runs) {
        const double left = laid.plans.heads.points[run.leftPoint].at;
        const double right = laid.plans.heads.points[run.rightPoint].at;
        double x = left;
        for (std::size_t i = run.firstPiece; i < run.endPiece; ++i) {
            const Piece& piece = facade.pieces[i];
            EXPECT_NEAR(piece.left, x, 1e-9);
            x = piece.left + piece.length;
            EXPECT_GE(piece.left, -1e-9);
            EXPECT_LE(x, width + 1e-9);
            for (const Opening& opening : laid.inputs.openings) {
                const bool open = opening.bottom.value < facade.courseLines[run.course] &&
                                  facade.courseLines[run.course] <= opening.top.value + 1e-9;
                if (open) {
                    EXPECT_TRUE(x <= opening.left.value + 1e-9 ||
                                piece.left >= opening.right.value - 1e-9)
                        << "course " << run.course;
                }
            }
            EXPECT_EQ(piece.length, piece.kind == PieceKind::Stretcher ? 210 : 100);
            (piece.kind == PieceKind::Stretcher ? stretchers
             : piece.kind == PieceKind::Half    ? halves
                                                : corners)++;
            if (i + 1 < run.endPiece)
                x += *run.joint;
        }
        EXPECT_NEAR(x, right, 1e-9) << "course " << run.course;
        if (run.joint) {
            joints.insert(Shown(*run.joint) + (run.withinLimits ? "" : " buiten"));
            betweenPoints[{run.leftPoint, run.rightPoint}].insert(Shown(*run.joint));
        }
    }
    EXPECT_EQ(facade.courseLines.size(), 45u);
    EXPECT_DOUBLE_EQ(facade.courseLines.back(), height);
    EXPECT_EQ(joints, (std::set<std::string>{"8,00", "10,00", "10,40", "10,42", "10,67", "10,71",
                                             "15,00 buiten", "16,67 buiten"}));
    // The piers' own runs: corner to window, window to door, door to corner.
    EXPECT_EQ(betweenPoints[Edges(0, 1)], std::set<std::string>{"10,00"});
    EXPECT_EQ(betweenPoints[Edges(2, 3)], (std::set<std::string>{"15,00", "16,67"}));
    EXPECT_EQ(betweenPoints[Edges(4, 5)], std::set<std::string>{"8,00"});

    EXPECT_EQ(stretchers, 744);
    EXPECT_EQ(corners, 44);
    EXPECT_EQ(halves, 62);
    const StoneCount& count = facade.count;
    EXPECT_EQ(count.stretchers, 744);
    EXPECT_EQ(count.cornerStones, 44);
    EXPECT_EQ(count.halves, 62);
    EXPECT_EQ(count.toOrder, 819);
    EXPECT_EQ(count.withBreakage, 860);
}

// A half first swaps the courses; free ends close with halves instead of corner stones; a
// joint exactly on a limit stays within it, however the doubles fall.
TEST(Facade, TheFirstCourseAndTheEndsDecideTheHalves)
{
    FacadeTexts texts = Waalformaat();
    texts.openings.clear();
    texts.first = FirstCourse::Half;
    texts.rightEnd = WallEnd::FreeEnd;
    const Laid laid = Lay(texts);
    const std::vector<Piece>& pieces = laid.facade.pieces;
    // The odd courses, 23 of 45, now start with a corner stone and end with a free end's half.
    EXPECT_EQ(pieces.front().kind, PieceKind::CornerStone);
    EXPECT_EQ(pieces[laid.facade.runs[0].endPiece - 1].kind, PieceKind::Half);
    EXPECT_EQ(laid.facade.count.cornerStones, 23);
    EXPECT_EQ(laid.facade.count.halves, 23);

    // 0,1 + 0,2 is no 0,3 in doubles: seven heads of 0,1 with joints of 0,2 (limits 0,2 to 0,3).
    texts = {{"0,1", "0,2", "0,2", "0,3"},
             "0,4",
             {"50", "12,5", "10", "15"},
             "1,9",
             "62,5",
             WallEnd::OutsideCorner,
             WallEnd::OutsideCorner,
             FirstCourse::Stretcher,
             "0",
             {}};
    const Laid thin = Lay(texts);
    for (const facade::Run& run : thin.facade.runs)
        EXPECT_TRUE(run.withinLimits) << run.course << " " << *run.joint;
}

// A window above a door shares its columns: one opening stretch in the head plan, and the
// courses between the door's lintel and the window's sill run on across it.
TEST(Facade, StackedOpeningsShareTheirColumns)
{
    FacadeTexts texts = Waalformaat();
    texts.openings = {{"deur", "3300", "4310", "0", "2100"},
                      {"bovenlicht", "3300", "4310", "2400", "2800"}};
    const Laid laid = Lay(texts);
    ASSERT_EQ(laid.plans.heads.stretches.size(), 3u);
    EXPECT_EQ(laid.plans.heads.stretches[1].rule, calc::FitRule::PlusJoint);
    const auto runsIn = [&laid](double height) {
        const std::vector<double>& lines = laid.facade.courseLines;
        std::size_t runs = 0;
        for (const facade::Run& run : laid.facade.runs)
            runs += lines[std::size_t(run.course) - 1] < height &&
                    height < lines[std::size_t(run.course)];
        return runs;
    };
    EXPECT_EQ(runsIn(1000), 2u); // beside the door
    EXPECT_EQ(runsIn(2250), 1u); // over its lintel, under the window's sill
    EXPECT_EQ(runsIn(2630), 2u); // beside the window
}

// What cannot be set out is named, the first problem found.
TEST(Facade, ProblemsNameTheOpeningAndTheField)
{
    const auto problem = [](auto change) {
        FacadeTexts texts = Waalformaat();
        change(texts);
        const auto read = ReadFacade(texts, kDutch);
        if (const auto* error = std::get_if<FacadeError>(&read))
            return *error;
        const auto plans = MakeFacadePlans(std::get<FacadeInputs>(read), kDutch);
        EXPECT_TRUE(std::holds_alternative<FacadeError>(plans));
        return std::get<FacadeError>(plans);
    };
    FacadeError error = problem([](FacadeTexts& t) { t.openings[1].bottom = "x"; });
    EXPECT_EQ(error.problem, FacadeProblem::NotANumber);
    EXPECT_EQ(error.field, FacadeField::Bottom);
    EXPECT_EQ(error.opening, 1u);
    error = problem([](FacadeTexts& t) { t.openings[1].left = "2000"; });
    EXPECT_EQ(error.problem, FacadeProblem::PartialOverlap);
    EXPECT_EQ(std::pair(error.opening, error.other), std::pair(std::size_t(1), std::size_t(0)));
    error = problem([](FacadeTexts& t) { t.openings[0].left = "0"; });
    EXPECT_EQ(error.problem, FacadeProblem::OutsideWidth);
    error = problem([](FacadeTexts& t) {
        t.openings[1].left = "1200";
        t.openings[1].right = "2410";
    });
    EXPECT_EQ(error.problem, FacadeProblem::StackedOverlap);
    // Masonry between the openings that cannot hold a stone.
    error = problem([](FacadeTexts& t) { t.openings[1].left = "2450"; });
    EXPECT_EQ(error.problem, FacadeProblem::StretchCannotFill);
    EXPECT_TRUE(error.heads);
    EXPECT_EQ(std::pair(error.from, error.to), std::pair(std::size_t(2), std::size_t(3)));
}

} // namespace
