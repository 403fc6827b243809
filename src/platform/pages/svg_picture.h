#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace platform {

// One of our SVG drawings as a picture of a given size in window pixels, rendered for the
// screen's scale so that it stays sharp at 200 % too.
QPixmap SvgPicture(const QString& resource, QSize size, qreal devicePixelRatio);

} // namespace platform
