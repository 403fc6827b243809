#pragma once

// An A4 sheet (210 × 297 mm) in whole pixels at 1 200 dots per inch, as Qt's printers measure
// it: what the print queue of the tests and the built-in PDF printer report.
constexpr int kA4WidthPixels = 9917;
constexpr int kA4HeightPixels = 14033;
