#include "platform/fonts/font_chooser.h"

#include "platform/fonts/font_colour_list.h"

#include <QFontDialog>
#include <QFontInfo>

namespace platform {
namespace {

bool sameLook(const FontChoice& a, const FontChoice& b)
{
    return a.font.family() == b.font.family() && a.font.pointSizeF() == b.font.pointSizeF() &&
           a.font.bold() == b.font.bold() && a.font.italic() == b.font.italic() &&
           a.font.underline() == b.font.underline() && a.font.strikeOut() == b.font.strikeOut() &&
           a.color == b.color;
}

class DesktopFontChooser final : public FontChooser {
public:
    std::optional<FontChoice> choose(QWidget* parent, const FontChoice& initial) override
    {
        // A face like "Arial" that only a stand-in provides is not in the dialog's list: it
        // opens on the stand-in the user sees, and that face taken back means the named one.
        const QString shownFamily = QFontInfo(initial.font).family();
        QFont shown = initial.font;
        shown.setFamily(shownFamily);
        QFontDialog dialog(shown, parent);
        dialog.setWindowTitle(QStringLiteral("Lettertype"));
        FontColourList* colours = FontColourList::addTo(dialog, initial.color);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        FontChoice chosen{dialog.selectedFont(), colours ? colours->colour() : initial.color};
        if (chosen.font.family() == shownFamily)
            chosen.font.setFamily(initial.font.family());
        // Confirmed unchanged: the font stays exactly as it was.
        if (sameLook(chosen, initial))
            return initial;
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
