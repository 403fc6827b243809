#pragma once

// A value as the table shows it, in a form that compares as a number: the sign and the digits
// without separators or leading zeros. Only values shown with the same decimals compare.

#include <cstdint>
#include <string>
#include <string_view>

namespace calc {

struct ShownValue {
    bool negative = false;
    std::string digits;
};

// The digits of a number text without separators, sign or leading zeros.
std::string SignificantDigits(std::string_view text);

ShownValue Shown(double value, std::int32_t decimals);

// Below zero, zero or above zero as a is below, equal to or above b.
int Compare(const ShownValue& a, const ShownValue& b);

} // namespace calc
