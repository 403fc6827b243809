#pragma once

#include <cmath>

// Lengths on the page and the preview's sizes are rounded to whole pixels with an exact half
// going to the even neighbour, as the print geometry has always done.
inline int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}
