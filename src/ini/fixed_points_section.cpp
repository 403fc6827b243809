#include "fixed_points_section.h"

#include "fixed_point_value.h"
#include "project_keys.h"
#include "project_lines.h"
#include "project_section.h"
#include "value_encoding.h"

#include <algorithm>

namespace {

QByteArray keyOf(std::size_t index)
{
    return "PUNT" + QByteArray::number(index + 1);
}

} // namespace

void WriteFixedPointsSection(ProjectLineWriter& out, const std::vector<FixedPointTexts>& points)
{
    for (std::size_t i = 0; i < std::min(points.size(), kMaxFixedPoints); ++i)
        out.writeLine(
            CutAtCharacter(keyOf(i) + '=' + EncodeFixedPoint(points[i]), kProjectLineLimit));
    out.endLine();
}

std::optional<std::vector<FixedPointTexts>> ReadFixedPointsSection(ProjectLineReader& lines)
{
    std::vector<FixedPointTexts> points;
    bool damaged = false;
    QByteArray line;
    // The section is read to its end even when damaged, so that the reading goes on after it.
    while (NextLineInSection(lines)) {
        lines.readLine(line);
        if (line.isEmpty() || damaged)
            continue;
        std::optional<FixedPointTexts> point;
        if (line.size() <= kProjectLineLimit && points.size() < kMaxFixedPoints &&
            ProjectKeyOf(line) == keyOf(points.size()))
            point = DecodeFixedPoint(ProjectValueOf(line));
        if (point)
            points.push_back(*point);
        else
            damaged = true;
    }
    return damaged ? std::nullopt : std::optional(std::move(points));
}
