#pragma once

#include "regional_format.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace calc {

// A real as the user types it: blanks, an optional sign, digits with at most one regional
// decimal separator, an optional exponent, blanks. Thousands separators, other separators and
// anything that leaves the double range are refused. Read in extended precision, then rounded
// to double.
std::optional<double> ReadReal(std::string_view text, const RegionalFormat& format);

// A whole number: leading blanks, an optional sign and decimal digits with nothing after them,
// or without a sign "$", "x" or "0x" (any case) before hexadecimal digits. Must fit 32 bits.
std::optional<std::int32_t> ReadWholeNumber(std::string_view text);

// What the user is told of a field that cannot be read: its text as typed, and why.
std::string NotANumberMessage(std::string_view text);      // a real: "... is geen getal"
std::string NotAWholeNumberMessage(std::string_view text); // "... is onjuist getal"

} // namespace calc
