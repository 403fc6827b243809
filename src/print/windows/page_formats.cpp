#include "print/windows/page_formats.h"

#include "print/engine/document_title.h"

#include "platform/pages/page_export.h"

namespace {

QByteArray emfPage(const platform::PageImage& page)
{
    return page.emfBytes();
}

QByteArray svgPage(const platform::PageImage& page)
{
    return platform::PageAsSvg(page, DocumentTitle());
}

QByteArray pngPage(const platform::PageImage& page)
{
    return platform::PageAsPng(page, kPngPixelsPerInch);
}

void pdfOfAllPages(const QString& file, const std::vector<const platform::PageImage*>& pages,
                   const QPageLayout& paper, bool actualSize)
{
    platform::SavePagesAsPdf(file, pages, paper, DocumentTitle(), actualSize);
}

// An EMF page is made in no time, when it is written.
constexpr FilePerPage kEmfPages{.bytes = emfPage, .cutAtLastDot = true};

const PageFormat kFormats[] = {
    {"All", "*.bmp;*.ico;*.emf;*.wmf", "EMF", kEmfPages},
    {"Bitmaps", "*.bmp", "EMF", kEmfPages},
    {"Icons", "*.ico", "EMF", kEmfPages},
    {"Enhanced Metafiles", "*.emf", "EMF", kEmfPages},
    {"Metafiles", "*.wmf", "EMF", kEmfPages},
    {"PDF-document", "*.pdf", "pdf", OneFileOfAllPages{pdfOfAllPages}},
    {"SVG-afbeeldingen", "*.svg", "svg", FilePerPage{.bytes = svgPage, .madeAhead = true}},
    {"PNG-afbeeldingen", "*.png", "png", FilePerPage{.bytes = pngPage, .madeAhead = true}},
};

} // namespace

std::span<const PageFormat> PageFormats()
{
    return kFormats;
}

const PageFormat& PageFormatOf(int dialogType)
{
    const std::span<const PageFormat> formats = PageFormats();
    return dialogType >= 0 && static_cast<std::size_t>(dialogType) < formats.size()
               ? formats[static_cast<std::size_t>(dialogType)]
               : formats.front();
}

QString PageFileFilter()
{
    QStringList types;
    for (const PageFormat& format : PageFormats()) {
        const QString patterns = QLatin1String(format.patterns);
        types << QLatin1String(format.name) + QStringLiteral(" (") + patterns + QLatin1Char(')')
              << patterns;
    }
    return types.join(QLatin1Char('|'));
}

QStringList PageFileSuffixes()
{
    QStringList suffixes;
    for (const PageFormat& format : PageFormats())
        suffixes << QLatin1String(format.suffix);
    return suffixes;
}
