// ReadReal against the grammar of a typed real: the first byte picks the decimal separator, the
// rest is the text. ReadReal must accept exactly the texts of the grammar whose value lies in
// the double range, give the value that extended precision rounded to double gives, and read
// back what std::to_chars makes of any value it returns.

#include "calc/number_reader.h"
#include "fuzz_support.h"

#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

calc::RegionalFormat FormatFrom(fuzz::InputReader& input)
{
    switch (const std::uint8_t choice = input.Byte()) {
    case ',':
        return {",", "."};
    case '.':
        return {".", ","};
    case 'a':
        return {"\u066b", "\u00a0"}; // Arabic decimal separator, no-break space
    case '0':
        return {"", ","};
    case 's': {
        // Any separator of 1 to 4 bytes whose bytes cannot be read as part of a number: no
        // digit, no blank, and it does not start like a sign or an exponent. Bytes that would
        // be get their high bit set rather than wasting the input.
        std::string separator(input.Text(1 + input.Byte() % 4));
        for (std::size_t i = 0; i < separator.size(); ++i) {
            char& c = separator[i];
            if (fuzz::IsAsciiDigit(c) || c == ' ' ||
                (i == 0 && (c == '+' || c == '-' || c == 'e' || c == 'E')))
                c = static_cast<char>(c ^ 0x80);
        }
        return {separator, ","};
    }
    default: {
        static const calc::RegionalFormat kCommon[] = {{",", "."}, {".", ","}, {"\u066b", "'"}};
        return kCommon[choice % 3];
    }
    }
}

// The parts of a text that fits the grammar: blanks, optional sign, digits with at most one
// separator (and at least one digit), optionally e or E with an optional sign and digits, blanks.
struct RealParts {
    bool negative = false;
    std::string wholeDigits;
    std::string fractionDigits;
    bool negativeExponent = false;
    std::string exponentDigits;
};

std::string_view TakeDigits(std::string_view& text)
{
    std::size_t count = 0;
    while (count < text.size() && fuzz::IsAsciiDigit(text[count]))
        ++count;
    const std::string_view digits = text.substr(0, count);
    text.remove_prefix(count);
    return digits;
}

std::optional<RealParts> Recognise(std::string_view text, std::string_view separator)
{
    // No separator byte is a blank, so the blanks can go first from both ends.
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = text.substr(first, text.find_last_not_of(' ') - first + 1);

    RealParts parts;
    if (rest.starts_with('-') || rest.starts_with('+')) {
        parts.negative = rest[0] == '-';
        rest.remove_prefix(1);
    }
    parts.wholeDigits = TakeDigits(rest);
    if (!separator.empty() && rest.starts_with(separator)) {
        rest.remove_prefix(separator.size());
        parts.fractionDigits = TakeDigits(rest);
    }
    if (parts.wholeDigits.empty() && parts.fractionDigits.empty())
        return std::nullopt;
    if (rest.starts_with('e') || rest.starts_with('E')) {
        rest.remove_prefix(1);
        if (rest.starts_with('-') || rest.starts_with('+')) {
            parts.negativeExponent = rest[0] == '-';
            rest.remove_prefix(1);
        }
        parts.exponentDigits = TakeDigits(rest);
        if (parts.exponentDigits.empty())
            return std::nullopt;
    }
    if (!rest.empty())
        return std::nullopt;
    return parts;
}

// The value as the C library reads it in extended precision, rounded to double; nothing when
// it lies beyond the double range.
std::optional<double> ReferenceValue(const RealParts& parts)
{
    // Inputs are far shorter than a million digits, so an exponent beyond that is as good as
    // infinite and can be clamped.
    long long exponent = 0;
    for (const char c : parts.exponentDigits)
        exponent = std::min(10'000'000LL, exponent * 10 + (c - '0'));
    std::string plain = parts.negative ? "-" : "";
    plain += parts.wholeDigits.empty() ? "0" : parts.wholeDigits;
    plain += '.';
    plain += parts.fractionDigits;
    plain += "0e";
    plain += parts.negativeExponent ? "-" : "";
    plain += std::to_string(exponent);

    errno = 0;
    char* end = nullptr;
    const long double extended = std::strtold(plain.c_str(), &end);
    fuzz::Check(end == plain.c_str() + plain.size(), "strtold stopped early on " + plain);
    if (errno == ERANGE && std::isinf(extended))
        return std::nullopt;
    const double value = static_cast<double>(extended);
    if (std::isinf(value))
        return std::nullopt;
    return value;
}

