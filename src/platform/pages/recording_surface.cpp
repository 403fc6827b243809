#include "platform/pages/recording_surface.h"

#include "platform/fonts/font_conversion.h"

#include <QPaintDevice>

namespace platform {

RecordingSurface::RecordingSurface(PageImage& image, QPaintDevice& reference)
    : DrawingSurface(image.resolutionX())
    , m_image(&image)
    , m_reference(reference)
{
}

void RecordingSurface::setImage(PageImage& image)
{
    m_image = &image;
    m_fontRecorded = m_penRecorded = m_brushRecorded = false;
}

int RecordingSurface::textWidth(const QString& text)
{
    return TextWidth(font(), m_reference, text);
}

int RecordingSurface::textHeight(const QString&)
{
    return TextHeight(font(), m_reference);
}

void RecordingSurface::recordFont()
{
    if (m_fontRecorded && m_recordedFont.sameAttributes(font()) &&
        m_recordedFont.pixelsPerInch == font().pixelsPerInch)
        return;
    const SurfaceFont& current = font();
    m_image->append(PageImage::SelectFont{current.name, current.emPixels(), current.bold,
                                          current.italic, current.underline, current.strikeOut,
                                          current.color});
    m_recordedFont = current;
    m_fontRecorded = true;
}

void RecordingSurface::recordPen(const SurfacePen& pen)
{
    if (m_penRecorded && m_recordedPen == pen)
        return;
    m_image->append(PageImage::SelectPen{pen});
    m_recordedPen = pen;
    m_penRecorded = true;
}

void RecordingSurface::recordBrush()
{
    if (m_brushRecorded && m_recordedBrush == brush())
        return;
    m_image->append(PageImage::SelectBrush{brush()});
    m_recordedBrush = brush();
    m_brushRecorded = true;
}

void RecordingSurface::textOut(int x, int y, const QString& text)
{
    if (brush().solid) {
        // Readers of page files differ on opaque text; an explicit filled box looks the same
        // everywhere.
        recordBrush();
        recordPen({1, brush().color});
        m_image->append(PageImage::Rectangle{
            QRect(x, y, TextWidth(font(), m_reference, text), TextHeight(font(), m_reference))});
    }
    recordFont();
    m_image->append(PageImage::Text{
        QPoint(x, y), y + static_cast<int>(std::lround(TextAscent(font(), m_reference))), text});
}

void RecordingSurface::line(int x1, int y1, int x2, int y2)
{
    recordPen(pen());
    m_image->append(PageImage::Line{QPoint(x1, y1), QPoint(x2, y2)});
}

void RecordingSurface::rectangle(int left, int top, int right, int bottom)
{
    recordPen(pen());
    recordBrush();
    m_image->append(PageImage::Rectangle{QRect(left, top, right - left, bottom - top)});
}

} // namespace platform
