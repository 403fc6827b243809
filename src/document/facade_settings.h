#pragma once

// The facade as the Gevel window has it typed: everything but the bricks, which are the
// document's own, shared with Verdelen.

#include "facade/facade_inputs.h"

#include <QString>

#include <vector>

struct OpeningRow {
    QString name;
    QString left;
    QString right;
    QString bottom;
    QString top;

    bool operator==(const OpeningRow&) const = default;
};

struct FacadeSettings {
    QString stoneLength = QStringLiteral("210");
    QString width = QStringLiteral("5500");
    QString height = QStringLiteral("2800");
    facade::WallEnd leftEnd = facade::WallEnd::OutsideCorner;
    facade::WallEnd rightEnd = facade::WallEnd::OutsideCorner;
    facade::FirstCourse first = facade::FirstCourse::Stretcher;
    QString breakage = QStringLiteral("5");
    std::vector<OpeningRow> openings;

    bool operator==(const FacadeSettings&) const = default;
};
