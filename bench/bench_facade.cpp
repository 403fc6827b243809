// A facade of 100 m by 30 m with 30 openings (about 900 heads by 480 courses): its plans, the
// bond, the laid joints and the count against laying as many rectangles in a plain loop; and
// the drawing painted at the window's size against painting the same rectangles with no logic.

#include "cases.h"

#include "facade/facade_reading.h"
#include "facade/stretcher_bond.h"
#include "facadewindow/facade_view.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <variant>

namespace bench {
namespace {

constexpr QSize kViewSize(660, 500);

facade::FacadeInputs WideFacade()
{
    facade::FacadeTexts texts{{"100", "10", "8", "12"},
                              "210",
                              {"50", "12,5", "10", "15"},
                              "100000",
                              "30000",
                              facade::WallEnd::OutsideCorner,
                              facade::WallEnd::OutsideCorner,
                              facade::FirstCourse::Stretcher,
                              "5",
                              {}};
    // Ten columns of three windows, one above the other.
    for (int column = 0; column < 10; ++column)
        for (int storey = 0; storey < 3; ++storey) {
            const int left = 4000 + column * 9500;
            const int bottom = 1000 + storey * 10000;
            texts.openings.push_back({"raam", std::to_string(left), std::to_string(left + 1800),
                                      std::to_string(bottom), std::to_string(bottom + 1500)});
        }
    return std::get<facade::FacadeInputs>(facade::ReadFacade(texts, {",", "."}));
}

struct Laid {
    facade::FacadeInputs inputs = WideFacade();
    facade::FacadePlans plans =
        std::get<facade::FacadePlans>(facade::MakeFacadePlans(inputs, {",", "."}));
    facade::LaidFacade laid = facade::LayFacade(inputs, plans);
    std::shared_ptr<const facade::FacadeDrawing> drawing = std::make_shared<facade::FacadeDrawing>(
        facade::DrawFacade(inputs, plans, laid, {",", "."}));
};

const Laid& laid()
{
    static const Laid facade;
    return facade;
}

void layFacade()
{
    const facade::FacadeInputs& inputs = laid().inputs;
    const auto plans = facade::MakeFacadePlans(inputs, {",", "."});
    const facade::LaidFacade result =
        facade::LayFacade(inputs, std::get<facade::FacadePlans>(plans));
    benchmark::DoNotOptimize(result.count.withBreakage);
}

// As many rectangles as the facade has stones, laid in a loop with no bond to follow.
void layRectangles()
{
    const std::size_t stones = laid().laid.pieces.size();
    std::vector<facade::Piece> pieces;
    for (std::size_t i = 0; i < stones; ++i)
        pieces.push_back({facade::PieceKind::Stretcher, int(i), double(i) * 220, 210});
    benchmark::DoNotOptimize(pieces.data());
}

// The view is made in the run: a widget costs nothing beside painting some 200 000 stones.
void paintFacade()
{
    FacadeView view;
    view.resize(kViewSize);
    view.show(laid().drawing, [](std::size_t) { return QString(); });
    QImage image(kViewSize, QImage::Format_ARGB32_Premultiplied);
    view.render(&image);
    benchmark::DoNotOptimize(image.bits());
}

// The same stones as rectangles on the same image, mapped by hand.
void paintRectangles()
{
    QImage image(kViewSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 0));
    const facade::Box& extent = laid().drawing->extent;
    const double scale = std::min(kViewSize.width() / (extent.right - extent.left),
                                  kViewSize.height() / (extent.top - extent.bottom));
    for (const facade::DrawnStone& stone : laid().drawing->stones)
        painter.drawRect(QRectF((stone.box.left - extent.left) * scale,
                                (extent.top - stone.box.top) * scale,
                                (stone.box.right - stone.box.left) * scale,
                                (stone.box.top - stone.box.bottom) * scale));
    benchmark::DoNotOptimize(image.bits());
}

const Register facadeLaid({"FacadeLaying/100m_30m", [] { return 1.0; }, {}, layFacade});
const Register rectanglesLaid({"RectanglesLaid/100m_30m", [] { return 1.0; }, {}, layRectangles});
const Register facadePainted({"FacadePainting/window", [] { return 1.0; }, {}, paintFacade});
const Register
    rectanglesPainted({"RectanglesPainting/window", [] { return 1.0; }, {}, paintRectangles});

} // namespace
} // namespace bench
