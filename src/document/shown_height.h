#pragma once

// A height (or a count) as the table shows it, for the windows and the printed pages.

#include "calc/format_height.h"
#include "calc/regional_format.h"

#include <QString>

#include <cstdint>

inline QString ShownHeight(double value, std::int32_t decimals, const calc::RegionalFormat& format)
{
    return QString::fromStdString(calc::FormatHeight(value, decimals, format));
}
