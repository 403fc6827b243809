#pragma once

class TMyPrinter;
class TPrintDialog1;

// The start that every report shares, so that each report says only what is its own.

// Names the print job after the program and, when the dialog says "Scherm", sends the pages to
// the preview, which then opens over the work area under the program's name.
void DirectReport(TMyPrinter& engine, const TPrintDialog1& dialog);

// Begins the document; false when the user cancelled a question of the print system, after
// which the report ends without a word.
[[nodiscard]] bool BeginReport(TMyPrinter& engine);
