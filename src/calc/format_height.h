#pragma once

#include "regional_format.h"

#include <string>

namespace calc {

// The display text of a height: rounded to `decimals` places (0..18; anything else shows 2),
// halves away from zero on the value's first 18 significant digits, the integer part grouped
// by thousands, no sign on a value that rounds to zero.
std::string FormatHeight(double value, int decimals, const RegionalFormat& format);

} // namespace calc
