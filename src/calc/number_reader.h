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

// A real exactly as typed: units / 10^scale. Lengths a builder types, joints on a limit among
// them, compare exactly only on these; a double misses 10 by 10^-15.
__extension__ typedef __int128 Wide; // GCC and Clang have it; C++ has no 128-bit integer yet

struct Decimal {
    Wide units = 0;
    std::int32_t scale = 0; // 0 to kMaxDecimalScale
};
constexpr std::int32_t kMaxDecimalScale = 30;

// The text ReadReal accepts, exactly; nothing for one that needs more than 30 significant
// digits or 30 decimals (its double is all there is of it then).
std::optional<Decimal> ReadDecimal(std::string_view text, const RegionalFormat& format);

// A whole number: leading blanks, an optional sign and decimal digits with nothing after them,
// or without a sign "$", "x" or "0x" (any case) before hexadecimal digits. Must fit 32 bits.
std::optional<std::int32_t> ReadWholeNumber(std::string_view text);

// What the user is told of a field that cannot be read: its text as typed, and why.
std::string NotANumberMessage(std::string_view text);      // a real: "... is geen getal"
std::string NotAWholeNumberMessage(std::string_view text); // "... is onjuist getal"

} // namespace calc
