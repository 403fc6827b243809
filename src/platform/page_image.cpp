#include "page_image.h"

#include "font_conversion.h"

#include <QPainter>
#include <QPen>

namespace platform {
namespace {

// Replays the recorded state changes and drawings onto a painter.
class Player {
public:
    explicit Player(QPainter& painter)
        : m_painter(painter)
    {
    }

    void operator()(const PageImage::SelectFont& font)
    {
        m_painter.setFont(ToQFont(font.name, font.emPixels, font.bold, font.italic, font.underline,
                                  font.strikeOut, m_painter.device()->logicalDpiY()));
        m_textColor = font.color;
    }
    void operator()(const PageImage::SelectPen& pen) { m_pen = pen.pen; }
    void operator()(const PageImage::SelectBrush& brush) { m_brush = brush.brush; }
    void operator()(const PageImage::Text& text)
    {
        m_painter.setPen(m_textColor);
        m_painter.drawText(QPointF(text.topLeft.x(), text.baseline), text.text);
    }
    void operator()(const PageImage::Line& line)
    {
        m_painter.setPen(toolkitPen());
        m_painter.drawLine(line.from, line.to);
    }
    void operator()(const PageImage::Rectangle& rectangle)
    {
        m_painter.setPen(toolkitPen());
        m_painter.setBrush(m_brush.solid ? QBrush(m_brush.color) : QBrush(Qt::NoBrush));
        m_painter.drawRect(outlineOf(rectangle.area));
    }

private:
    QPen toolkitPen() const
    {
        QPen pen(m_pen.color, std::max(m_pen.width, 1));
        // Scaled down for the screen, a thin line would fall between the pixels; like a
        // metafile player, draw it at least one device pixel wide.
        if (pen.widthF() * m_painter.transform().m11() < 1)
            pen.setCosmetic(true), pen.setWidth(1);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        return pen;
    }

    QPainter& m_painter;
    QColor m_textColor = Qt::black;
    SurfacePen m_pen;
    SurfaceBrush m_brush;
};

} // namespace

QRectF outlineOf(const QRect& area)
{
    return QRectF(area.x(), area.y(), area.width() - 1, area.height() - 1);
}

PageImage::PageImage(QSize sizePixels, QSizeF frameMillimetres, int resolutionX, int resolutionY)
    : m_size(sizePixels)
    , m_frame(frameMillimetres)
    , m_resolutionX(resolutionX)
    , m_resolutionY(resolutionY)
{
}

void PageImage::play(QPainter& painter, const QRectF& target) const
{
    if (m_size.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / m_size.width(), target.height() / m_size.height());
    Player player(painter);
    for (const Operation& operation : m_operations)
        std::visit(player, operation);
    painter.restore();
}

} // namespace platform
