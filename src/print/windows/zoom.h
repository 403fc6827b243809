#pragma once

// Display pixels per inch of paper at a zoom step of the preview: 25 %, 33 %, 50 % below 100 %,
// then 120 %, 180 %, 240 % and 300 % above it.
constexpr int kSmallestZoomStep = -3;
constexpr int kLargestZoomStep = 4;

constexpr double DisplayPixelsPerInch(int zoomStep)
{
    return zoomStep < 0    ? 96.0 / (1 - zoomStep)
           : zoomStep == 0 ? 96.0
                           : (zoomStep + 1) * 0.6 * 96.0;
}
