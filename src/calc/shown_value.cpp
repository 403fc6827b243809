#include "shown_value.h"

#include "format_height.h"
#include "regional_format.h"

namespace calc {

std::string SignificantDigits(std::string_view text)
{
    std::string digits;
    for (const char c : text)
        if (c >= '0' && c <= '9' && !(digits.empty() && c == '0'))
            digits += c;
    return digits;
}

ShownValue Shown(double value, std::int32_t decimals)
{
    static const RegionalFormat kDigitsOnly{".", ""};
    const std::string text = FormatHeight(value, decimals, kDigitsOnly);
    return {!text.empty() && text.front() == '-', SignificantDigits(text)};
}

int Compare(const ShownValue& a, const ShownValue& b)
{
    if (a.negative != b.negative)
        return a.negative ? -1 : 1;
    int magnitude = 0;
    if (a.digits.size() != b.digits.size())
        magnitude = a.digits.size() < b.digits.size() ? -1 : 1;
    else
        magnitude = a.digits.compare(b.digits) < 0 ? -1 : (a.digits == b.digits ? 0 : 1);
    return a.negative ? -magnitude : magnitude;
}

} // namespace calc
