// FormatHeight against a slow reference built on the exact decimal expansion of the double.
// Input: a byte for the separators, a byte for the decimals, a byte for how the next eight
// bytes make the value, four bytes of a raw int for the decimals when the decimals byte says so,
// then any number of eight-byte doubles.

#include "calc/format_height.h"
#include "fuzz_support.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// A non-negative whole number in base 10^9 limbs, lowest first.
class Natural {
public:
    explicit Natural(std::uint64_t value)
    {
        do {
            m_limbs.push_back(static_cast<std::uint32_t>(value % kBase));
            value /= kBase;
        } while (value != 0);
    }

    // factor below 2^32, so that limb * factor + carry stays within 64 bits.
    void Multiply(std::uint32_t factor)
    {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : m_limbs) {
            const std::uint64_t product = std::uint64_t(limb) * factor + carry;
            limb = static_cast<std::uint32_t>(product % kBase);
            carry = product / kBase;
        }
        while (carry != 0) {
            m_limbs.push_back(static_cast<std::uint32_t>(carry % kBase));
            carry /= kBase;
        }
    }

    std::string Digits() const
    {
        std::string digits = std::to_string(m_limbs.back());
        for (std::size_t i = m_limbs.size() - 1; i-- > 0;) {
            char limb[16];
            std::snprintf(limb, sizeof limb, "%09u", static_cast<unsigned>(m_limbs[i]));
            digits += limb;
        }
        return digits;
    }

private:
    static constexpr std::uint64_t kBase = 1'000'000'000;
    std::vector<std::uint32_t> m_limbs;
};

// value = 0.digits * 10^power, digits without leading zeros (empty for zero).
struct Decimal {
    std::string digits;
    int power = 0;
};

// The exact decimal value of a finite non-negative double, from its IEEE bits.
Decimal ExactDecimal(double magnitude)
{
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t mantissa = bits & ((std::uint64_t(1) << 52) - 1);
    int exponent = -1074;
    if (biased != 0) {
        mantissa |= std::uint64_t(1) << 52;
        exponent = biased - 1075;
    }
    if (mantissa == 0)
        return {};
    Natural n(mantissa);
    Decimal result;
    if (exponent >= 0) {
        // mantissa * 2^exponent
        for (int left = exponent; left > 0; left -= 16)
            n.Multiply(1u << std::min(left, 16));
        result.digits = n.Digits();
        result.power = static_cast<int>(result.digits.size());
    } else {
        // mantissa * 2^exponent = mantissa * 5^-exponent / 10^-exponent
        for (int left = -exponent; left > 0; left -= 8) {
            std::uint32_t factor = 1;
            for (int i = 0; i < std::min(left, 8); ++i)
                factor *= 5;
            n.Multiply(factor);
        }
        result.digits = n.Digits();
        result.power = static_cast<int>(result.digits.size()) + exponent;
    }
    return result;
}

// Adds one to a string of decimal digits; "" counts as 0.
std::string PlusOne(std::string digits)
{
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return digits;
        }
        digits[i] = '0';
    }
    return "1" + digits;
}

std::string ReferenceFormat(double value, int decimals, const calc::RegionalFormat& format)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    const int places = decimals >= 0 && decimals <= 18 ? decimals : 2;

    // 18 significant digits, halves away from zero: the digits are exact, so a 19th digit of
    // 5 or more means at least half a unit of the 18th.
    const Decimal exact = ExactDecimal(std::fabs(value));
    std::string significant = exact.digits.substr(0, 18);
    significant.resize(18, '0');
    int power = exact.power;
    if (exact.digits.size() > 18 && exact.digits[18] >= '5') {
        significant = PlusOne(significant);
        if (significant.size() > 18) {
            significant.pop_back();
            ++power;
        }
    }

    // value * 10^places, rounded to a whole number, halves away from zero; digits of the 18
    // beyond the last place decide, the ones after them are zeros.
    const int wholeDigits = power + places;
    std::string scaled;
    if (wholeDigits >= 18) {
        scaled = significant + std::string(wholeDigits - 18, '0');
    } else if (wholeDigits >= 0) {
        scaled = significant.substr(0, wholeDigits);
        if (significant[wholeDigits] >= '5')
            scaled = PlusOne(scaled);
    }
    scaled.erase(0, std::min(scaled.find_first_not_of('0'), scaled.size()));
    const bool zero = scaled.empty();
    if (scaled.size() < static_cast<std::size_t>(places) + 1)
        scaled.insert(0, places + 1 - scaled.size(), '0');

    const std::string integer = scaled.substr(0, scaled.size() - places);
    std::string text = value < 0 && !zero ? "-" : "";
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            text += format.thousandsSeparator;
        text += integer[i];
    }
    if (places > 0)
        text += format.decimalSeparator + scaled.substr(scaled.size() - places);
    return text;
}

