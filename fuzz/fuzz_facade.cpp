// The facade on any texts: it must neither crash nor hang, every stone must lie inside the wall
// and outside every opening open in its course, each run's pieces and joints laid one after
// another must end on its far edge, and the count must be the stones laid.
// Input: a byte for the separators, the ends and the first course; a byte for the number of
// openings (up to 8); then the head stone, head joint, its limits, the stone length, the course
// stone, bed joint, its limits, the width, the height and the breakage; then per opening its
// name, left, right, bottom and top; every text ended by a line feed.

#include "facade/facade_reading.h"
#include "facade/stretcher_bond.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace {

// A hair of the wall's size: where pieces end is summed in doubles.
double Tolerance(const facade::FacadeInputs& facade)
{
    return 1e-9 * (facade.width.value + facade.stoneLength.value + facade.heads.Stone) + 1e-9;
}

void CheckLaid(const facade::FacadeInputs& facade, const facade::FacadePlans& plans,
               const facade::LaidFacade& laid, const std::string& context)
{
    const double slack = Tolerance(facade);
    std::int64_t stretchers = 0, corners = 0, halves = 0;
    for (const facade::Run& run : laid.runs) {
        const double left = plans.heads.points[run.leftPoint].at;
        const double right = plans.heads.points[run.rightPoint].at;
        double x = left;
        for (std::size_t i = run.firstPiece; i < run.endPiece; ++i) {
            const facade::Piece& piece = laid.pieces[i];
            const double end = piece.left + piece.length;
            fuzz::Check(piece.left >= -slack && end <= facade.width.value + slack,
                        "a stone outside the wall, " + context);
            for (std::size_t o = 0; o < facade.openings.size(); ++o) {
                const auto& open = plans.openings[o];
                if (run.course < open.firstCourse || run.course > open.lastCourse)
                    continue;
                const facade::Opening& opening = facade.openings[o];
                fuzz::Check(end <= opening.left.value + slack ||
                                piece.left >= opening.right.value - slack,
                            "a stone in an open opening, " + context);
            }
            if (run.joint)
                fuzz::Check(std::abs(piece.left - x) <= slack * (1 + double(i - run.firstPiece)),
                            "a piece not where the joints before it end, " + context);
            x = end + (run.joint ? *run.joint : 0);
            (piece.kind == facade::PieceKind::Stretcher ? stretchers
             : piece.kind == facade::PieceKind::Half    ? halves
                                                        : corners)++;
        }
        if (run.joint)
            fuzz::Check(std::abs(x - *run.joint - right) <= slack * double(run.endPiece),
                        "a run that does not end on its edge, " + context);
    }
    const facade::StoneCount& count = laid.count;
    fuzz::Check(count.stretchers == stretchers && count.cornerStones == corners &&
                    count.halves == halves &&
                    count.toOrder == stretchers + corners + (halves + 1) / 2 &&
                    count.withBreakage >= count.toOrder,
                "the count is not the stones laid, " + context);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::uint8_t flags = data[0];
    const std::size_t openings = data[1] % 9;
    const calc::RegionalFormat format =
        flags & 1 ? calc::RegionalFormat{",", "."} : calc::RegionalFormat{".", ","};
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    fuzz::Lines lines(bytes);
    facade::FacadeTexts texts;
    const auto next = [&lines] {
        return std::string(lines.Next());
    };
    texts.heads = {next(), next(), next(), next()};
    texts.stoneLength = next();
    texts.courses = {next(), next(), next(), next()};
    texts.width = next();
    texts.height = next();
    texts.breakage = next();
    texts.leftEnd = flags & 2 ? facade::WallEnd::FreeEnd : facade::WallEnd::OutsideCorner;
    texts.rightEnd = flags & 4 ? facade::WallEnd::FreeEnd : facade::WallEnd::OutsideCorner;
    texts.first = flags & 8 ? facade::FirstCourse::Half : facade::FirstCourse::Stretcher;
    for (std::size_t i = 0; i < openings; ++i)
        texts.openings.push_back({next(), next(), next(), next(), next()});
    const std::string context = "input " + fuzz::Escaped(bytes);

    const auto read = facade::ReadFacade(texts, format);
    if (!std::holds_alternative<facade::FacadeInputs>(read))
        return 0;
    const facade::FacadeInputs& inputs = std::get<facade::FacadeInputs>(read);
    const auto plans = facade::MakeFacadePlans(inputs, format);
    if (!std::holds_alternative<facade::FacadePlans>(plans))
        return 0;
    const facade::FacadePlans& made = std::get<facade::FacadePlans>(plans);
    CheckLaid(inputs, made, facade::LayFacade(inputs, made), context);
    return 0;
}
