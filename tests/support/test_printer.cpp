#include "test_printer.h"

#include <stdexcept>

using platform::PageOrientation;

namespace {

constexpr int kDotsPerMeter = 23622; // 600 pixels per inch

} // namespace

TestPrinter::TestPrinter()
    : m_reference(1, 1, QImage::Format_RGB32)
    , m_seam(*this)
{
    m_reference.setDotsPerMeterX(kDotsPerMeter);
    m_reference.setDotsPerMeterY(kDotsPerMeter);
    m_scratch = blankPage();
    m_canvas = std::make_unique<platform::RecordingSurface>(*m_scratch, m_reference);
}

void TestPrinter::failWithoutPrinter() const
{
    if (noPrinter)
        throw std::runtime_error(platform::kNoDefaultPrinter);
}

std::unique_ptr<platform::PageImage> TestPrinter::blankPage()
{
    const platform::PrinterFigures page = figures();
    return std::make_unique<platform::PageImage>(
        QSize(page.printableWidthPixels, page.printableHeightPixels),
        QSizeF(page.printableWidthMm, page.printableHeightMm), page.resolutionX, page.resolutionY);
}

QString TestPrinter::deviceName()
{
    failWithoutPrinter();
    return name;
}

QString TestPrinter::port()
{
    failWithoutPrinter();
    return location;
}

PageOrientation TestPrinter::orientation()
{
    failWithoutPrinter();
    return m_orientation;
}

void TestPrinter::setOrientation(PageOrientation orientation)
{
    failWithoutPrinter();
    m_orientation = orientation;
}

int TestPrinter::copies()
{
    failWithoutPrinter();
    return m_copies;
}

void TestPrinter::setCopies(int copies)
{
    failWithoutPrinter();
    m_copies = copies;
}

void TestPrinter::setDocumentTitle(const QString& title)
{
    failWithoutPrinter();
    m_title = title;
}

platform::PrinterFigures TestPrinter::figures()
{
    failWithoutPrinter();
    if (m_orientation == PageOrientation::Portrait)
        return portrait;
    return {portrait.pageHeightPixels,      portrait.pageWidthPixels,
            portrait.printableHeightMm,     portrait.printableWidthMm,
            portrait.resolutionY,           portrait.resolutionX,
            portrait.printableHeightPixels, portrait.printableWidthPixels};
}

QPageLayout TestPrinter::pageLayout()
{
    // The printable area in the middle of the sheet.
    const platform::PrinterFigures page = figures();
    const double pointsPerPixel = 72.0 / page.resolutionX;
    const double side = (page.pageWidthPixels - page.printableWidthPixels) / 2.0 * pointsPerPixel;
    const double top = (page.pageHeightPixels - page.printableHeightPixels) / 2.0 * pointsPerPixel;
    const QSizeF sheet =
        QSizeF(portrait.pageWidthPixels, portrait.pageHeightPixels) * pointsPerPixel;
    return QPageLayout(QPageSize(sheet, QPageSize::Point),
                       m_orientation == PageOrientation::Portrait ? QPageLayout::Portrait
                                                                  : QPageLayout::Landscape,
                       QMarginsF(side, top, side, top), QPageLayout::Point);
}

platform::DrawingSurface& TestPrinter::canvas()
{
    failWithoutPrinter();
    return *m_canvas;
}

void TestPrinter::drawPicture(int x, int y, const platform::PageImage& picture)
{
    if (!m_printing)
        throw std::runtime_error("Printer is not printing");
    // The job's page takes the picture's drawing as it is, moved to (x, y).
    platform::PageImage& page = *jobs.back().pages.back();
    for (platform::PageImage::Operation operation : picture.operations()) {
        const QPoint offset(x, y);
        if (auto* text = std::get_if<platform::PageImage::Text>(&operation)) {
            text->topLeft += offset;
            text->baseline += y;
        } else if (auto* line = std::get_if<platform::PageImage::Line>(&operation)) {
            line->from += offset;
            line->to += offset;
        } else if (auto* rectangle = std::get_if<platform::PageImage::Rectangle>(&operation)) {
            rectangle->area.translate(offset);
        }
        page.append(operation);
    }
    m_canvas->setImage(page);
}

void TestPrinter::beginDocument()
{
    failWithoutPrinter();
    if (m_printing)
        throw std::runtime_error("Printing in progress");
    jobs.push_back({m_title, m_copies, m_orientation, {}, false, m_actualSize});
    jobs.back().pages.push_back(blankPage());
    m_canvas->setImage(*jobs.back().pages.back());
    m_printing = true;
    m_newPages = 0;
}

void TestPrinter::newPage()
{
    if (!m_printing)
        throw std::runtime_error("Printer is not printing");
    if (++m_newPages == refuseNewPage) {
        refuseNewPage = 0;
        throw std::runtime_error("De printer kon geen nieuwe pagina beginnen");
    }
    jobs.back().pages.push_back(blankPage());
    m_canvas->setImage(*jobs.back().pages.back());
}

void TestPrinter::endDocument()
{
    if (!m_printing)
        throw std::runtime_error("Printer is not printing");
    m_printing = false;
    m_canvas->setImage(*m_scratch);
}

void TestPrinter::abortDocument()
{
    if (!m_printing)
        return;
    jobs.back().aborted = true;
    m_printing = false;
    m_canvas->setImage(*m_scratch);
}

bool TestPrinter::setupDialog(QWidget*)
{
    failWithoutPrinter();
    return onSetupDialog && onSetupDialog(*this);
}
