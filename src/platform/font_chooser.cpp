#include "font_chooser.h"

#include "font_colour_list.h"

#include <QFontDialog>

namespace platform {
namespace {

class DesktopFontChooser final : public FontChooser {
public:
    std::optional<FontChoice> choose(QWidget* parent, const FontChoice& initial) override
    {
        QFontDialog dialog(initial.font, parent);
        dialog.setWindowTitle(QStringLiteral("Lettertype"));
        FontColourList* colours = FontColourList::addTo(dialog, initial.color);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return FontChoice{dialog.selectedFont(), colours ? colours->colour() : initial.color};
    }
};

} // namespace

template <> FontChooser& Seam<FontChooser>::desktop()
{
    static DesktopFontChooser chooser;
    return chooser;
}

} // namespace platform
