#pragma once

#include <string>

namespace calc {

// The user's regional separators, as UTF-8 text. Every reading and display of a number uses
// them; the defaults are what the program falls back to when the desktop tells nothing.
struct RegionalFormat {
    std::string decimalSeparator = ".";
    std::string thousandsSeparator = ",";
};

} // namespace calc
