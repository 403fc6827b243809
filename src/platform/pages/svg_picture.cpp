#include "platform/pages/svg_picture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace platform {

QPixmap SvgPicture(const QString& resource, QSize size, qreal devicePixelRatio)
{
    QPixmap picture(size * devicePixelRatio);
    picture.fill(Qt::transparent);
    QSvgRenderer svg(resource);
    QPainter painter(&picture);
    svg.render(&painter);
    painter.end();
    picture.setDevicePixelRatio(devicePixelRatio);
    return picture;
}

} // namespace platform
