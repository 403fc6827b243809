#include "calc/number_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string_view>

namespace {

const calc::RegionalFormat kDutch{",", "."};
const calc::RegionalFormat kEnglish{".", ","};
// Arabic decimal separator and a no-break space: both more than one byte in UTF-8.
const calc::RegionalFormat kArabic{"\u066b", "\u00a0"};

constexpr std::optional<double> kRefused{};

struct RealCase {
    std::string_view text;
    std::optional<double> expected;
};

void ExpectReals(const calc::RegionalFormat& format, std::initializer_list<RealCase> cases)
{
    for (const RealCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << '"');
        EXPECT_EQ(calc::ReadReal(c.text, format), c.expected);
    }
}

TEST(ReadReal, AcceptsWhatUsersTypeInDutch)
{
    ExpectReals(kDutch, {
                            {"62,5", 62.5},
                            {"0", 0},
                            {"-37,5", -37.5},
                            {"+12", 12},
                            {"   1000", 1000},
                            {"1000   ", 1000},
                            {"  -1,25  ", -1.25},
                            {",5", 0.5},
                            {"5,", 5},
                            {"0,1", 0.1},
                            {"0000062,50000", 62.5},
                            {"1,5e2", 150},
                            {"1,5E+2", 150},
                            {"15e-1", 1.5},
                            {",5e1", 5},
                            {"1e-400", 0},
                            {"-1e-400", 0},
                            {"0e99999", 0},
                            {"1,7976931348623157e308", std::numeric_limits<double>::max()},
                        });
}

TEST(ReadReal, RefusesAnythingElseInDutch)
{
    for (std::string_view text :
         {"",       "   ",     "+",       "-",    ",",    "62.5", "1.000", "1.000,5",
          "1 000",  "1,2,3",   "\t5",     "5\t",  "- 5",  "+-5",  "--5",   "5-",
          "e5",     "1e",      "1e+",     "1e-",  "1ee5", "1e 5", "1e5,5", "1e400",
          "-1e400", "1e99999", "1,8e308", "0x10", "5a",   "inf",  "nan"}) {
        SCOPED_TRACE(testing::Message() << "text \"" << text << '"');
        EXPECT_EQ(calc::ReadReal(text, kDutch), kRefused);
    }
}

TEST(ReadReal, UsesOnlyTheRegionalDecimalSeparator)
{
    ExpectReals(kEnglish, {{"62.5", 62.5}, {"1.000", 1}, {"62,5", kRefused}, {"1,000", kRefused}});
    ExpectReals(kArabic, {
                             {"3\u066b25", 3.25},
                             {"\u066b5", 0.5},
                             {"3.25", kRefused},
                             {"3,25", kRefused},
                             {"1\u00a0000", kRefused},
                             {"3\xd9"
                              "25",
                              kRefused},
                             {"3\u066b2\u066b5", kRefused},
                         });
}

TEST(ReadWholeNumber, ReadsDecimalAndHexadecimal)
{
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const struct {
        std::string_view text;
        std::optional<std::int32_t> expected;
    } cases[] = {
        {"0", 0},       {"12", 12},           {"-12", -12},
        {"+12", 12},    {"  12", 12},         {"007", 7},
        {"-0", 0},      {"2147483647", kMax}, {"-2147483648", kMin},
        {"$1A", 26},    {"$1a", 26},          {"x10", 16},
        {"X10", 16},    {"0x10", 16},         {"0X1f", 31},
        {"  $ff", 255}, {"$7FFFFFFF", kMax},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << c.text << '"');
        EXPECT_EQ(calc::ReadWholeNumber(c.text), c.expected);
    }
}

TEST(ReadWholeNumber, RefusesAnythingElse)
{
    for (std::string_view text : {"",           "  ",          "-",           "+",    "12 ", "1,5",
                                  "1.5",        "1e3",         "\t12",        "- 12", "1 2", "12a",
                                  "2147483648", "-2147483649", "99999999999", "$",    "x",   "0x",
                                  "-$1",        "+0x1",        "+$1",         "$-1",  "$ 1", "$G",
                                  "0x1g",       "$80000000",   "$100000000"}) {
        SCOPED_TRACE(testing::Message() << "text \"" << text << '"');
        EXPECT_EQ(calc::ReadWholeNumber(text), std::nullopt);
    }
}

} // namespace
