#pragma once

#include "platform/toolkit/seam.h"

#include <QColor>
#include <QFont>

#include <optional>

class QWidget;

namespace platform {

// A font and its colour, which Qt keeps apart.
struct FontChoice {
    QFont font;
    QColor color;
};

// The desktop's font dialog, with the colour among its effects. Returns the chosen font and
// colour, or nothing when the user cancelled.
class FontChooser {
public:
    virtual ~FontChooser() = default;
    virtual std::optional<FontChoice> choose(QWidget* parent, const FontChoice& initial) = 0;
};

template <> FontChooser& Seam<FontChooser>::desktop();

} // namespace platform