bool SameDouble(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string Shown(const std::optional<double>& value)
{
    if (!value)
        return "refused";
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, *value).ptr;
    return std::string(buffer, end);
}

// A returned value, written by std::to_chars with the separator in place of the point, must be
// read back as the same double. With 17 significant digits that holds for any reading that
// rounds twice, first to extended precision: the text is then always closer to the value than
// half a unit of the double by more than extended precision's rounding step. The shortest
// rendering can lie so close to the half-way point between two doubles that extended precision
// rounds it onto that point, and the tie then goes to the even neighbour: for that case alone,
// the other neighbour is accepted.
void CheckReadsBack(double value, std::chars_format style, int precision,
                    const calc::RegionalFormat& format, std::string_view origin)
{
    char buffer[1200]; // the longest fixed rendering of a double has some 770 characters
    const auto written =
        precision < 0 ? std::to_chars(buffer, buffer + sizeof buffer, value, style)
                      : std::to_chars(buffer, buffer + sizeof buffer, value, style, precision);
    fuzz::Check(written.ec == std::errc(), "to_chars failed");
    const std::string plain(buffer, written.ptr);
    std::string text = plain;
    if (const std::size_t point = text.find('.'); point != std::string::npos) {
        if (format.decimalSeparator.empty())
            return;
        text.replace(point, 1, format.decimalSeparator);
    }
    const std::optional<double> again = calc::ReadReal(text, format);
    if (again && SameDouble(*again, value))
        return;
    if (again && precision < 0 && std::nextafter(value, *again) == *again) {
        const long double extended = std::strtold(plain.c_str(), nullptr);
        const long double halfWay = (static_cast<long double>(value) + *again) / 2;
        const bool evenNeighbour = (std::bit_cast<std::uint64_t>(*again) & 1) == 0;
        if (extended == halfWay && evenNeighbour)
            return;
    }
    fuzz::Fail("ReadReal(" + fuzz::Escaped(origin) + ") gave " + Shown(value) +
               ", but its rendering " + fuzz::Escaped(text) + " reads back as " + Shown(again));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 100'000)
        return -1;
    fuzz::InputReader input(data, size);
    const calc::RegionalFormat format = FormatFrom(input);
    const std::string_view text = input.Rest();
    const std::string context = " (text " + fuzz::Escaped(text) + ", separator " +
                                fuzz::Escaped(format.decimalSeparator) + ")";

    const std::optional<double> actual = calc::ReadReal(text, format);
    const std::optional<RealParts> parts = Recognise(text, format.decimalSeparator);
    if (actual && !parts)
        fuzz::Fail("ReadReal accepted a text outside the grammar" + context);
    if (actual && !std::isfinite(*actual))
        fuzz::Fail("ReadReal returned a non-finite value" + context);

    const std::optional<double> expected = parts ? ReferenceValue(*parts) : std::nullopt;
    if (actual.has_value() != expected.has_value() || (actual && !SameDouble(*actual, *expected)))
        fuzz::Fail("ReadReal gave " + Shown(actual) + ", expected " + Shown(expected) + context);

    if (actual) {
        CheckReadsBack(*actual, std::chars_format::general, 17, format, text);
        CheckReadsBack(*actual, std::chars_format::scientific, 16, format, text);
        CheckReadsBack(*actual, std::chars_format::general, -1, format, text);
        CheckReadsBack(*actual, std::chars_format::fixed, -1, format, text);
    }
    return 0;
}
