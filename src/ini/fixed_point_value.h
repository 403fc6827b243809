#pragma once

#include "project_settings.h"

#include <QByteArray>

#include <optional>

// One fixed point as the value of its key line:
//
//     count;name;height        e.g.  PUNT2=14;Vloer \;oud\\;+2,850
//
// count is the typed count in decimal digits; in name a backslash and a semicolon are written
// as "\\" and "\;", so that the first unescaped ";" after it ends it; height is all the rest of
// the value, as typed. The whole value then takes the file's value encoding (UTF-8 without line
// breaks or Ctrl-Z). Height comes last because a line too long is cut there: a name within its
// limit, the count and the key take at most 199 bytes of the 255.
QByteArray EncodeFixedPoint(const FixedPointTexts& point);

// The point of a value written so; none when it is not (no two separators, an unknown escape,
// a count that is not a whole number from 0 up, a name over its limit).
std::optional<FixedPointTexts> DecodeFixedPoint(const QByteArray& value);
