#pragma once

// The facade printed: its drawing to scale on a sheet at actual size, with the project's header
// and a bar of one metre to measure, then both plans as tables and the count.

#include "facade/facade_drawing.h"
#include "platform/fonts/surface_font.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class TPrintDialog1;

struct FacadeSheet {
    const facade::FacadeDrawing* drawing = nullptr;
    std::optional<int> scale; // 1:scale; none: the largest that fits the paper
    QStringList headHeaders;
    std::vector<QStringList> heads;
    QStringList courseHeaders;
    std::vector<QStringList> courses;
    QStringList lines; // the joints laid and the count
    QString projectName;
    platform::SurfaceFont font;
};

// The largest scale at which `width` by `height` millimetres of facade fit `roomWidth` by
// `roomHeight` millimetres of paper; none when not even the smallest does.
std::optional<int> LargestFittingScale(double width, double height, double roomWidth,
                                       double roomHeight);

// Prints where the confirmed dialog says, or tells the user in a box why it cannot: a scale that
// does not fit the paper (naming the one that does), a facade too large at every scale.
void PrintFacade(const FacadeSheet& sheet, const TPrintDialog1& dialog);
