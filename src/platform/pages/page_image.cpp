#include "platform/pages/page_image.h"

#include "platform/fonts/font_conversion.h"

#include <QPainter>
#include <QPen>

#include <cmath>
#include <type_traits>

namespace platform {
namespace {

// Replays the recorded state changes and drawings onto a painter.
class Player {
public:
    explicit Player(QPainter& painter)
        : m_painter(painter)
    {
    }

    void operator()(const PageImage::SelectFont& font)
    {
        m_painter.setFont(ToQFont(font.name, font.emPixels, font.bold, font.italic, font.underline,
                                  font.strikeOut, m_painter.device()->logicalDpiY()));
        m_textColor = font.color;
    }
    void operator()(const PageImage::SelectPen& pen) { m_pen = pen.pen; }
    void operator()(const PageImage::SelectBrush& brush) { m_brush = brush.brush; }
    void operator()(const PageImage::Text& text)
    {
        m_painter.setPen(m_textColor);
        m_painter.drawText(QPointF(text.topLeft.x(), text.baseline), text.text);
    }
    void operator()(const PageImage::Line& line)
    {
        m_painter.setPen(toolkitPen());
        m_painter.drawLine(line.from, line.to);
    }
    void operator()(const PageImage::Rectangle& rectangle)
    {
        const QPen pen = toolkitPen();
        if (pen.isCosmetic() && fillsAsOneColour(rectangle.area)) {
            fillWholeDevicePixels(outlineOf(rectangle.area));
            return;
        }
        m_painter.setPen(pen);
        m_painter.setBrush(m_brush.solid ? QBrush(m_brush.color) : QBrush(Qt::NoBrush));
        m_painter.drawRect(outlineOf(rectangle.area));
    }

private:
    // A box whose outline has the colour of its solid, opaque filling, drawn without
    // antialiasing at a scale that only moves and stretches, onto plain device pixels: the
    // background of text on a band, and the bands themselves.
    bool fillsAsOneColour(const QRect& area) const
    {
        const QTransform& toDevice = m_painter.deviceTransform();
        return m_brush.solid && m_pen.color == m_brush.color && m_brush.color.alpha() == 255 &&
               !area.isEmpty() && toDevice.type() <= QTransform::TxScale && toDevice.m11() > 0 &&
               toDevice.m22() > 0 && m_painter.device()->devicePixelRatio() == 1 &&
               !m_painter.testRenderHint(QPainter::Antialiasing);
    }

    // Scaled down, such a box covers every device pixel its one-pixel outline passes through and
    // all pixels inside: from the pixel holding the outline's top-left corner to the one holding
    // its bottom-right. Filled as that one rectangle, a page of bands shows in a fraction of the
    // time Qt's outline stroker takes, pixel by pixel; that stroker also leaves some corner and
    // edge pixels of a scaled outline blank.
    void fillWholeDevicePixels(const QRectF& outline)
    {
        const QTransform& toDevice = m_painter.deviceTransform();
        const QPointF topLeft = toDevice.map(outline.topLeft());
        const QPointF bottomRight = toDevice.map(outline.bottomRight());
        const QRect pixels(QPoint(static_cast<int>(std::floor(topLeft.x())),
                                  static_cast<int>(std::floor(topLeft.y()))),
                           QPoint(static_cast<int>(std::floor(bottomRight.x())),
                                  static_cast<int>(std::floor(bottomRight.y()))));
        m_painter.save();
        m_painter.resetTransform();
        m_painter.fillRect(pixels, m_brush.color);
        m_painter.restore();
    }

    QPen toolkitPen() const
    {
        QPen pen(m_pen.color, std::max(m_pen.width, 1));
        // Scaled down for the screen, a thin line would fall between the pixels; like a
        // metafile player, draw it at least one device pixel wide.
        if (pen.widthF() * m_painter.transform().m11() < 1)
            pen.setCosmetic(true), pen.setWidth(1);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        return pen;
    }

    QPainter& m_painter;
    QColor m_textColor = Qt::black;
    SurfacePen m_pen;
    SurfaceBrush m_brush;
};

} // namespace

QRectF outlineOf(const QRect& area)
{
    return QRectF(area.x(), area.y(), area.width() - 1, area.height() - 1);
}

PageImage::PageImage(QSize sizePixels, QSizeF frameMillimetres, int resolutionX, int resolutionY)
    : m_size(sizePixels)
    , m_frame(frameMillimetres)
    , m_resolutionX(resolutionX)
    , m_resolutionY(resolutionY)
{
}

template <class Visitor> void PageImage::visit(Visitor&& visitor, bool ownTexts) const
{
    for (const Record& record : m_records) {
        if (const auto* text = std::get_if<StoredText>(&record)) {
            QString characters;
            if (text->length != kNullText) {
                const auto* first =
                    reinterpret_cast<const QChar*>(m_characters.data()) + text->offset;
                const auto length = static_cast<qsizetype>(text->length);
                characters =
                    ownTexts ? QString(first, length) : QString::fromRawData(first, length);
                if (characters.isNull())
                    characters = QString(QLatin1String(""));
            }
            visitor(Text{text->topLeft, text->baseline, std::move(characters)});
        } else if (const auto* font = std::get_if<StoredFont>(&record)) {
            visitor(m_fonts[font->index]);
        } else {
            std::visit(
                [&visitor](const auto& operation) {
                    if constexpr (!std::is_same_v<std::decay_t<decltype(operation)>, StoredText> &&
                                  !std::is_same_v<std::decay_t<decltype(operation)>, StoredFont>)
                        visitor(operation);
                },
                record);
        }
    }
}

std::vector<PageImage::Operation> PageImage::operations() const
{
    std::vector<Operation> operations;
    operations.reserve(m_records.size());
    visit([&operations](const auto& operation) { operations.emplace_back(operation); }, true);
    return operations;
}

void PageImage::append(const Operation& operation)
{
    if (const auto* text = std::get_if<Text>(&operation)) {
        StoredText stored{text->topLeft, text->baseline,
                          static_cast<std::uint32_t>(m_characters.size()), kNullText};
        if (!text->text.isNull()) {
            const auto* characters = reinterpret_cast<const char16_t*>(text->text.constData());
            m_characters.insert(m_characters.end(), characters, characters + text->text.size());
            stored.length = static_cast<std::uint32_t>(text->text.size());
        }
        m_records.emplace_back(stored);
    } else if (const auto* font = std::get_if<SelectFont>(&operation)) {
        m_records.emplace_back(StoredFont{static_cast<std::uint32_t>(m_fonts.size())});
        m_fonts.push_back(*font);
    } else {
        std::visit(
            [this](const auto& other) {
                if constexpr (!std::is_same_v<std::decay_t<decltype(other)>, Text> &&
                              !std::is_same_v<std::decay_t<decltype(other)>, SelectFont>)
                    m_records.emplace_back(other);
            },
            operation);
    }
}

void PageImage::squeeze()
{
    m_records.shrink_to_fit();
    m_fonts.shrink_to_fit();
    m_characters.shrink_to_fit();
}

void PageImage::play(QPainter& painter, const QRectF& target) const
{
    if (m_size.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / m_size.width(), target.height() / m_size.height());
    Player player(painter);
    visit(player, false);
    painter.restore();
}

} // namespace platform
