#pragma once

// Why Verdelen cannot divide, in one line of the mode's words: the first tab and the plan of
// fixed points say it the same way.

#include "calc/divide_levels.h"
#include "document/mode_words.h"

#include <QString>

// The label of the field a line is about, as the user sees it ("Lintvoeg:").
QString FitFieldLabel(calc::FitField field, const ModeWords& words);

// `fieldText`: the text of the field the error is about, as typed.
QString FitProblemText(const calc::FitError& error, const ModeWords& words,
                       const QString& fieldText);
