#include "print/reports/rod_layout.h"

#include "print/engine/rounding.h"

#include <algorithm>

std::variant<std::vector<RodSheet>, RodProblem> LayOutRod(const std::vector<double>& heights,
                                                          double pixelsPerMm, int length)
{
    if (TooManyRodCourses(heights.size()))
        return RodProblem::TooManyCourses;
    if (length <= 0)
        return RodProblem::NoRoom;
    std::vector<RodSheet> sheets;
    std::size_t first = 0;
    do {
        RodSheet sheet;
        sheet.first = first;
        for (std::size_t course = first; course < heights.size(); ++course) {
            // Rounded from the exact distance: never the sum of rounded steps.
            const int offset = RoundHalfEven((heights[course] - heights[first]) * pixelsPerMm);
            if (offset > length)
                break;
            sheet.offsets.push_back(offset);
        }
        sheet.last = first + sheet.offsets.size() - 1;
        if (sheet.last == first && heights.size() > first + 1)
            return RodProblem::GaugeTooLong;
        if (sheets.size() == kMaxRodSheets)
            return RodProblem::TooManySheets;
        first = sheet.last;
        sheets.push_back(std::move(sheet));
    } while (first + 1 < heights.size());
    return sheets;
}

int LabelEvery(const std::vector<RodSheet>& sheets, int pitch)
{
    int closest = pitch;
    for (const RodSheet& sheet : sheets)
        for (std::size_t i = 1; i < sheet.offsets.size(); ++i)
            closest = std::min(closest, sheet.offsets[i] - sheet.offsets[i - 1]);
    if (closest >= pitch)
        return 1;
    // Rounding makes steps differ by a pixel: a step of k courses is at least k * closest.
    return std::max(1, (pitch + closest - 1) / std::max(1, closest));
}

namespace {

bool Crowds(const RodBox& a, const RodBox& b, int clearance)
{
    return a.left < b.right + clearance && b.left < a.right + clearance &&
           a.top < b.bottom + clearance && b.top < a.bottom + clearance;
}

// Moves a box along (x, y) just past each placed box it crowds. It only ever moves one way, so
// it passes each placed box at most once.
RodBox Slide(RodBox box, int stepX, int stepY, const std::vector<RodBox>& placed, int clearance)
{
    for (bool moved = true; moved && (stepX != 0 || stepY != 0);) {
        moved = false;
        for (const RodBox& other : placed) {
            if (!Crowds(box, other, clearance))
                continue;
            int shift = 0;
            if (stepX > 0)
                shift = other.right + clearance - box.left;
            else if (stepX < 0)
                shift = box.right - (other.left - clearance);
            else if (stepY > 0)
                shift = other.bottom + clearance - box.top;
            else
                shift = box.bottom - (other.top - clearance);
            box.left += shift * stepX;
            box.right += shift * stepX;
            box.top += shift * stepY;
            box.bottom += shift * stepY;
            moved = true;
        }
    }
    return box;
}

} // namespace

std::vector<std::optional<RodBox>> PlaceLabels(const std::vector<RodLabel>& labels, int clearance)
{
    std::vector<std::optional<RodBox>> places(labels.size());
    std::vector<RodBox> placed;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const RodLabel& label = labels[i];
        if (!label.required)
            continue;
        places[i] = Slide(label.box, label.stepX, label.stepY, placed, clearance);
        placed.push_back(*places[i]);
    }
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const RodLabel& label = labels[i];
        if (label.required || std::any_of(placed.begin(), placed.end(), [&](const RodBox& other) {
                return Crowds(label.box, other, clearance);
            }))
            continue;
        places[i] = label.box;
        placed.push_back(label.box);
    }
    return places;
}
