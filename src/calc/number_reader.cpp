#include "number_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace calc {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The pieces of an accepted real, rewritten in the one form std::from_chars reads.
struct RealText {
    bool negative = false;
    std::string mantissa;    // digits only, separator removed
    std::size_t pointAt = 0; // digits before the separator
    long long exponent = 0;  // saturated: a far-out exponent only has to stay far out
};

std::optional<RealText> splitReal(std::string_view text, std::string_view separator)
{
    RealText real;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        real.negative = text[i++] == '-';

    bool separatorSeen = false;
    real.pointAt = std::string::npos;
    while (i < text.size()) {
        if (isDigit(text[i])) {
            real.mantissa += text[i++];
        } else if (!separatorSeen && !separator.empty() && text.substr(i).starts_with(separator)) {
            separatorSeen = true;
            real.pointAt = real.mantissa.size();
            i += separator.size();
        } else {
            break;
        }
    }
    if (real.mantissa.empty())
        return std::nullopt;
    if (!separatorSeen)
        real.pointAt = real.mantissa.size();

    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        const std::size_t digitsFrom = i;
        constexpr long long saturation = 1'000'000'000;
        while (i < text.size() && isDigit(text[i])) {
            real.exponent = std::min(saturation, real.exponent * 10 + (text[i] - '0'));
            ++i;
        }
        if (i == digitsFrom)
            return std::nullopt;
        if (negativeExponent)
            real.exponent = -real.exponent;
    }

    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i != text.size())
        return std::nullopt;
    return real;
}

// Whether a value that from_chars could not hold lies above the range (rather than below it):
// the power of ten of its first significant digit decides.
bool beyondLargest(const RealText& real)
{
    const std::size_t firstSignificant = real.mantissa.find_first_not_of('0');
    const long long leadingPower =
        static_cast<long long>(real.pointAt) - static_cast<long long>(firstSignificant);
    return leadingPower + real.exponent > 0;
}

} // namespace

std::optional<double> ReadReal(std::string_view text, const RegionalFormat& format)
{
    const std::optional<RealText> real = splitReal(text, format.decimalSeparator);
    if (!real)
        return std::nullopt;

    if (real->mantissa.find_first_not_of('0') == std::string::npos)
        return real->negative ? -0.0 : 0.0;

    std::string plain = real->negative ? "-" : "";
    plain += real->mantissa.substr(0, real->pointAt);
    if (plain.empty() || plain == "-")
        plain += '0';
    plain += '.';
    plain += real->mantissa.substr(real->pointAt);
    plain += '0';
    plain += 'e';
    plain += std::to_string(real->exponent);

    long double extended = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), extended);
    if (error == std::errc::result_out_of_range) {
        if (beyondLargest(*real))
            return std::nullopt;
        return real->negative ? -0.0 : 0.0;
    }
    if (error != std::errc() || end != plain.data() + plain.size())
        return std::nullopt;

    const double value = static_cast<double>(extended);
    if (std::isinf(value))
        return std::nullopt;
    return value;
}

std::optional<Decimal> ReadDecimal(std::string_view text, const RegionalFormat& format)
{
    const std::optional<RealText> real = splitReal(text, format.decimalSeparator);
    if (!real)
        return std::nullopt;
    std::string digits = real->mantissa;
    long long scale = static_cast<long long>(digits.size() - real->pointAt) - real->exponent;
    // Zeros at either end carry no value; without them a long typed number may still fit.
    while (!digits.empty() && digits.back() == '0' && scale > 0) {
        digits.pop_back();
        --scale;
    }
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty())
        return Decimal{};
    if (scale < 0) {
        digits.append(static_cast<std::size_t>(std::min(-scale, 100LL)), '0');
        scale = 0;
    }
    constexpr std::size_t kMaxDigits = 30;
    if (digits.size() > kMaxDigits || scale > kMaxDecimalScale)
        return std::nullopt;
    Decimal value;
    for (const char digit : digits)
        value.units = value.units * 10 + (digit - '0');
    if (real->negative)
        value.units = -value.units;
    value.scale = static_cast<std::int32_t>(scale);
    return value;
}

std::optional<std::int32_t> ReadWholeNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;

    bool negative = false;
    bool signSeen = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i++] == '-';
        signSeen = true;
    }

    int base = 10;
    if (!signSeen) {
        if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
            base = 16;
            ++i;
        } else if (i + 1 < text.size() && text[i] == '0' &&
                   (text[i + 1] == 'x' || text[i + 1] == 'X')) {
            base = 16;
            i += 2;
        }
    }

    // Accumulate the magnitude with room for the one extra negative value.
    constexpr long long limit =
        static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1;
    long long magnitude = 0;
    const std::size_t digitsFrom = i;
    for (; i < text.size(); ++i) {
        const int digit = base == 16 ? hexValue(text[i]) : (isDigit(text[i]) ? text[i] - '0' : -1);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    if (i == digitsFrom)
        return std::nullopt;
    if (!negative && magnitude == limit)
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::string NotANumberMessage(std::string_view text)
{
    return std::string(text) + " is geen getal";
}

std::string NotAWholeNumberMessage(std::string_view text)
{
    return std::string(text) + " is onjuist getal";
}

} // namespace calc
