#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>

#include <vector>

namespace platform {

class PageImage;

// Pages in the formats people open elsewhere, each made by the toolkit's own writer from the
// page's playback, as the printer gets it.

// All pages in one PDF file on the paper of `layout`, each page at the top-left of the printable
// area as a printer places it; text stays text, fonts embedded as subsets. With `actualSize` the
// PDF asks to be printed at its own size (pdf_actual_size.h). The file, the user's choice, is
// replaced in full or not at all at the end of its links (pdf_file.h); throws
// std::runtime_error with a Dutch message that names it.
void SavePagesAsPdf(const QString& fileName, const std::vector<const PageImage*>& pages,
                    const QPageLayout& layout, const QString& title, bool actualSize);

// Each of these returns the file's bytes.

// One page as SVG, in printer pixels with its size in millimetres; text stays text.
QByteArray PageAsSvg(const PageImage& page, const QString& title);

// One page as PNG at `pixelsPerInch` of paper: white, antialiased. Empty when the picture could
// not be made (its bitmap over 1 GiB, or memory refused) or not be encoded.
QByteArray PageAsPng(const PageImage& page, int pixelsPerInch);

} // namespace platform
