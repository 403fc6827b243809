#include "link_look.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace {

void setLook(QWidget& label, const QColor& colour, bool underline)
{
    QFont font = label.font();
    font.setBold(false);
    font.setItalic(false);
    font.setStrikeOut(false);
    font.setUnderline(underline);
    label.setFont(font);

    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

} // namespace

void ApplyLinkLook(QWidget& label)
{
    setLook(label, QColor(0, 0, 255), true);
}

void ApplyNormalLook(QWidget& label)
{
    setLook(label, QApplication::palette(&label).color(QPalette::WindowText), false);
}
