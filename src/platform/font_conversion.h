#pragma once

#include "surface_font.h"

#include <QFont>

class QPaintDevice;

namespace platform {

// The Qt font that draws a surface font at its own pixels per inch on a device of deviceDpi:
// the em comes out as pointSize * pixelsPerInch / 72 device pixels whatever the device.
QFont ToQFont(const SurfaceFont& font, int deviceDpi);
QFont ToQFont(const QString& name, double emPixels, bool bold, bool italic, bool underline,
              bool strikeOut, int deviceDpi);

// Text extents as a drawing surface reports them: whole device pixels.
struct TextExtent {
    int width = 0;
    int height = 0;
    double ascent = 0;
};
TextExtent MeasureText(const SurfaceFont& font, QPaintDevice& device, const QString& text);

} // namespace platform
