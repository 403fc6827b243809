#include "platform/pages/painter_surface.h"

#include "platform/fonts/font_conversion.h"
#include "platform/pages/page_image.h"

#include <QPainter>

#include <stdexcept>

namespace platform {

PainterSurface::PainterSurface(QPaintDevice& measureDevice, int pixelsPerInch)
    : DrawingSurface(pixelsPerInch)
    , m_measureDevice(measureDevice)
{
}

QPainter& PainterSurface::painter()
{
    if (!m_painter)
        throw std::runtime_error("Er loopt geen afdruk");
    return *m_painter;
}

int PainterSurface::textWidth(const QString& text)
{
    return TextWidth(font(), m_measureDevice, text);
}

int PainterSurface::textHeight(const QString&)
{
    return TextHeight(font(), m_measureDevice);
}

void PainterSurface::textOut(int x, int y, const QString& text)
{
    QPainter& target = painter();
    if (brush().solid)
        target.fillRect(QRect(x, y, TextWidth(font(), m_measureDevice, text),
                              TextHeight(font(), m_measureDevice)),
                        brush().color);
    target.setFont(ToQFont(font(), target.device()->logicalDpiY()));
    target.setPen(font().color);
    target.drawText(QPointF(x, y + TextAscent(font(), m_measureDevice)), text);
}

void PainterSurface::line(int x1, int y1, int x2, int y2)
{
    QPainter& target = painter();
    QPen toolkitPen(pen().color, std::max(pen().width, 1));
    toolkitPen.setCapStyle(Qt::FlatCap);
    target.setPen(toolkitPen);
    target.drawLine(x1, y1, x2, y2);
}

void PainterSurface::rectangle(int left, int top, int right, int bottom)
{
    QPainter& target = painter();
    QPen toolkitPen(pen().color, std::max(pen().width, 1));
    toolkitPen.setJoinStyle(Qt::MiterJoin);
    target.setPen(toolkitPen);
    target.setBrush(brush().solid ? QBrush(brush().color) : QBrush(Qt::NoBrush));
    target.drawRect(outlineOf(QRect(left, top, right - left, bottom - top)));
}

void PainterSurface::drawPicture(int x, int y, const PageImage& picture)
{
    picture.play(painter(), QRectF(x, y, picture.width(), picture.height()));
}

void PainterSurface::stretchPicture(const QRect& target, const PageImage& picture)
{
    picture.play(painter(), QRectF(target));
}

} // namespace platform
