#include "HyperLabel.h"

#include "link_look.h"
#include "msg/error_report.h"
#include "platform/toolkit/url_opener.h"

#include <QMouseEvent>

THyperLabel::THyperLabel(QWidget* parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void THyperLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    ApplyLinkLook(*this);
}

void THyperLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    ApplyNormalLook(*this);
}

void THyperLabel::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        RunGuarded([this] { platform::OpenWebAddress(m_hyperlink); });
}
