#pragma once

#include "print/windows/page_formats.h"

#include <cstring>
#include <stdexcept>
#include <string>

// The first type of the preview's save dialog whose files end in `suffix` ("EMF", "pdf").
inline const PageFormat& FormatWriting(const char* suffix)
{
    for (const PageFormat& format : PageFormats())
        if (std::strcmp(format.suffix, suffix) == 0)
            return format;
    throw std::invalid_argument(std::string("no page format writes ") + suffix);
}
