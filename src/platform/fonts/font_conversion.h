#pragma once

#include "platform/fonts/surface_font.h"

#include <QFont>

class QPaintDevice;

namespace platform {

// The Qt font that draws a surface font at its own pixels per inch on a device of deviceDpi:
// the em comes out as pointSize * pixelsPerInch / 72 device pixels whatever the device.
QFont ToQFont(const SurfaceFont& font, int deviceDpi);
QFont ToQFont(const QString& name, double emPixels, bool bold, bool italic, bool underline,
              bool strikeOut, int deviceDpi);

// Text measures as a drawing surface reports them: width and height in whole device pixels; the
// ascent as Qt gives it, for placing the baseline.
int TextWidth(const SurfaceFont& font, QPaintDevice& device, const QString& text);
int TextHeight(const SurfaceFont& font, QPaintDevice& device);
double TextAscent(const SurfaceFont& font, QPaintDevice& device);

} // namespace platform
