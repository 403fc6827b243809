#pragma once

#include "calc/regional_format.h"

class QLocale;

namespace platform {

// The separators of the user's regional settings, read once at start-up and again whenever the
// desktop announces a locale change. Everything that reads or shows a number asks here.
const calc::RegionalFormat& CurrentRegionalFormat();

// Reads the separators from QLocale::system() (LC_ALL, LC_NUMERIC, LANG).
void ReloadRegionalFormat();

// Uses these separators from now on (tests pin them instead of trusting the machine).
void SetRegionalFormat(const calc::RegionalFormat& format);

// The separators of one locale; "." and "," where the locale has none.
calc::RegionalFormat RegionalFormatOf(const QLocale& locale);

} // namespace platform
