#include "format_height.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace calc {
namespace {

constexpr int kSignificantDigits = 18;
constexpr int kMaxDecimals = 18;
constexpr int kOutOfRangeDecimals = 2;

// value = 0.d1 d2 ... d18 * 10^power, digits as '0'..'9'.
struct Significand {
    std::array<char, kSignificantDigits> digits{};
    int power = 0;
};

// Rounds the digits of a scientific to_chars rendering ("d.ddd...e+XX") to 18 significant
// digits, halves away from zero. Returns false when the rendering cannot decide the half.
bool roundRendering(std::string_view rendering, Significand& out, bool exact)
{
    std::string digits;
    std::size_t i = 0;
    for (; i < rendering.size() && rendering[i] != 'e'; ++i)
        if (rendering[i] != '.')
            digits += rendering[i];
    int exponent = 0;
    const char* exponentText = rendering.data() + i + 1;
    if (*exponentText == '+')
        ++exponentText;
    std::from_chars(exponentText, rendering.data() + rendering.size(), exponent);
    const int power = exponent + 1;

    const std::string_view tail = std::string_view(digits).substr(kSignificantDigits, 6);
    // The six digits past the kept ones decide, unless rounding to 24 digits may have moved
    // the value across the half; then only the exact expansion can tell.
    if (!exact && (tail == "500000" || tail == "499999"))
        return false;

    bool roundUp = digits[kSignificantDigits] >= '5';
    out.power = power;
    std::copy_n(digits.begin(), kSignificantDigits, out.digits.begin());
    for (int k = kSignificantDigits - 1; roundUp && k >= 0; --k) {
        if (out.digits[k] == '9') {
            out.digits[k] = '0';
        } else {
            ++out.digits[k];
            roundUp = false;
        }
    }
    if (roundUp) {
        out.digits.fill('0');
        out.digits[0] = '1';
        ++out.power;
    }
    return true;
}

Significand significandOf(double magnitude)
{
    Significand result;
    if (magnitude == 0) {
        result.digits.fill('0');
        return result;
    }
    std::array<char, 64> fast;
    auto end = std::to_chars(fast.data(), fast.data() + fast.size(), magnitude,
                             std::chars_format::scientific, 23)
                   .ptr;
    if (roundRendering(std::string_view(fast.data(), end - fast.data()), result, false))
        return result;

    // A double's exact decimal expansion never needs more than 767 significant digits.
    std::array<char, 800> exact;
    end = std::to_chars(exact.data(), exact.data() + exact.size(), magnitude,
                        std::chars_format::scientific, 767)
              .ptr;
    roundRendering(std::string_view(exact.data(), end - exact.data()), result, true);
    return result;
}

// The digit at 10^place of a significand, zero beyond its 18 digits.
char digitAt(const Significand& s, int place)
{
    const int index = s.power - 1 - place;
    return index >= 0 && index < kSignificantDigits ? s.digits[index] : '0';
}

// Rounds to `decimals` places, halves away from zero on the significand's digits.
Significand roundToDecimals(Significand s, int decimals)
{
    const int keep = s.power + decimals; // significant digits that stay
    if (keep >= kSignificantDigits)
        return s;
    const bool roundUp = keep >= 0 && s.digits[keep] >= '5';
    for (int k = std::max(keep, 0); k < kSignificantDigits; ++k)
        s.digits[k] = '0';
    if (!roundUp)
        return s;
    if (keep == 0) {
        // The first digit itself rounded away: the result is one unit of the last place.
        s.digits.fill('0');
        s.digits[0] = '1';
        s.power = 1 - decimals;
        return s;
    }
    for (int k = keep - 1; k >= 0; --k) {
        if (s.digits[k] != '9') {
            ++s.digits[k];
            return s;
        }
        s.digits[k] = '0';
    }
    s.digits.fill('0');
    s.digits[0] = '1';
    ++s.power;
    return s;
}

bool isZero(const Significand& s)
{
    for (char c : s.digits)
        if (c != '0')
            return false;
    return true;
}

} // namespace

std::string FormatHeight(double value, int decimals, const RegionalFormat& format)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";

    const int places = decimals >= 0 && decimals <= kMaxDecimals ? decimals : kOutOfRangeDecimals;
    const Significand rounded = roundToDecimals(significandOf(std::fabs(value)), places);

    std::string text;
    if (value < 0 && !isZero(rounded))
        text += '-';

    const int integerDigits = std::max(rounded.power, 1);
    for (int place = integerDigits - 1; place >= 0; --place) {
        text += digitAt(rounded, place);
        if (place > 0 && place % 3 == 0)
            text += format.thousandsSeparator;
    }
    if (places > 0) {
        text += format.decimalSeparator;
        for (int place = -1; place >= -places; --place)
            text += digitAt(rounded, place);
    }
    return text;
}

} // namespace calc
