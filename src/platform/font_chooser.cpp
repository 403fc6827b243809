#include "font_chooser.h"

#include <QFontDialog>

namespace platform {
namespace {

class DesktopFontChooser final : public FontChooser {
public:
    std::optional<QFont> choose(QWidget* parent, const QFont& initial) override
    {
        bool confirmed = false;
        const QFont chosen =
            QFontDialog::getFont(&confirmed, initial, parent, QStringLiteral("Lettertype"));
        if (!confirmed)
            return std::nullopt;
        return chosen;
    }
};

} // namespace

template <> FontChooser& Seam<FontChooser>::desktop()
{
    static DesktopFontChooser chooser;
    return chooser;
}

} // namespace platform
