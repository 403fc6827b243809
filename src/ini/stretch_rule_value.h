#pragma once

#include "project_settings.h"

#include <QByteArray>

#include <optional>

// One stretch rule as the value of its key line:
//
//     word;from;to        e.g.  VAK1=MIN;+2,850;+5\;1
//
// word is MIN for rule 1 and PLUS for rule 2; from is escaped as escaped_field.h describes, so
// that the first unescaped ";" after it ends it; to is all the rest of the value, as typed. The
// whole value then takes the file's value encoding.

// Whether a rule is one that is written: rule 0 is the default, and any other is unknown.
bool IsWrittenStretchRule(int rule);

// The value of a rule that IsWrittenStretchRule.
QByteArray EncodeStretchRule(const StretchRuleTexts& rule);

// The rule of a value written so; none when it is not (an unknown word, no two separators, an
// unknown escape).
std::optional<StretchRuleTexts> DecodeStretchRule(const QByteArray& value);
