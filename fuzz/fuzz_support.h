#pragma once

// Helpers shared by the harnesses: how a finding is reported, and reference implementations
// that are written from the rules alone, slowly and plainly, so that they share no code (and
// so no mistake) with the product.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Bytes as C-style escapes: the report must show exactly what went in, blanks and CRs included.
inline std::string Escaped(std::string_view bytes, std::size_t limit = 600)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        const auto code = static_cast<unsigned char>(bytes[i]);
        if (code == '\r') {
            out += "\\r";
        } else if (code == '\n') {
            out += "\\n";
        } else if (code < 0x20 || code >= 0x7f || code == '"' || code == '\\') {
            out += "\\x";
            out += kHex[code >> 4];
            out += kHex[code & 15];
        } else {
            out += static_cast<char>(code);
        }
    }
    out += '"';
    if (bytes.size() > limit)
        out += "... (" + std::to_string(bytes.size()) + " bytes)";
    return out;
}

// Reports a broken expectation and aborts, which libFuzzer records as a crash with the input.
[[noreturn]] inline void Fail(const std::string& what)
{
    std::fprintf(stderr, "\n==== FINDING: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

// The texts of an input, each ended by a line feed; empty ones once it runs out.
class Lines {
public:
    explicit Lines(std::string_view text)
        : m_text(text)
    {
    }
    std::string_view Next()
    {
        const std::size_t start = std::min(m_at, m_text.size());
        const std::size_t end = std::min(m_text.find('\n', start), m_text.size());
        m_at = end + 1;
        return m_text.substr(start, end - start);
    }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
};

inline void Check(bool condition, const std::string& what)
{
    if (!condition)
        Fail(what);
}

inline bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// A whole number: blanks, then either a sign and decimal digits, or without a sign decimal
// digits, or "$", "x", "X", "0x", "0X" and hexadecimal digits; nothing after; fits int32.
inline std::optional<std::int32_t> ReferenceWholeNumber(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    std::string_view rest = text.substr(start);

    bool negative = false;
    unsigned base = 10;
    if (!rest.empty() && (rest[0] == '-' || rest[0] == '+')) {
        negative = rest[0] == '-';
        rest.remove_prefix(1);
    } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        base = 16;
        rest.remove_prefix(2);
    } else if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
        base = 16;
        rest.remove_prefix(1);
    }
    if (rest.empty())
        return std::nullopt;

    // Saturates far above the int32 range; __int128 so that the last step cannot overflow.
    __int128 magnitude = 0;
    for (const char c : rest) {
        int digit = -1;
        if (IsAsciiDigit(c))
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > (__int128(1) << 40))
            magnitude = __int128(1) << 40;
    }
    const __int128 value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// The lines of a project file: nothing from the first Ctrl-Z on counts; a line ends at a CR,
// and an LF right after that CR belongs to it; an empty rest after the last line end is no line.
inline std::vector<std::string> ReferenceLines(std::string_view bytes)
{
    const std::size_t endOfFile = bytes.find('\x1a');
    if (endOfFile != std::string_view::npos)
        bytes = bytes.substr(0, endOfFile);
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            lines.push_back(current);
            current.clear();
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            current += bytes[i];
        }
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

// "[VANTORBEL]" alone on the line, ASCII letters in any case.
inline bool ReferenceIsOwnHeader(std::string_view line)
{
    static constexpr std::string_view kHeader = "[VANTORBEL]";
    if (line.size() != kHeader.size())
        return false;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (AsciiUpper(line[i]) != kHeader[i])
            return false;
    return true;
}

// Reads consecutive fields from a fuzz input; past its end everything reads as zero.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    std::uint8_t Byte() { return m_position < m_size ? m_data[m_position++] : 0; }
    std::uint64_t Bytes(int count)
    {
        std::uint64_t value = 0;
        for (int i = 0; i < count; ++i)
            value |= static_cast<std::uint64_t>(Byte()) << (8 * i);
        return value;
    }
    std::string_view Text(std::size_t count)
    {
        const std::size_t taken = std::min(count, m_size - std::min(m_position, m_size));
        const std::string_view text(reinterpret_cast<const char*>(m_data) + m_position, taken);
        m_position += taken;
        return text;
    }
    std::string_view Rest() { return Text(m_size); }
    bool AtEnd() const { return m_position >= m_size; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

} // namespace fuzz
