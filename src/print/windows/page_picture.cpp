#include "print/windows/page_picture.h"

#include <QPaintEvent>
#include <QPainter>

void PagePicture::setImage(const QImage* image)
{
    m_image = image;
    update();
}

void PagePicture::paintEvent(QPaintEvent* event)
{
    if (!m_image)
        return;
    QPainter painter(this);
    painter.drawImage(event->rect(), *m_image, event->rect());
}
