// Showing one report page in the preview at 300 % against painting the same page straight into a
// bitmap of the same size and resolution with a QPainter: what the ratio shows is what the
// preview adds to the painting (its widgets, the busy cursor, playing the page's records).

#include "bench_support.h"
#include "cases.h"

#include "platform/fonts/font_conversion.h"
#include "print/windows/MyPForm.h"
#include "print/windows/zoom.h"

#include <QApplication>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <variant>

namespace bench {
namespace {

constexpr int kZoomStep = 4; // 300 %

// The same page without its computer-paper bands: only texts and rules.
const platform::PageImage& plainPage()
{
    static const platform::PageImage page = [] {
        const platform::PageImage& typical = TypicalPage();
        platform::PageImage plain(typical.size(), typical.frameMillimetres(), typical.resolutionX(),
                                  typical.resolutionY());
        for (const auto& operation : typical.operations())
            if (!std::holds_alternative<platform::PageImage::Rectangle>(operation))
                plain.append(operation);
        return plain;
    }();
    return page;
}

// A shown preview window holding one page at the zoom step.
TPreviewPrintForm1& shownPreview(std::unique_ptr<TPreviewPrintForm1>& slot,
                                 const platform::PageImage& page)
{
    if (!slot) {
        slot = std::make_unique<TPreviewPrintForm1>();
        slot->PageList.push_back(std::make_unique<platform::PageImage>(page));
        slot->ZoomStep = kZoomStep;
        slot->show();
        QApplication::processEvents();
    }
    return *slot;
}

// A page as plain QPainter calls take it, made once: its fonts as QFonts at the page's resolution
// and its boxes, each outlined in the colour it is filled with, as the rectangles of colour they
// show. Painted into a white bitmap of the preview's size and resolution, after the same frame,
// it gives the preview's picture by the simplest means.
class DirectPage {
public:
    explicit DirectPage(const platform::PageImage& page);
    // Keeps the bitmap shown last until it makes the next, as the preview does: given back after
    // every run, its room on the heap went to the other cases between repetitions, and the
    // next run paid for fresh pages.
    void show();

private:
    struct Font {
        QFont font;
        QColor color;
    };
    struct Text {
        QPointF at;
        QString text;
    };
    struct Line {
        QPen pen;
        QLine line;
    };
    struct Fill {
        QRectF area;
        QColor color;
    };

    const platform::PageImage& m_page;
    std::vector<std::variant<Font, Text, Line, Fill>> m_items;
    QImage m_bitmap;
};

DirectPage::DirectPage(const platform::PageImage& page)
    : m_page(page)
{
    platform::SurfacePen pen;
    platform::SurfaceBrush brush;
    for (const auto& operation : page.operations()) {
        if (const auto* font = std::get_if<platform::PageImage::SelectFont>(&operation)) {
            m_items.emplace_back(
                Font{platform::ToQFont(font->name, font->emPixels, font->bold, font->italic,
                                       font->underline, font->strikeOut, page.resolutionY()),
                     font->color});
        } else if (const auto* select = std::get_if<platform::PageImage::SelectPen>(&operation)) {
            pen = select->pen;
        } else if (const auto* select = std::get_if<platform::PageImage::SelectBrush>(&operation)) {
            brush = select->brush;
        } else if (const auto* text = std::get_if<platform::PageImage::Text>(&operation)) {
            m_items.emplace_back(Text{QPointF(text->topLeft.x(), text->baseline), text->text});
        } else if (const auto* line = std::get_if<platform::PageImage::Line>(&operation)) {
            QPen qpen(pen.color, std::max(pen.width, 1));
            qpen.setCapStyle(Qt::FlatCap);
            m_items.emplace_back(Line{qpen, QLine(line->from, line->to)});
        } else if (const auto* box = std::get_if<platform::PageImage::Rectangle>(&operation)) {
            // Report pages hold no other boxes; a reference that left one out would paint less
            // than the preview.
            if (!brush.solid || brush.color != pen.color)
                throw std::logic_error("a box outlined in another colour than its filling");
            m_items.emplace_back(Fill{QRectF(box->area), brush.color});
        }
    }
}

void DirectPage::show()
{
    m_bitmap = QImage();
    const double ratio = m_page.resolutionX() / DisplayPixelsPerInch(kZoomStep);
    m_bitmap = QImage(QSize(static_cast<int>(std::nearbyint(m_page.width() / ratio)),
                            static_cast<int>(std::nearbyint(m_page.height() / ratio))),
                      QImage::Format_RGB32);
    m_bitmap.setDotsPerMeterX(qRound(m_page.resolutionX() / 0.0254));
    m_bitmap.setDotsPerMeterY(qRound(m_page.resolutionY() / 0.0254));
    m_bitmap.fill(Qt::white);

    QPainter painter(&m_bitmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.drawRect(QRectF(0, 0, m_bitmap.width() - 1, m_bitmap.height() - 1));
    painter.scale(double(m_bitmap.width()) / m_page.width(),
                  double(m_bitmap.height()) / m_page.height());
    for (const auto& item : m_items) {
        if (const auto* font = std::get_if<Font>(&item)) {
            painter.setFont(font->font);
            painter.setPen(font->color);
        } else if (const auto* text = std::get_if<Text>(&item)) {
            painter.drawText(text->at, text->text);
        } else if (const auto* line = std::get_if<Line>(&item)) {
            const QPen textPen = painter.pen();
            painter.setPen(line->pen);
            painter.drawLine(line->line);
            painter.setPen(textPen);
        } else if (const auto* fill = std::get_if<Fill>(&item)) {
            painter.fillRect(fill->area, fill->color);
        }
    }
}

DirectPage& directPage()
{
    static DirectPage page(TypicalPage());
    return page;
}

DirectPage& directPlainPage()
{
    static DirectPage page(plainPage());
    return page;
}

// The first run after other cases finds the glyphs of the zoomed fonts and the bitmap's place on
// the heap given away; each repetition starts warm, as the preview does when the user zooms. The
// direct painting runs just before each ShowPage, so that both meet the same machine.
const Register
    reference({.name = "PaintPage/zoom_300", .run = [] { directPage().show(); }, .warmUp = true});

const Register showPage({.name = "ShowPage/zoom_300",
                         .run = [] { shownPreview(shared().preview, TypicalPage()).ShowPage(); },
                         .warmUp = true,
                         .timedWith = "PaintPage/zoom_300"});

const Register plainReference({.name = "PaintPage/zoom_300_no_bands",
                               .run = [] { directPlainPage().show(); },
                               .warmUp = true});

const Register
    showPlainPage({.name = "ShowPage/zoom_300_no_bands",
                   .run = [] { shownPreview(shared().plainPreview, plainPage()).ShowPage(); },
                   .warmUp = true,
                   .timedWith = "PaintPage/zoom_300_no_bands"});

} // namespace
} // namespace bench