calc::RegionalFormat FormatFrom(std::uint8_t choice)
{
    static const calc::RegionalFormat kFormats[] = {
        {",", "."},
        {".", ","},
        {"\u066b", "\u00a0"}, // Arabic decimal separator, no-break space
        {",", "\u202f"},      // narrow no-break space
        {".", "'"},
        {"", ""},
        {"\xf0\x9f\xa7\xb1", "--"}, // a four-byte character
    };
    return kFormats[choice % std::size(kFormats)];
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

void CheckFormat(double value, int decimals, const calc::RegionalFormat& format)
{
    const std::string actual = calc::FormatHeight(value, decimals, format);
    const std::string expected = ReferenceFormat(value, decimals, format);
    if (actual != expected) {
        char shown[64];
        std::snprintf(shown, sizeof shown, "%.17g (bits %016llx)", value,
                      static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)));
        fuzz::Fail("FormatHeight(" + std::string(shown) + ", " + std::to_string(decimals) +
                   ", separators " + fuzz::Escaped(format.decimalSeparator) + " " +
                   fuzz::Escaped(format.thousandsSeparator) + ") gave " + fuzz::Escaped(actual) +
                   ", expected " + fuzz::Escaped(expected));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader input(data, size);
    const calc::RegionalFormat format = FormatFrom(input.Byte());
    const std::uint8_t decimalsChoice = input.Byte();
    const std::uint8_t valueChoice = input.Byte();
    const std::uint64_t raw = input.Bytes(8);

    // Raw bits reach every double; a whole number divided by a power of ten makes the values
    // people type, with their halves and near-halves; the last kind adds a spray of doubles.
    double value = 0;
    switch (valueChoice % 5) {
    case 0:
    case 1:
        value = std::bit_cast<double>(raw);
        break;
    case 2:
        value = static_cast<double>(static_cast<std::int64_t>(raw)) /
                kPowersOfTen[(valueChoice >> 2) % std::size(kPowersOfTen)];
        break;
    case 3:
        value = static_cast<double>(static_cast<std::int32_t>(raw)) /
                kPowersOfTen[(valueChoice >> 2) % std::size(kPowersOfTen)];
        break;
    case 4:
        value = std::bit_cast<double>(raw);
        break;
    }
    const int decimals = decimalsChoice >= 0xf0 ? static_cast<std::int32_t>(input.Bytes(4))
                                                : decimalsChoice % 21 - 1;

    CheckFormat(value, decimals, format);
    if (valueChoice % 5 == 4) {
        // A spray of doubles with evenly random bits, drawn from the eight value bytes: the
        // cases where 18 significant digits need the exact expansion to decide are a few in a
        // million doubles, far too rare for mutation alone to reach.
        std::uint64_t state = raw;
        for (int i = 0; i < 64; ++i) {
            // splitmix64
            std::uint64_t z = (state += 0x9e3779b97f4a7c15u);
            z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
            z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
            CheckFormat(std::bit_cast<double>(z ^ (z >> 31)), decimals, format);
        }
    }
    // Any further eight bytes are one more double each.
    while (!input.AtEnd())
        CheckFormat(std::bit_cast<double>(input.Bytes(8)), decimals, format);
    return 0;
}
