#include "platform/fonts/font_colour_list.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPixmap>

namespace platform {
namespace {

struct NamedColour {
    const char* name;
    QRgb rgb;
};

constexpr NamedColour kBasicColours[] = {
    {"Zwart", 0x000000},      {"Kastanjebruin", 0x800000}, {"Groen", 0x008000},
    {"Olijfgroen", 0x808000}, {"Marineblauw", 0x000080},   {"Paars", 0x800080},
    {"Groenblauw", 0x008080}, {"Grijs", 0x808080},         {"Zilver", 0xC0C0C0},
    {"Rood", 0xFF0000},       {"Limoengroen", 0x00FF00},   {"Geel", 0xFFFF00},
    {"Blauw", 0x0000FF},      {"Fuchsia", 0xFF00FF},       {"Aqua", 0x00FFFF},
    {"Wit", 0xFFFFFF},
};

QIcon swatch(const QColor& colour)
{
    QPixmap pixmap(24, 12);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

} // namespace

FontColourList::FontColourList(QWidget* parent, const QColor& initial)
    : QComboBox(parent)
{
    setObjectName(QStringLiteral("FontColour"));
    setAccessibleName(QStringLiteral("Kleur"));
    for (const NamedColour& colour : kBasicColours)
        addItem(swatch(QColor(colour.rgb)), QLatin1String(colour.name), QColor(colour.rgb));
    const int shown = findData(initial.toRgb());
    if (shown >= 0) {
        setCurrentIndex(shown);
    } else {
        insertItem(0, swatch(initial), QStringLiteral("Huidige kleur"), initial);
        setCurrentIndex(0);
    }
}

FontColourList* FontColourList::addTo(QFontDialog& dialog, const QColor& initial)
{
    const QCheckBox* effect = dialog.findChild<QCheckBox*>();
    auto* effects = effect ? qobject_cast<QGroupBox*>(effect->parentWidget()) : nullptr;
    if (!effects || !effects->layout())
        return nullptr;
    auto* colours = new FontColourList(effects, initial);
    auto* label = new QLabel(QStringLiteral("&Kleur:"), effects);
    label->setBuddy(colours);
    effects->layout()->addWidget(label);
    effects->layout()->addWidget(colours);

    // The dialog's sample shows the text in the chosen colour.
    if (auto* sample = dialog.findChild<QLineEdit*>(QStringLiteral("qt_fontDialog_sampleEdit"))) {
        const auto paint = [sample, colours] {
            QPalette palette = sample->palette();
            palette.setColor(QPalette::Text, colours->colour());
            sample->setPalette(palette);
        };
        paint();
        connect(colours, &QComboBox::currentIndexChanged, sample, paint);
    }
    return colours;
}

QColor FontColourList::colour() const
{
    return currentData().value<QColor>();
}

} // namespace platform
