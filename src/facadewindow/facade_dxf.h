#pragma once

#include "facade/facade_drawing.h"

#include <QByteArray>

// The facade at 1:1 in millimetres for CAD: every stone a closed polyline on "STENEN", the
// openings on "SPARINGEN", the corner, jamb, sill and lintel lines with their measures on
// "MAATVOERING", the openings' names on "TEKST".
QByteArray FacadeDxf(const facade::FacadeDrawing& drawing);
