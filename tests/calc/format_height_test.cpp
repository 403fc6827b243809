#include "calc/format_height.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string_view>

namespace {

const calc::RegionalFormat kDutch{",", "."};
const calc::RegionalFormat kEnglish{".", ","};
const calc::RegionalFormat kArabic{"\u066b", "\u00a0"};

struct HeightCase {
    double value;
    int decimals;
    std::string_view expected;
};

void ExpectHeights(const calc::RegionalFormat& format, std::initializer_list<HeightCase> cases)
{
    for (const HeightCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value << ", decimals " << c.decimals);
        EXPECT_EQ(calc::FormatHeight(c.value, c.decimals, format), c.expected);
    }
}

TEST(FormatHeight, GroupsThousandsAndPadsDecimals)
{
    ExpectHeights(kDutch, {
                              {0, 2, "0,00"},
                              {62.5, 2, "62,50"},
                              {-37.5, 2, "-37,50"},
                              {7, 3, "7,000"},
                              {12.3456, 4, "12,3456"},
                              {999, 0, "999"},
                              {1000, 0, "1.000"},
                              {1000, 2, "1.000,00"},
                              {100000, 0, "100.000"},
                              {1234567.891, 2, "1.234.567,89"},
                              {-1234567.891, 2, "-1.234.567,89"},
                              {1e20, 2, "100.000.000.000.000.000.000,00"},
                          });
    ExpectHeights(kEnglish, {{1234567.891, 2, "1,234,567.89"}});
    ExpectHeights(kArabic,
                  {{1234.5, 2, "1\u00a0234\u066b50"}, {-1234567, 0, "-1\u00a0234\u00a0567"}});
}

TEST(FormatHeight, RoundsHalvesAwayFromZero)
{
    ExpectHeights(kDutch, {
                              {62.5, 0, "63"},
                              {-62.5, 0, "-63"},
                              {2.5, 0, "3"},
                              {0.5, 0, "1"},
                              {-0.5, 0, "-1"},
                              {0.125, 2, "0,13"},
                              {-0.125, 2, "-0,13"},
                              {0.005, 2, "0,01"},
                              {0.0049, 2, "0,00"},
                              {99.95, 1, "100,0"},
                              {999.995, 2, "1.000,00"},
                              {999999.999, 2, "1.000.000,00"},
                              // Stored just below the half, far enough to show in 18 digits.
                              {2.675, 2, "2,67"},
                              {1.005, 2, "1,00"},
                          });
}

TEST(FormatHeight, WorksOnTheFirstEighteenSignificantDigits)
{
    double tenTimesOneTenth = 0;
    for (int i = 0; i < 10; ++i)
        tenTimesOneTenth += 0.1;
    ASSERT_LT(tenTimesOneTenth, 1.0);

    ExpectHeights(kDutch, {
                              {0.1, 18, "0,100000000000000006"},
                              {1.1, 18, "1,100000000000000090"},
                              {1e-5, 18, "0,000010000000000000"},
                              {62.5, 18, "62,500000000000000000"},
                              {1152921504606846976.0, 0, "1.152.921.504.606.846.980"},
                              {tenTimesOneTenth, 2, "1,00"},
                              {tenTimesOneTenth, 18, "0,999999999999999889"},
                              // The exact value lies just below the half, its 18 digits on it.
                              {1000.005, 2, "1.000,01"},
                              {0.1245, 3, "0,125"},
                              // Digits 19 on are 4999999973...: a 24-digit rendering would
                              // show a clean half there and round the wrong way.
                              {16048.26236790638, 13, "16.048,2623679063799"},
                              {16048.26236790638, 18, "16.048,262367906379900000"},
                          });
}

TEST(FormatHeight, ShowsNoSignOnZero)
{
    ExpectHeights(kDutch, {
                              {-0.0, 2, "0,00"},
                              {-0.001, 2, "0,00"},
                              {-0.004, 2, "0,00"},
                              {-0.4, 0, "0"},
                              {-1e-300, 18, "0,000000000000000000"},
                              {std::numeric_limits<double>::denorm_min(), 2, "0,00"},
                          });
}

TEST(FormatHeight, FallsBackToTwoDecimalsOutsideZeroToEighteen)
{
    ExpectHeights(kDutch, {
                              {62.5, -1, "62,50"},
                              {62.5, 19, "62,50"},
                              {62.5, INT_MIN, "62,50"},
                              {62.5, INT_MAX, "62,50"},
                          });
}

TEST(FormatHeight, NamesNonFiniteValues)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const calc::RegionalFormat& format : {kDutch, kEnglish}) {
        for (int decimals : {0, 2, 18}) {
            ExpectHeights(format, {{inf, decimals, "INF"},
                                   {-inf, decimals, "-INF"},
                                   {nan, decimals, "NAN"},
                                   {std::copysign(nan, -1.0), decimals, "NAN"}});
        }
    }
}

} // namespace
