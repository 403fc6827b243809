// Showing one report page in the preview at 300 % against painting the same page's texts into
// a bitmap of the same size with a QPainter directly.

#include "bench_support.h"
#include "cases.h"

#include "print/windows/MyPForm.h"
#include "print/windows/zoom.h"

#include <QApplication>
#include <QPainter>
#include <QPen>

#include <benchmark/benchmark.h>

#include <cmath>

namespace bench {
namespace {

constexpr int kZoomStep = 4; // 300 %

TPreviewPrintForm1& preview()
{
    Shared& s = shared();
    if (!s.preview) {
        s.preview = std::make_unique<TPreviewPrintForm1>();
        s.preview->PageList.push_back(std::make_unique<platform::PageImage>(TypicalPage()));
        s.preview->CurrentPage = 0;
        s.preview->ZoomStep = kZoomStep;
        s.preview->show();
        QApplication::processEvents();
        s.preview->ShowPage();
        QApplication::processEvents();
    }
    return *s.preview;
}

// A white bitmap of the page's size at the zoom step, at the printer's resolution as ShowPage
// makes it.
QImage whitePageAtZoom(const platform::PageImage& page)
{
    const double ratio = page.resolutionX() / DisplayPixelsPerInch(kZoomStep);
    QImage image(QSize(static_cast<int>(std::nearbyint(page.width() / ratio)),
                       static_cast<int>(std::nearbyint(page.height() / ratio))),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(page.resolutionX() / 0.0254));
    image.setDotsPerMeterY(qRound(page.resolutionY() / 0.0254));
    image.fill(Qt::white);
    return image;
}

void scaleToPage(QPainter& painter, const platform::PageImage& page, const QImage& image)
{
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(double(image.width()) / page.width(), double(image.height()) / page.height());
}

void paintTextsAtZoom()
{
    static const std::vector<PlacedText> texts = TextsOf(TypicalPage());
    const platform::PageImage& page = TypicalPage();
    QImage image = whitePageAtZoom(page);
    QPainter painter(&image);
    scaleToPage(painter, page, image);
    painter.setPen(Qt::black);
    const QFont* current = nullptr;
    for (const PlacedText& text : texts) {
        if (!current || !(*current == text.font)) {
            current = &text.font;
            painter.setFont(text.font);
        }
        painter.drawText(QPointF(text.x, text.baseline), text.text);
    }
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
}

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

TPreviewPrintForm1& plainPreview()
{
    Shared& s = shared();
    if (!s.plainPreview) {
        s.plainPreview = std::make_unique<TPreviewPrintForm1>();
        s.plainPreview->PageList.push_back(std::make_unique<platform::PageImage>(plainPage()));
        s.plainPreview->ZoomStep = kZoomStep;
        s.plainPreview->show();
        QApplication::processEvents();
    }
    return *s.plainPreview;
}

// Everything on the page, texts and filled, outlined rectangles alike, painted straight with a
// QPainter: what ShowPage adds beyond this is the preview's own cost.
void paintWholePageAtZoom()
{
    const platform::PageImage& page = TypicalPage();
    static const auto operations = page.operations();
    QImage image = whitePageAtZoom(page);
    QPainter painter(&image);
    scaleToPage(painter, page, image);
    QPen pen(Qt::black);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    QBrush brush(Qt::NoBrush);
    QColor textColor(Qt::black);
    for (const auto& operation : operations) {
        if (const auto* font = std::get_if<platform::PageImage::SelectFont>(&operation)) {
            QFont qfont(font->name);
            qfont.setPointSizeF(font->emPixels * 72.0 / page.resolutionY());
            qfont.setBold(font->bold);
            painter.setFont(qfont);
            textColor = font->color;
        } else if (const auto* select = std::get_if<platform::PageImage::SelectPen>(&operation)) {
            pen.setColor(select->pen.color);
        } else if (const auto* select = std::get_if<platform::PageImage::SelectBrush>(&operation)) {
            brush = select->brush.solid ? QBrush(select->brush.color) : QBrush(Qt::NoBrush);
        } else if (const auto* text = std::get_if<platform::PageImage::Text>(&operation)) {
            painter.setPen(textColor);
            painter.drawText(QPointF(text->topLeft.x(), text->baseline), text->text);
        } else if (const auto* line = std::get_if<platform::PageImage::Line>(&operation)) {
            painter.setPen(pen);
            painter.drawLine(line->from, line->to);
        } else if (const auto* box = std::get_if<platform::PageImage::Rectangle>(&operation)) {
            painter.setPen(pen);
            painter.setBrush(brush);
            painter.drawRect(QRectF(box->area.x(), box->area.y(), box->area.width() - 1,
                                    box->area.height() - 1));
        }
    }
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
}

const Register showPage({"ShowPage/zoom_300", [] { return 1.0; }, [] { preview(); },
                         [] {
                             preview().ShowPage();
                         }});

const Register reference({"PaintPageTexts/zoom_300", [] { return 1.0; }, {}, paintTextsAtZoom});

const Register showPlainPage({"ShowPage/zoom_300_no_bands", [] { return 1.0; },
                              [] { plainPreview(); },
                              [] {
                                  plainPreview().ShowPage();
                              }});

const Register wholePage({"PaintWholePage/zoom_300", [] { return 1.0; }, {}, paintWholePageAtZoom});

} // namespace
} // namespace bench
