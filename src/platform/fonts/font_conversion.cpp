#include "platform/fonts/font_conversion.h"

#include <QFontMetricsF>
#include <QPaintDevice>

#include <cmath>
#include <optional>

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

namespace {

// The metrics of the font measured last. A report measures thousands of texts in one font, and
// resolving the font anew for each cost more than measuring the text; metrics depend only on
// the font and the device's pixels per inch.
const QFontMetricsF& metricsOf(const SurfaceFont& font, QPaintDevice& device)
{
    struct Last {
        SurfaceFont font;
        int dpi = 0;
        std::optional<QFontMetricsF> metrics;
    };
    thread_local Last last;
    const int dpi = device.logicalDpiY();
    if (!last.metrics || dpi != last.dpi || font.pixelsPerInch != last.font.pixelsPerInch ||
        !font.sameAttributes(last.font)) {
        last.metrics.emplace(ToQFont(font, dpi), &device);
        last.font = font;
        last.dpi = dpi;
    }
    return *last.metrics;
}

} // namespace

int TextWidth(const SurfaceFont& font, QPaintDevice& device, const QString& text)
{
    return static_cast<int>(std::lround(metricsOf(font, device).horizontalAdvance(text)));
}

int TextHeight(const SurfaceFont& font, QPaintDevice& device)
{
    const QFontMetricsF& metrics = metricsOf(font, device);
    return static_cast<int>(std::lround(metrics.ascent() + metrics.descent()));
}

double TextAscent(const SurfaceFont& font, QPaintDevice& device)
{
    return metricsOf(font, device).ascent();
}

} // namespace platform
