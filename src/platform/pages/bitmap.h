#pragma once

#include "platform/pages/painter_surface.h"

#include <QImage>
#include <QPainter>

namespace platform {

// A white bitmap of a given size with a drawing surface on it. pixelsPerInch is the bitmap's
// own resolution, so that fonts scaled onto it keep the metrics of the device they came from.
class Bitmap {
public:
    Bitmap(int width, int height, int pixelsPerInch = 96);
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    PainterSurface& canvas() { return m_canvas; }
    // The picture drawn so far.
    const QImage& image();
    // Gives back the pixels ahead of the bitmap's end, so that a successor can take their room
    // first; nothing can be drawn or shown afterwards.
    void release();

private:
    void startPainting();

    QImage m_image;
    QPainter m_painter;
    PainterSurface m_canvas;
};

} // namespace platform
