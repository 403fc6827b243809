#include "rod_layout.h"

#include "rounding.h"

#include <algorithm>

std::variant<std::vector<RodSheet>, RodProblem> LayOutRod(const std::vector<double>& heights,
                                                          double pixelsPerMm, int length)
{
    if (heights.size() > kMaxRodCourses + 1)
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
