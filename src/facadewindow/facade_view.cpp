#include "facade_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMargin = 8; // pixels around the drawing when it fits
constexpr double kZoomStep = 1.25;
constexpr double kLargestZoom = 200;

QRectF ViewRect(const facade::Box& box)
{
    return QRectF(QPointF(box.left, box.bottom), QPointF(box.right, box.top)).normalized();
}

const QString kLegend = QStringLiteral("voeg buiten grenzen");

} // namespace

FacadeView::FacadeView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("AanzichtView"));
    setAccessibleName(QStringLiteral("Aanzicht"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void FacadeView::show(std::shared_ptr<const facade::FacadeDrawing> drawing,
                      std::function<QString(std::size_t)> describe)
{
    m_drawing = std::move(drawing);
    m_describe = std::move(describe);
    m_hatched = std::any_of(m_drawing->stones.begin(), m_drawing->stones.end(),
                            [](const facade::DrawnStone& stone) { return stone.outsideLimits; });
    update();
}

void FacadeView::clear()
{
    m_drawing.reset();
    m_describe = nullptr;
    update();
}

// Millimetres of the facade to pixels: the whole drawing fit to the view, y upwards, then the
// zoom and the shift.
QTransform FacadeView::transform() const
{
    if (!m_drawing)
        return {};
    const QRectF extent = ViewRect(m_drawing->extent);
    const double fit = std::min((width() - 2 * kMargin) / extent.width(),
                                (height() - 2 * kMargin) / extent.height());
    const double scale = std::max(fit, 1e-9) * m_zoom;
    const QPointF centre(width() / 2.0, height() / 2.0);
    QTransform toView;
    toView.translate(centre.x() + m_shift.x(), centre.y() + m_shift.y());
    toView.scale(scale, -scale);
    toView.translate(-extent.center().x(), -extent.center().y());
    return toView;
}

QPointF FacadeView::facadePoint(QPointF viewPoint) const
{
    return transform().inverted().map(viewPoint);
}

QString FacadeView::stoneTextAt(QPointF viewPoint) const
{
    if (!m_drawing || !m_describe)
        return {};
    const QPointF at = facadePoint(viewPoint);
    for (const facade::DrawnStone& stone : m_drawing->stones)
        if (ViewRect(stone.box).contains(at))
            return m_describe(stone.piece);
    return {};
}

void FacadeView::paintEvent(QPaintEvent*)
{
    if (!m_drawing)
        return;
    QPainter painter(this);
    const QTransform toView = transform();
    painter.setTransform(toView);
    QPen thin(Qt::black, 0);
    painter.setPen(thin);
    const QBrush hatch(Qt::black, Qt::BDiagPattern);
    for (const facade::DrawnStone& stone : m_drawing->stones) {
        painter.setBrush(stone.outsideLimits ? hatch : Qt::NoBrush);
        painter.drawRect(ViewRect(stone.box));
    }
    painter.setBrush(Qt::NoBrush);
    painter.resetTransform();
    painter.setPen(QPen(Qt::black, 2));
    for (const facade::DrawnOpening& opening : m_drawing->openings) {
        const QRectF box = toView.mapRect(ViewRect(opening.box));
        painter.drawRect(box);
        painter.drawText(box, Qt::AlignCenter, QString::fromStdString(opening.name));
    }
    paintDimensions(painter, toView);
    if (m_hatched)
        paintLegend(painter);
}

// The measures in the view's own font, so that they read at any zoom.
void FacadeView::paintDimensions(QPainter& painter, const QTransform& toView) const
{
    painter.setPen(QPen(Qt::black, 0));
    const double offset = m_drawing->dimensionOffset;
    const facade::Box& wall = m_drawing->wall;
    const QPointF bottomLeft = toView.map(QPointF(wall.left, -offset));
    const QPointF bottomRight = toView.map(QPointF(wall.right, -offset));
    painter.drawLine(bottomLeft, bottomRight);
    const QFontMetricsF metrics(font());
    for (const facade::Measured& measure : m_drawing->across) {
        const QPointF at = toView.map(QPointF(measure.at, -offset));
        painter.drawLine(at + QPointF(-3, 3), at + QPointF(3, -3));
        const QString text = QString::fromStdString(measure.text);
        painter.drawText(at + QPointF(-metrics.horizontalAdvance(text) / 2, metrics.ascent() + 4),
                         text);
    }
    const QPointF leftBottom = toView.map(QPointF(-offset, wall.bottom));
    const QPointF leftTop = toView.map(QPointF(-offset, wall.top));
    painter.drawLine(leftBottom, leftTop);
    for (const facade::Measured& measure : m_drawing->up) {
        const QPointF at = toView.map(QPointF(-offset, measure.at));
        painter.drawLine(at + QPointF(-3, 3), at + QPointF(3, -3));
        const QString text = QString::fromStdString(measure.text);
        painter.drawText(at + QPointF(-metrics.horizontalAdvance(text) - 6, metrics.ascent() / 2),
                         text);
    }
}

void FacadeView::paintLegend(QPainter& painter) const
{
    const QFontMetricsF metrics(font());
    const QRectF sample(kMargin, kMargin, 2 * metrics.height(), metrics.height());
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(QBrush(Qt::black, Qt::BDiagPattern));
    painter.drawRect(sample);
    painter.setBrush(Qt::NoBrush);
    painter.drawText(QPointF(sample.right() + 6, sample.top() + metrics.ascent()), kLegend);
}

void FacadeView::zoomBy(double factor, QPointF around)
{
    const double zoom = std::clamp(m_zoom * factor, 1.0, kLargestZoom);
    if (zoom == m_zoom)
        return;
    // The point under the cursor stays where it is.
    const QPointF centre(width() / 2.0, height() / 2.0);
    const double applied = zoom / m_zoom;
    m_shift = (m_shift + centre - around) * applied + around - centre;
    m_zoom = zoom;
    if (m_zoom == 1)
        m_shift = {};
    update();
}

void FacadeView::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    zoomBy(std::pow(kZoomStep, steps), event->position());
}

void FacadeView::keyPressEvent(QKeyEvent* event)
{
    const QPointF centre(width() / 2.0, height() / 2.0);
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomBy(kZoomStep, centre);
        return;
    case Qt::Key_Minus:
        zoomBy(1 / kZoomStep, centre);
        return;
    case Qt::Key_0:
        m_zoom = 1;
        m_shift = {};
        update();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void FacadeView::mousePressEvent(QMouseEvent* event)
{
    m_dragFrom = event->position();
    setFocus();
}

void FacadeView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) {
        m_shift += event->position() - m_dragFrom;
        m_dragFrom = event->position();
        update();
        return;
    }
    const QString text = stoneTextAt(event->position());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
}
