#include "platform/toolkit/window_placement.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace platform {
namespace {

// The gap between a window and the owner it is placed beside.
constexpr int kBesideGap = 8;

// Where the window's frame goes; the window itself when it is not framed yet.
QPoint centredTopLeft(const QWidget& window, const QScreen& screen)
{
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen.geometry().center());
    return frame.topLeft();
}

// Centres the window again once it is framed, if it is still where it was first put.
class CentreWhenFramed final : public QObject {
public:
    CentreWhenFramed(QWidget& window, QPoint placed)
        : QObject(&window)
        , m_placed(placed)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        watched->removeEventFilter(this);
        QTimer::singleShot(0, this, [this, window = QPointer(static_cast<QWidget*>(watched))] {
            const QScreen* screen = window ? window->screen() : nullptr;
            if (screen && window->frameGeometry().topLeft() == m_placed)
                window->move(centredTopLeft(*window, *screen));
            deleteLater();
        });
        return false;
    }

private:
    QPoint m_placed;
};

} // namespace

void CentreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QPoint placed = centredTopLeft(window, *screen);
    window.move(placed);
    if (!window.isVisible())
        new CentreWhenFramed(window, placed);
}

void PlaceBeside(QWidget& window, const QWidget& owner)
{
    const QScreen* screen = owner.screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QSize frame = window.frameGeometry().size();
    QPoint corner = owner.frameGeometry().topRight() + QPoint(kBesideGap, 0);
    corner.setX(std::min(corner.x(), room.right() - frame.width()));
    corner.setY(
        std::clamp(corner.y(), room.top(), std::max(room.top(), room.bottom() - frame.height())));
    window.move(corner);
}

void CoverWithFrame(QWidget& window, const QRect& area)
{
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    window.setGeometry(area - frame);
}

} // namespace platform
