#pragma once

// A drawing for CAD as a DXF file (AutoCAD 2000, millimetres), written through dxflib: closed
// polylines, lines and texts on named layers.

#include <QByteArray>

#include <string>
#include <utility>
#include <vector>

namespace platform {

class DxfDrawing {
public:
    using Point = std::pair<double, double>;

    // The layers in the order CAD lists them.
    explicit DxfDrawing(std::vector<std::string> layers);

    void closedPolyline(const std::string& layer, const std::vector<Point>& points);
    void line(const std::string& layer, Point from, Point to);
    // `height` in millimetres; the text's left end on the baseline at `at`. Any Unicode text:
    // what the file's code page has not is written as the format's \U+ escapes.
    void text(const std::string& layer, Point at, double height, const std::string& utf8);

    // The whole file.
    QByteArray bytes() const;

private:
    struct Polyline {
        std::string layer;
        std::vector<Point> points;
    };
    struct Line {
        std::string layer;
        Point from, to;
    };
    struct Text {
        std::string layer;
        Point at;
        double height;
        std::string text;
    };

    std::vector<std::string> m_layers;
    std::vector<Polyline> m_polylines;
    std::vector<Line> m_lines;
    std::vector<Text> m_texts;
};

} // namespace platform
