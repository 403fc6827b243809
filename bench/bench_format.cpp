// FormatHeight against std::to_chars printing the same doubles with the same decimals.

#include "bench_support.h"
#include "cases.h"

#include "calc/course_table.h"
#include "calc/format_height.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <random>

namespace bench {
namespace {

struct Value {
    double value;
    int decimals;
};

std::vector<Value> tableValues(double gauge, double top, int decimals)
{
    std::vector<Value> values;
    for (const calc::CourseRow& row : calc::BuildCourseTable({gauge, 0, top, decimals}))
        values.push_back({row.Height, decimals});
    return values;
}

// Whole millimetres as the row-limit table has them.
const std::vector<Value>& wholeValues()
{
    static const auto values = tableValues(1, 99999, 2);
    return values;
}

// A gauge with no exact binary value: every sum carries a long tail of digits.
const std::vector<Value>& fractionValues()
{
    static const auto values = tableValues(0.1, 9999.8, 2);
    return values;
}

// Signs, magnitudes and decimals of all kinds.
const std::vector<Value>& mixedValues()
{
    static const std::vector<Value> values = [] {
        std::mt19937_64 random(20240611);
        std::uniform_real_distribution<double> magnitude(-3, 9);
        std::uniform_int_distribution<int> decimals(0, 6);
        std::vector<Value> v;
        for (int i = 0; i < 100000; ++i) {
            const double x = std::pow(10.0, magnitude(random)) * (i % 3 == 0 ? -1 : 1);
            v.push_back({x, decimals(random)});
        }
        return v;
    }();
    return values;
}

void formatAll(const std::vector<Value>& values)
{
    static const calc::RegionalFormat format = DutchFormat();
    for (const Value& v : values) {
        std::string text = calc::FormatHeight(v.value, v.decimals, format);
        benchmark::DoNotOptimize(text.data());
    }
}

void toCharsAll(const std::vector<Value>& values)
{
    char buffer[400];
    for (const Value& v : values) {
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, v.value,
                                       std::chars_format::fixed, v.decimals)
                             .ptr;
        benchmark::DoNotOptimize(end);
        benchmark::ClobberMemory();
    }
}

template <const std::vector<Value>& (*values)()> void addPair(const char* set)
{
    const auto units = [] {
        return double(values().size());
    };
    static Register format({std::string("FormatHeight/") + set, units, {}, [] {
                                formatAll(values());
                            }});
    static Register reference({std::string("ToCharsFixed/") + set, units, {}, [] {
                                   toCharsAll(values());
                               }});
}

const bool registered = [] {
    addPair<wholeValues>("whole");
    addPair<fractionValues>("fraction");
    addPair<mixedValues>("mixed");
    return true;
}();

} // namespace
} // namespace bench
