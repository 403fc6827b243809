#pragma once

#include "regional_format.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace calc {

// The largest table the program builds. Far beyond any real wall, small enough that a table
// is built and shown in a blink; a typing slip like "0,0001" is refused instead of running on.
constexpr std::int32_t kMaxCourseRows = 100'000;

struct CourseInputs {
    double Gauge = 0;
    double Bottom = 0;
    double Top = 0;
    std::int32_t Decimals = 0;
};

struct CourseRow {
    std::int32_t Number = 0;
    double Height = 0;
};

enum class InputField { Gauge, Bottom, Top, Decimals };

// What to tell the user, and which field it is about.
struct InputError {
    InputField field;
    std::string message;
};

struct CourseFieldTexts {
    std::string_view gauge;
    std::string_view bottom;
    std::string_view top;
    std::string_view decimals;
};

// Reads the four field texts in the order gauge, bottom, top, decimals and reports the first
// that cannot be read. A climb that would never reach the top, or would exceed the row limit,
// is refused here too, so that building the table always ends quickly.
std::variant<CourseInputs, InputError> ParseCourseInputs(const CourseFieldTexts& texts,
                                                         const RegionalFormat& format);

// The climb of the table after its bottom row: each course adds the gauge to the previous value
// (rounded to double at every step, so the rounding carries), until a value reaches the top or
// the row limit is met. `visit(number, height)` sees each course and returns false to stop.
template <class Visit> void ClimbCourses(const CourseInputs& inputs, Visit&& visit)
{
    double value = inputs.Bottom;
    for (std::int32_t number = 1; value < inputs.Top && number < kMaxCourseRows; ++number) {
        value += inputs.Gauge;
        if (!visit(number, value))
            return;
    }
}

// Row 0 is the bottom, then every course of the climb. Never more than kMaxCourseRows rows.
std::vector<CourseRow> BuildCourseTable(const CourseInputs& inputs);

// A table as the calculate command makes it: what it read, its rows, how they are shown, and
// the gauge as it was typed.
struct CourseTable {
    CourseInputs inputs;
    std::vector<CourseRow> rows;
    RegionalFormat format;
    std::string gaugeText;
};

// The calculate command's reading and climb in one: the table, or the first field that cannot
// be read.
std::variant<CourseTable, InputError> CalculateCourseTable(const CourseFieldTexts& texts,
                                                           const RegionalFormat& format);

} // namespace calc
