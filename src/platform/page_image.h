#pragma once

#include "surface_font.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <variant>
#include <vector>

class QPainter;

namespace platform {

// One printed page as a vector record, in printer pixels with the origin at the top-left of the
// printable area. It plays back onto any painter (printer page or bitmap, at any scale) and is
// saved as an Enhanced Metafile that other programs open.
class PageImage {
public:
    // A font made current; sizes are in printer pixels.
    struct SelectFont {
        QString name;
        double emPixels = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        QColor color;
    };
    struct SelectPen {
        SurfacePen pen;
    };
    struct SelectBrush {
        SurfaceBrush brush;
    };
    // Text with its top-left corner and its baseline, both as measured on the printer.
    struct Text {
        QPoint topLeft;
        int baseline = 0;
        QString text;
    };
    struct Line {
        QPoint from;
        QPoint to;
    };
    // Outlined with the current pen, filled with the current brush when it is solid.
    struct Rectangle {
        QRect area; // left, top, right, bottom as given (right and bottom exclusive)
    };
    using Operation = std::variant<SelectFont, SelectPen, SelectBrush, Text, Line, Rectangle>;

    // sizePixels: the printable area in printer pixels; frameMillimetres: the same in mm.
    PageImage(QSize sizePixels, QSizeF frameMillimetres, int resolutionX, int resolutionY);

    int width() const { return m_size.width(); }
    int height() const { return m_size.height(); }
    QSize size() const { return m_size; }
    QSizeF frameMillimetres() const { return m_frame; }
    int resolutionX() const { return m_resolutionX; }
    int resolutionY() const { return m_resolutionY; }

    const std::vector<Operation>& operations() const { return m_operations; }
    void append(Operation operation) { m_operations.push_back(std::move(operation)); }

    // Draws the page into target (in the painter's coordinates), stretched to fill it.
    void play(QPainter& painter, const QRectF& target) const;

    // Writes the page as an Enhanced Metafile; false when the file could not be written.
    bool saveToFile(const QString& fileName) const;

private:
    QSize m_size;
    QSizeF m_frame;
    int m_resolutionX;
    int m_resolutionY;
    std::vector<Operation> m_operations;
};

// Where a painter draws the outline of a rectangle so that, as on paper, a one-pixel pen covers
// exactly the pixels from left to right - 1 and from top to bottom - 1.
QRectF outlineOf(const QRect& area);

} // namespace platform
