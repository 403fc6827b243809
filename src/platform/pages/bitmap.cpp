#include "platform/pages/bitmap.h"

#include <cmath>

namespace platform {
namespace {

QImage whiteImage(int width, int height, int pixelsPerInch)
{
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(std::lround(pixelsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

} // namespace

Bitmap::Bitmap(int width, int height, int pixelsPerInch)
    : m_image(whiteImage(width, height, pixelsPerInch))
    , m_canvas(m_image, pixelsPerInch)
{
    startPainting();
    m_canvas.setPainter(&m_painter);
}

void Bitmap::startPainting()
{
    m_painter.begin(&m_image);
    // Lines and boxes stay crisp on whole pixels, as on paper; text is smoothed.
    m_painter.setRenderHint(QPainter::TextAntialiasing);
}

Bitmap::~Bitmap()
{
    if (m_painter.isActive())
        m_painter.end();
}

void Bitmap::release()
{
    m_canvas.setPainter(nullptr);
    if (m_painter.isActive())
        m_painter.end();
    m_image = QImage();
}

const QImage& Bitmap::image()
{
    // A painter may hold drawing back until it ends; what the caller sees must be complete.
    if (m_painter.isActive()) {
        m_painter.end();
        startPainting();
    }
    return m_image;
}

} // namespace platform
