#include "course_table.h"

#include "format_height.h"
#include "number_reader.h"

#include <cmath>

namespace calc {
namespace {

enum class Climb { Ends, NonPositiveGauge, GaugeTooSmall, TooManyRows, LeavesRange };

// Walks the climb without storing it: the cheap tests first, then the real additions, so that
// the verdict matches what BuildCourseTable will do exactly.
Climb judgeClimb(double gauge, double bottom, double top)
{
    if (!(bottom < top))
        return Climb::Ends;
    if (!(gauge > 0))
        return Climb::NonPositiveGauge;
    if (bottom + gauge == bottom)
        return Climb::GaugeTooSmall;
    // Far too many steps by plain division: no need to walk them. Near the limit, rounding of
    // the repeated additions decides, so the walk below gives the verdict.
    // A span beyond the double range has no such estimate; the walk then decides alone.
    const double span = top - bottom;
    if (std::isfinite(span) && span / gauge > 2.0 * kMaxCourseRows)
        return Climb::TooManyRows;

    double value = bottom;
    std::int32_t rows = 1;
    while (value < top) {
        const double next = value + gauge;
        if (next == value)
            return Climb::GaugeTooSmall;
        if (std::isinf(next))
            return Climb::LeavesRange;
        if (++rows > kMaxCourseRows)
            return Climb::TooManyRows;
        value = next;
    }
    return Climb::Ends;
}

std::string climbMessage(Climb climb, std::string_view gaugeText, const RegionalFormat& format)
{
    const std::string gauge(gaugeText);
    switch (climb) {
    case Climb::NonPositiveGauge:
        return gauge + " is geen bruikbare maat: de maat moet groter dan 0 zijn";
    case Climb::GaugeTooSmall:
        return gauge + " is te klein: de maat verandert de hoogte niet meer";
    case Climb::TooManyRows:
        return gauge + " is te klein: de tabel zou meer dan " +
               FormatHeight(kMaxCourseRows, 0, format) + " regels krijgen";
    case Climb::LeavesRange:
        return gauge + " is te groot: de hoogte komt buiten het bereik van de getallen";
    case Climb::Ends:
        break;
    }
    return {};
}

} // namespace

std::variant<CourseInputs, InputError> ParseCourseInputs(const CourseFieldTexts& texts,
                                                         const RegionalFormat& format)
{
    const auto notANumber = [](InputField field, std::string_view text) {
        return InputError{field, NotANumberMessage(text)};
    };

    CourseInputs inputs;
    if (const auto gauge = ReadReal(texts.gauge, format))
        inputs.Gauge = *gauge;
    else
        return notANumber(InputField::Gauge, texts.gauge);
    if (const auto bottom = ReadReal(texts.bottom, format))
        inputs.Bottom = *bottom;
    else
        return notANumber(InputField::Bottom, texts.bottom);
    if (const auto top = ReadReal(texts.top, format))
        inputs.Top = *top;
    else
        return notANumber(InputField::Top, texts.top);
    if (const auto decimals = ReadWholeNumber(texts.decimals))
        inputs.Decimals = *decimals;
    else
        return InputError{InputField::Decimals, NotAWholeNumberMessage(texts.decimals)};

    const Climb climb = judgeClimb(inputs.Gauge, inputs.Bottom, inputs.Top);
    if (climb != Climb::Ends)
        return InputError{InputField::Gauge, climbMessage(climb, texts.gauge, format)};
    return inputs;
}

std::vector<CourseRow> BuildCourseTable(const CourseInputs& inputs)
{
    std::vector<CourseRow> rows;
    rows.push_back({0, inputs.Bottom});
    ClimbCourses(inputs, [&rows](std::int32_t number, double height) {
        rows.push_back({number, height});
        return true;
    });
    return rows;
}

std::variant<CourseTable, InputError> CalculateCourseTable(const CourseFieldTexts& texts,
                                                           const RegionalFormat& format)
{
    auto parsed = ParseCourseInputs(texts, format);
    if (auto* error = std::get_if<InputError>(&parsed))
        return std::move(*error);
    const CourseInputs& inputs = std::get<CourseInputs>(parsed);
    return CourseTable{inputs, BuildCourseTable(inputs), format, std::string(texts.gauge)};
}

} // namespace calc
