#pragma once

#include <QComboBox>

class QFontDialog;

namespace platform {

// The colour of the font dialog's effects, as font dialogs on the desktop offer it: a list of
// the sixteen basic colours by their Dutch names. Qt's own font dialog has no colour.
class FontColourList : public QComboBox {
    Q_OBJECT

public:
    // Adds the list under the dialog's underline and strike-out boxes, showing `initial`; a
    // colour that is not one of the sixteen stands first as the current colour. Nothing when
    // the dialog has no effects box.
    static FontColourList* addTo(QFontDialog& dialog, const QColor& initial);

    QColor colour() const;

private:
    FontColourList(QWidget* parent, const QColor& initial);
};

} // namespace platform
