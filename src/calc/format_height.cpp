#include "format_height.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

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
    // The digits stay in place: a copy into a growing string cost more than the rendering.
    std::array<char, 800> digits;
    std::size_t count = 0;
    std::size_t i = 0;
    for (; i < rendering.size() && rendering[i] != 'e'; ++i)
        if (rendering[i] != '.' && count < digits.size())
            digits[count++] = rendering[i];
    int exponent = 0;
    const char* exponentText = rendering.data() + i + 1;
    if (*exponentText == '+')
        ++exponentText;
    std::from_chars(exponentText, rendering.data() + rendering.size(), exponent);
    const int power = exponent + 1;

    const std::string_view tail =
        std::string_view(digits.data(), count).substr(kSignificantDigits, 6);
    // The six digits past the kept ones decide, unless rounding to 24 digits may have lifted a
    // value just below the half onto it; then only the exact expansion can tell. (A value at or
    // above the half never renders below it.)
    if (!exact && tail == "500000")
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

__extension__ using Wide = unsigned __int128;

constexpr std::uint64_t kTenTo17 = 100'000'000'000'000'000ULL;
constexpr std::uint64_t kTenTo18 = 1'000'000'000'000'000'000ULL;

// 5^0 .. 5^27: the largest still fits 63 bits, so a 53-bit mantissa times it fits 128.
constexpr std::array<std::uint64_t, 28> kPowersOfFive = [] {
    std::array<std::uint64_t, 28> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
        p = power;
        power *= 5;
    }
    return powers;
}();

// The same 18 digits as the renderings give, straight from the binary value: magnitude is
// mantissa * 2^exponent, so magnitude * 10^scale is mantissa * 5^scale * 2^(exponent + scale),
// exact in 128 bits, and the bits shifted out decide the half. Covers heights from about
// 1e-9 to 1e18, every value a table holds in practice; false for the rest.
bool integerSignificand(double magnitude, Significand& out)
{
    int binaryExponent = 0;
    const double fraction = std::frexp(magnitude, &binaryExponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int exponent = binaryExponent - 53;
    // floor(log10(2^(binaryExponent - 1))) + 1: the digits before the point, or one too few.
    int power = (((binaryExponent - 1) * 78913) >> 18) + 1;
    for (int attempt = 0; attempt < 2; ++attempt, ++power) {
        const int scale = kSignificantDigits - power;
        if (scale < 0 || scale >= static_cast<int>(kPowersOfFive.size()))
            return false;
        const Wide scaled = Wide{mantissa} * kPowersOfFive[static_cast<std::size_t>(scale)];
        const int shift = exponent + scale;
        Wide whole = 0;
        bool roundUp = false;
        if (shift >= 0) {
            if (shift >= 64 || (scaled >> (64 - shift)) != 0)
                continue;
            whole = scaled << shift;
        } else {
            const int dropped = -shift;
            if (dropped >= 128)
                return false;
            whole = scaled >> dropped;
            roundUp = ((scaled >> (dropped - 1)) & 1) != 0;
        }
        if (whole >= kTenTo18)
            continue;
        if (whole < kTenTo17)
            return false;
        const std::uint64_t kept = static_cast<std::uint64_t>(whole) + (roundUp ? 1 : 0);
        if (kept == kTenTo18) {
            out.digits.fill('0');
            out.digits[0] = '1';
            out.power = power + 1;
        } else {
            std::to_chars(out.digits.data(), out.digits.data() + out.digits.size(), kept);
            out.power = power;
        }
        return true;
    }
    return false;
}

Significand significandOf(double magnitude)
{
    Significand result;
    if (magnitude == 0) {
        result.digits.fill('0');
        return result;
    }
    if (integerSignificand(magnitude, result))
        return result;
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

    const bool negative = value < 0 && !isZero(rounded);
    const int integerDigits = std::max(rounded.power, 1);
    const std::string& thousands = format.thousandsSeparator;
    const std::string& decimal = format.decimalSeparator;
    // Sized once and written in place: appending char by char cost as much as the rounding.
    std::string text(static_cast<std::size_t>(negative) + static_cast<std::size_t>(integerDigits) +
                         static_cast<std::size_t>((integerDigits - 1) / 3) * thousands.size() +
                         (places > 0 ? decimal.size() + static_cast<std::size_t>(places) : 0),
                     '\0');
    char* out = text.data();
    if (negative)
        *out++ = '-';
    for (int place = integerDigits - 1; place >= 0; --place) {
        *out++ = digitAt(rounded, place);
        if (place > 0 && place % 3 == 0)
            out = std::copy(thousands.begin(), thousands.end(), out);
    }
    if (places > 0) {
        out = std::copy(decimal.begin(), decimal.end(), out);
        for (int place = -1; place >= -places; --place)
            *out++ = digitAt(rounded, place);
    }
    return text;
}

} // namespace calc
