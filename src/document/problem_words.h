#pragma once

// Why a division or a plan cannot be made, in one Dutch line of the mode's words. The
// calculation returns these problems as values; the windows and the printed pages say them
// only through here, so that each is worded once.

#include "calc/divide_levels.h"
#include "calc/fixed_points.h"
#include "course_project.h"
#include "facade/facade_error.h"
#include "mode_words.h"

#include <QString>

#include <functional>
#include <vector>

// The label of the field a line is about, as the user sees it ("Lintvoeg:").
QString FitFieldLabel(calc::FitField field, const ModeWords& words);

// `fieldText`: the text of the field the error is about, as typed.
QString FitProblemText(const calc::FitError& error, const ModeWords& words,
                       const QString& fieldText, const calc::RegionalFormat& format);

// `typed`: the points as the user typed them; `fieldText`: the text of a field of the bricks
// or the decimals, as typed.
QString PlanProblemText(const calc::PlanError& error, const ModeWords& words,
                        const std::vector<PointTexts>& typed,
                        const std::function<QString(calc::FitField)>& fieldText,
                        const calc::RegionalFormat& format);

// Why a facade cannot be set out, naming the opening and the field: `texts` as typed.
QString FacadeProblemText(const facade::FacadeError& error, const facade::FacadeTexts& texts,
                          const calc::RegionalFormat& format);

// Why one stretch has no division, said within its row: "meer dan 99.998 lagen". `stones`: the
// length of its stones alone, as shown.
QString StretchFaultText(calc::StretchFault fault, std::int32_t count, const QString& stones,
                         const ModeWords& words, const calc::RegionalFormat& format);
