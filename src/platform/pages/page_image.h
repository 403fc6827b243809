#pragma once

#include "platform/fonts/surface_font.h"

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <cstdint>
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

    // The operations in order, made on request: the page holds them in a compact form of its
    // own, since a long report keeps hundreds of pages in memory.
    std::vector<Operation> operations() const;
    void append(const Operation& operation);
    // Gives back the room kept for more operations, once the page is complete.
    void squeeze();

    // Draws the page into target (in the painter's coordinates), stretched to fill it.
    void play(QPainter& painter, const QRectF& target) const;

    // The page as an Enhanced Metafile's bytes; empty when the page cannot be written as one.
    QByteArray emfBytes() const;

private:
    // A text as its place and a stretch of the page's character store; a font, rare on a page,
    // as an index into the page's fonts. With these the largest record is a third of an
    // Operation, and no text needs a heap block of its own.
    struct StoredText {
        QPoint topLeft;
        int baseline = 0;
        std::uint32_t offset = 0;
        std::uint32_t length = 0; // kNullText: a null string
    };
    struct StoredFont {
        std::uint32_t index = 0;
    };
    using Record = std::variant<StoredFont, SelectPen, SelectBrush, StoredText, Line, Rectangle>;
    static constexpr std::uint32_t kNullText = 0xFFFFFFFF;

    // Calls visitor with each operation; texts either share the store (only while the call
    // lasts) or are copies of their own.
    template <class Visitor> void visit(Visitor&& visitor, bool ownTexts) const;

    QSize m_size;
    QSizeF m_frame;
    int m_resolutionX;
    int m_resolutionY;
    std::vector<Record> m_records;
    std::vector<SelectFont> m_fonts;
    std::vector<char16_t> m_characters;
};

// Where a painter draws the outline of a rectangle so that, as on paper, a one-pixel pen covers
// exactly the pixels from left to right - 1 and from top to bottom - 1.
QRectF outlineOf(const QRect& area);

} // namespace platform
