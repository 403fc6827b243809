#pragma once

#include "facade/facade_drawing.h"

#include <QWidget>

#include <functional>
#include <memory>

// "Aanzicht": the laid facade to scale, fit to the view and zoomable (the wheel, + and −, 0 fits
// it again; dragging moves it). Stones in a run whose joint lies outside the limits are hatched,
// with a legend, so that colour is never the only sign. Hovering a stone says what it is.
class FacadeView final : public QWidget {
    Q_OBJECT

public:
    explicit FacadeView(QWidget* parent = nullptr);

    // Nothing to draw: an empty view.
    void show(std::shared_ptr<const facade::FacadeDrawing> drawing,
              std::function<QString(std::size_t piece)> describe);
    void clear();

    // Where a point of the view lies on the facade, in millimetres.
    QPointF facadePoint(QPointF viewPoint) const;
    // The stone under a point of the view, as its hover text says it; empty for none.
    QString stoneTextAt(QPointF viewPoint) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QTransform transform() const;
    void zoomBy(double factor, QPointF around);
    void paintDimensions(QPainter& painter, const QTransform& toView) const;
    void paintLegend(QPainter& painter) const;

    std::shared_ptr<const facade::FacadeDrawing> m_drawing;
    std::function<QString(std::size_t)> m_describe;
    double m_zoom = 1;
    QPointF m_shift; // in view pixels, after the fit
    QPointF m_dragFrom;
    bool m_hatched = false;
};
