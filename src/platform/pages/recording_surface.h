#pragma once

#include "platform/pages/drawing_surface.h"
#include "platform/pages/page_image.h"

class QPaintDevice;

namespace platform {

// A surface that records into a page image, in the printer's pixels: text is measured on the
// printer (the reference device) so that the image lays out exactly like the printed page.
// Its fonts take the printer's horizontal resolution.
class RecordingSurface : public DrawingSurface {
public:
    RecordingSurface(PageImage& image, QPaintDevice& reference);

    // Records from now on into another image; the surface keeps its font, pen and brush.
    void setImage(PageImage& image);

    int textWidth(const QString& text) override;
    int textHeight(const QString& text) override;
    void textOut(int x, int y, const QString& text) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int left, int top, int right, int bottom) override;

private:
    void recordFont();
    void recordPen(const SurfacePen& pen);
    void recordBrush();

    PageImage* m_image;
    QPaintDevice& m_reference;
    bool m_fontRecorded = false;
    SurfaceFont m_recordedFont;
    bool m_penRecorded = false;
    SurfacePen m_recordedPen;
    bool m_brushRecorded = false;
    SurfaceBrush m_recordedBrush;
};

} // namespace platform
