#include "platform/pages/page_export.h"

#include "platform/pages/page_image.h"
#include "platform/pages/pdf_file.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>

namespace platform {
namespace {

constexpr double kMetresPerInch = 0.0254;
// Qt's quality for PNG picks the compression level: 80 is one of the fastest levels.
constexpr int kFastCompression = 80;
constexpr double kMaxPngBitmapBytes = 1024.0 * 1024 * 1024;

void setPixelsPerInch(QImage& image, int pixelsPerInch)
{
    const int perMetre = static_cast<int>(std::lround(pixelsPerInch / kMetresPerInch));
    image.setDotsPerMeterX(perMetre);
    image.setDotsPerMeterY(perMetre);
}

} // namespace

void SavePagesAsPdf(const QString& fileName, const std::vector<const PageImage*>& pages,
                    const QPageLayout& layout, const QString& title, bool actualSize)
{
    PdfFile file(fileName, QStringLiteral("Het bestand ") + fileName,
                 ReplacingFile::Link::WriteThrough);
    QPdfWriter& writer = file.writer();
    writer.setTitle(title);
    writer.setCreator(title);
    writer.setPageLayout(layout);
    if (actualSize)
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_1_6);
    if (!pages.empty())
        writer.setResolution(pages.front()->resolutionX());
    QPainter painter(&writer);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            file.newPage();
        const PageImage& page = *pages[i];
        page.play(painter, QRectF(0, 0, page.width(), page.height()));
    }
    painter.end();
    file.finish(actualSize);
    file.commit();
}

QByteArray PageAsSvg(const PageImage& page, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setTitle(title);
    generator.setResolution(page.resolutionX());
    generator.setSize(page.size());
    generator.setViewBox(QRect(QPoint(0, 0), page.size()));
    QPainter painter(&generator);
    page.play(painter, QRectF(0, 0, page.width(), page.height()));
    painter.end();
    return bytes;
}

QByteArray PageAsPng(const PageImage& page, int pixelsPerInch)
{
    const double scale = double(pixelsPerInch) / page.resolutionX();
    const double width = std::round(page.width() * scale);
    const double height = std::round(page.height() * scale);
    // A bitmap beyond this is no paper anyone prints (A0 takes a quarter of it); asking the
    // system for it would at best fail and at worst take all its memory.
    if (width * height * 4 > kMaxPngBitmapBytes)
        return {};
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    // Drawn at the printer's resolution, scaled down, so that the letters keep the printer's
    // metrics and stay in line with the rules and bands.
    setPixelsPerInch(image, page.resolutionX());
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        page.play(painter, QRectF(0, 0, image.width(), image.height()));
    }
    // Writing took ten times the drawing, most of it spent compressing 32-bit pixels: a page in
    // shades of grey (the usual, black text) is written with one byte a pixel, and with the
    // faster compression, which makes the files only a tenth larger.
    QImage saved =
        image.convertToFormat(image.allGray() ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    setPixelsPerInch(saved, pixelsPerInch);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (saved.isNull() || !saved.save(&buffer, "PNG", kFastCompression))
        return {};
    return bytes;
}

} // namespace platform
