#pragma once

#include "platform/fonts/surface_font.h"

#include <QString>

namespace platform {

// Where printing draws: a printer page, a page image or a bitmap. Device pixels, origin at the
// top-left of the printable area. The font, pen and brush are the surface's current state and
// apply to what is drawn next.
class DrawingSurface {
public:
    explicit DrawingSurface(int pixelsPerInch) { m_font.pixelsPerInch = pixelsPerInch; }
    virtual ~DrawingSurface() = default;
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    const SurfaceFont& font() const { return m_font; }
    // Takes the attributes of font; the surface keeps its own pixels per inch.
    void setFont(const SurfaceFont& font) { m_font.assign(font); }

    const SurfacePen& pen() const { return m_pen; }
    void setPen(const SurfacePen& pen) { m_pen = pen; }
    const SurfaceBrush& brush() const { return m_brush; }
    void setBrush(const SurfaceBrush& brush) { m_brush = brush; }

    virtual int textWidth(const QString& text) = 0;
    virtual int textHeight(const QString& text) = 0;
    // Text with its top-left corner at (x, y); a solid brush fills its background first.
    virtual void textOut(int x, int y, const QString& text) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    // A line of its own width in the pen's colour; what is drawn after it has the pen as before.
    void lineOfWidth(int width, int x1, int y1, int x2, int y2)
    {
        const SurfacePen previous = m_pen;
        m_pen.width = width;
        line(x1, y1, x2, y2);
        m_pen = previous;
    }
    virtual void rectangle(int left, int top, int right, int bottom) = 0;

private:
    SurfaceFont m_font;
    SurfacePen m_pen;
    SurfaceBrush m_brush;
};

} // namespace platform
