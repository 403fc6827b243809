#include "facade_dxf.h"

#include "platform/files/dxf_file.h"

namespace {

const std::string kStones = "STENEN";
const std::string kOpenings = "SPARINGEN";
const std::string kMeasures = "MAATVOERING";
const std::string kTexts = "TEKST";

std::vector<platform::DxfDrawing::Point> Corners(const facade::Box& box)
{
    return {
        {box.left, box.bottom}, {box.right, box.bottom}, {box.right, box.top}, {box.left, box.top}};
}

} // namespace

QByteArray FacadeDxf(const facade::FacadeDrawing& drawing)
{
    platform::DxfDrawing dxf({kStones, kOpenings, kMeasures, kTexts});
    for (const facade::DrawnStone& stone : drawing.stones)
        dxf.closedPolyline(kStones, Corners(stone.box));
    const double text = drawing.textHeight;
    for (const facade::DrawnOpening& opening : drawing.openings) {
        dxf.closedPolyline(kOpenings, Corners(opening.box));
        dxf.text(kTexts,
                 {opening.box.left + text, (opening.box.bottom + opening.box.top - text) / 2}, text,
                 opening.name);
    }
    // The dimension lines below and left of the wall, a line from the wall to each measure.
    const double line = -drawing.dimensionOffset;
    const facade::Box& wall = drawing.wall;
    dxf.line(kMeasures, {wall.left, line}, {wall.right, line});
    for (const facade::Measured& measure : drawing.across) {
        dxf.line(kMeasures, {measure.at, wall.bottom}, {measure.at, line - text / 2});
        dxf.text(kMeasures, {measure.at + text / 4, line - 1.5 * text}, text, measure.text);
    }
    dxf.line(kMeasures, {line, wall.bottom}, {line, wall.top});
    for (const facade::Measured& measure : drawing.up) {
        dxf.line(kMeasures, {wall.left, measure.at}, {line - text / 2, measure.at});
        dxf.text(kMeasures,
                 {line - text * (1 + 0.7 * double(measure.text.size())), measure.at + text / 4},
                 text, measure.text);
    }
    return dxf.bytes();
}
