#pragma once

#include "platform/pages/drawing_surface.h"

#include <QRect>

class QPaintDevice;
class QPainter;

namespace platform {

class PageImage;

// A surface that draws with a QPainter (a printer page, a bitmap) and measures text on a
// reference device, which may be measured also while no painter is active.
class PainterSurface : public DrawingSurface {
public:
    PainterSurface(QPaintDevice& measureDevice, int pixelsPerInch);

    // The painter to draw with, or nullptr while nothing can be drawn.
    void setPainter(QPainter* painter) { m_painter = painter; }

    int textWidth(const QString& text) override;
    int textHeight(const QString& text) override;
    void textOut(int x, int y, const QString& text) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int left, int top, int right, int bottom) override;
    // Page images, at their own size or stretched into a rectangle (printer pages, bitmaps).
    void drawPicture(int x, int y, const PageImage& picture);
    void stretchPicture(const QRect& target, const PageImage& picture);

private:
    QPainter& painter();

    QPaintDevice& m_measureDevice;
    QPainter* m_painter = nullptr;
};

} // namespace platform
