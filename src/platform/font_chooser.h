#pragma once

#include "seam.h"

#include <QFont>

#include <optional>

class QWidget;

namespace platform {

// The desktop's font dialog. Returns the chosen font, or nothing when the user cancelled.
class FontChooser {
public:
    virtual ~FontChooser() = default;
    virtual std::optional<QFont> choose(QWidget* parent, const QFont& initial) = 0;
};

template <> FontChooser& Seam<FontChooser>::desktop();

} // namespace platform
