#pragma once

#include <QColor>
#include <QString>

namespace platform {

// A font as a drawing surface holds it: its attributes in points, and the pixels per inch of
// the surface it belongs to. Copying from another font takes the attributes and keeps the own
// pixels per inch, so a point size keeps its physical size on any surface.
struct SurfaceFont {
    QString name = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QColor color = Qt::black;
    int pixelsPerInch = 96;

    void assign(const SurfaceFont& other)
    {
        const int own = pixelsPerInch;
        *this = other;
        pixelsPerInch = own;
    }
    // The height of an em in the pixels of the surface.
    double emPixels() const { return pointSize * pixelsPerInch / 72.0; }

    bool sameAttributes(const SurfaceFont& other) const
    {
        return name == other.name && pointSize == other.pointSize && bold == other.bold &&
               italic == other.italic && underline == other.underline &&
               strikeOut == other.strikeOut && color == other.color;
    }
};

struct SurfacePen {
    int width = 1;
    QColor color = Qt::black;
    bool operator==(const SurfacePen&) const = default;
};

struct SurfaceBrush {
    QColor color = Qt::white;
    bool solid = false; // clear: shapes are not filled and text keeps what is behind it
    bool operator==(const SurfaceBrush&) const = default;
};

} // namespace platform
