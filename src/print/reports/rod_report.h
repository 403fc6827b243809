#pragma once

// The rod at full size: the course table printed as a lagenlat or koppenlat at scale 1:1, the
// heights taken as millimetres of paper, across as many sheets as it needs.
//
//   rod report (this file)    what goes on the rod and the checks before printing
//     -> LayOutRod (rod_layout.h)   which courses on which sheet, line positions in pixels
//     -> a TMyPrinter that draws the sheet after each header, on the printer or in the preview

#include "document/mode_words.h"
#include "platform/fonts/surface_font.h"

#include <QString>

#include <optional>
#include <vector>

class TPrintDialog1;

struct RodTable {
    struct Course {
        double height = 0;  // exact, as the calculation made it
        QString number;     // as the table shows it
        QString shown;      // the height as the table shows it
        QString point = {}; // the name of the fixed point on this course; empty for none
    };
    struct Top {
        double height = 0; // exact, as the calculation read it
        QString shown;     // as the table would show it
    };
    std::vector<Course> courses; // course 0 first; empty when nothing is calculated
    // The top level, marked on the rod where the table shows no course at it.
    std::optional<Top> top;
    // The words of the table's mode: the rod's title, "lagen", the top's name.
    ModeWords words = CourseModeWords();
    QString gauge; // "lagenmaat 62,5": the gauge as the calculation read it, in words
    QString projectName;
    platform::SurfaceFont font;
};

// Why this table cannot be printed as a rod, before the print dialog is shown; empty when it
// can.
QString RodRefusal(const RodTable& table);

// Prints the rod where the confirmed dialog says, or tells the user in a box why it cannot (a
// rod of too many sheets, a gauge longer than a sheet). Other failures leave as exceptions
// after the engine is gone and the cursor is back.
void PrintRod(const RodTable& table, const TPrintDialog1& dialog);
