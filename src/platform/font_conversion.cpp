#include "font_conversion.h"

#include <QFontMetricsF>
#include <QPaintDevice>

#include <cmath>

namespace platform {

QFont ToQFont(const QString& name, double emPixels, bool bold, bool italic, bool underline,
              bool strikeOut, int deviceDpi)
{
    QFont font(name);
    font.setPointSizeF(std::max(emPixels, 0.01) * 72.0 / deviceDpi);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}

QFont ToQFont(const SurfaceFont& font, int deviceDpi)
{
    return ToQFont(font.name, font.emPixels(), font.bold, font.italic, font.underline,
                   font.strikeOut, deviceDpi);
}

TextExtent MeasureText(const SurfaceFont& font, QPaintDevice& device, const QString& text)
{
    const QFontMetricsF metrics(ToQFont(font, device.logicalDpiY()), &device);
    return {static_cast<int>(std::lround(metrics.horizontalAdvance(text))),
            static_cast<int>(std::lround(metrics.ascent() + metrics.descent())), metrics.ascent()};
}

} // namespace platform
