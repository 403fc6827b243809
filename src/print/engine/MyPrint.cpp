#include "print/engine/MyPrint.h"

#include "print/engine/cut_text.h"

#include "print/engine/page_viewer.h"
#include "print/engine/print_job.h"
#include "print/engine/rounding.h"

#include "platform/print_system/printer_service.h"
#include "platform/toolkit/regional_settings.h"

namespace {

// The millimetre as the page geometry has always measured it.
constexpr double kMillimetresPerInch = 25.4000508;
const QString kProbe = QStringLiteral("yX");
const QColor kSilver(192, 192, 192);

platform::SurfaceFont arial(double points, bool bold)
{
    platform::SurfaceFont font;
    font.name = QStringLiteral("arial");
    font.pointSize = points;
    font.bold = bold;
    return font;
}

// The extra margin on each side where the unprintable borders of an axis add up to less than
// 10 mm.
int extraMargin(int pagePixels, int printableMm, double pixelsPerMm)
{
    const double unprintableMm = pagePixels / pixelsPerMm - printableMm;
    if (unprintableMm >= 10)
        return 0;
    return RoundHalfEven((10 - unprintableMm) * pixelsPerMm) / 2;
}

// Restores what a drawing step changed on a surface when the step ends.
class SurfaceStateGuard {
public:
    explicit SurfaceStateGuard(platform::DrawingSurface& surface)
        : m_surface(surface)
        , m_pen(surface.pen())
        , m_brush(surface.brush())
    {
    }
    ~SurfaceStateGuard()
    {
        m_surface.setPen(m_pen);
        m_surface.setBrush(m_brush);
    }
    SurfaceStateGuard(const SurfaceStateGuard&) = delete;
    SurfaceStateGuard& operator=(const SurfaceStateGuard&) = delete;

private:
    platform::DrawingSurface& m_surface;
    platform::SurfacePen m_pen;
    platform::SurfaceBrush m_brush;
};

void prepareSurface(platform::DrawingSurface& surface)
{
    surface.setPen({1, Qt::black});
    surface.setBrush({Qt::white, false});
}

// The header and the footer alike: three texts, shown while one of them is not empty.
void setPageText(QString (&texts)[3], bool& visible, int index, const QString& text)
{
    if (index < 1 || index > 3)
        return;
    texts[index - 1] = text;
    visible = !texts[0].isEmpty() || !texts[1].isEmpty() || !texts[2].isEmpty();
}

} // namespace

TMyPrinter::TMyPrinter(QObject* owner)
    : QObject(owner)
    , m_printer(platform::CurrentPrinter())
{
    Initialize();
}

TMyPrinter::~TMyPrinter() = default;

void TMyPrinter::Initialize()
{
    const platform::PrinterFigures page = m_printer.figures();
    ResolutionX = page.resolutionX;
    ResolutionY = page.resolutionY;
    LineSpacing = 3;
    Preview = false;

    m_preview = MakePageViewer();
    startPageImage();

    PageNumber = 1;
    HeaderVisible = FooterVisible = HeaderLine = FooterLine = false;
    for (int index = 1; index <= 3; ++index) {
        SetHeaderText(index, {});
        SetFooterText(index, {});
    }

    ScaleY = ResolutionY / 96.0;
    LineGap = RoundHalfEven(LineSpacing * ScaleY);
    PixelsPerMmX = ResolutionX / kMillimetresPerInch;
    PixelsPerMmY = ResolutionY / kMillimetresPerInch;

    ExtraLeft = ExtraRight = extraMargin(page.pageWidthPixels, page.printableWidthMm, PixelsPerMmX);
    ExtraTop = ExtraBottom =
        extraMargin(page.pageHeightPixels, page.printableHeightMm, PixelsPerMmY);

    RightEdge = RoundHalfEven(page.printableWidthMm * PixelsPerMmX - 5 * PixelsPerMmX - ExtraRight);
    LeftEdge = RoundHalfEven(2 * PixelsPerMmX) + ExtraLeft;
    BottomEdge =
        RoundHalfEven(page.printableHeightMm * PixelsPerMmY - 3 * PixelsPerMmY - ExtraBottom);
    BodyBottom = BottomEdge;
    CursorY = TopEdge();

    HeaderFont = arial(8, false);
    TitleFont = arial(10, true);
    TextFont = arial(10, false);
    m_printer.canvas().setFont(HeaderFont);
    m_pageCanvas->setFont(HeaderFont);
    prepareSurface(m_printer.canvas());
    prepareSurface(*m_pageCanvas);

    PageNumbers = false;
    ComputerPaper = false;
    BandPhase = true;
    DecimalSeparator = QString::fromStdString(platform::CurrentRegionalFormat().decimalSeparator);
}

int TMyPrinter::TopEdge() const
{
    return RoundHalfEven(2 * PixelsPerMmY) + ExtraTop;
}

void TMyPrinter::startPageImage()
{
    if (m_pageImage)
        m_pageImage->squeeze();
    const platform::PrinterFigures page = m_printer.figures();
    auto image = std::make_unique<platform::PageImage>(
        QSize(page.printableWidthPixels, page.printableHeightPixels),
        QSizeF(page.printableWidthMm, page.printableHeightMm), page.resolutionX, page.resolutionY);
    m_pageImage = image.get();
    m_preview->addPage(std::move(image));

    platform::SurfaceFont font = m_pageCanvas ? m_pageCanvas->font() : HeaderFont;
    m_pageCanvas =
        std::make_unique<platform::RecordingSurface>(*m_pageImage, m_printer.referenceDevice());
    m_pageCanvas->setFont(font);
    prepareSurface(*m_pageCanvas);
}

platform::DrawingSurface& TMyPrinter::drawing()
{
    return Preview ? *m_pageCanvas : m_printer.canvas();
}

platform::DrawingSurface& TMyPrinter::measuring()
{
    return m_printer.canvas();
}

void TMyPrinter::SetLineSpacing(int spacing)
{
    LineSpacing = spacing;
    LineGap = RoundHalfEven(spacing * ScaleY);
}

void TMyPrinter::SetPreviewCaption(const QString& caption)
{
    m_preview->setCaption(caption);
}

void TMyPrinter::SetPreviewWindowState(PreviewWindowCode code)
{
    if (const std::optional<PreviewOpenState> state = OpenStateOf(code))
        m_preview->setOpenState(*state);
}

void TMyPrinter::SetPreviewActualSize(bool on)
{
    m_preview->setActualSize(on);
}

void TMyPrinter::SetHeaderText(int index, const QString& text)
{
    setPageText(HeaderTexts, HeaderVisible, index, text);
}

void TMyPrinter::SetFooterText(int index, const QString& text)
{
    setPageText(FooterTexts, FooterVisible, index, text);
}

void TMyPrinter::SelectFont(FontSelector which)
{
    switch (which) {
    case FontSelector::Text:
        ApplyFont(TextFont);
        break;
    case FontSelector::Title:
        ApplyFont(TitleFont);
        break;
    case FontSelector::Header:
        ApplyFont(HeaderFont);
        break;
    }
}

void TMyPrinter::ApplyFont(const platform::SurfaceFont& font)
{
    m_printer.canvas().setFont(font);
    if (Preview)
        m_pageCanvas->setFont(font);
}

void TMyPrinter::SaveFont(platform::SurfaceFont& font)
{
    font.assign(m_printer.canvas().font());
}

int TMyPrinter::probeHeight()
{
    return m_printer.canvas().textHeight(kProbe);
}

int TMyPrinter::LineHeight()
{
    return probeHeight() + LineGap;
}

void TMyPrinter::drawRule(int y)
{
    drawing().lineOfWidth(RoundHalfEven(0.3 * PixelsPerMmY), LeftEdge, y, RightEdge, y);
}

void TMyPrinter::drawThreeTexts(const QString& left, const QString& centre, const QString& right)
{
    platform::DrawingSurface& measure = m_printer.canvas();
    if (!left.isEmpty())
        drawing().textOut(LeftEdge, CursorY, left);
    if (!centre.isEmpty())
        drawing().textOut(LeftEdge + (RightEdge - LeftEdge) / 2 - measure.textWidth(centre) / 2,
                          CursorY, centre);
    if (!right.isEmpty())
        drawing().textOut(RightEdge - measure.textWidth(right), CursorY, right);
}

void TMyPrinter::DrawHeader()
{
    if (!HeaderVisible)
        return;
    SelectFont(FontSelector::Header);
    const QString right =
        PageNumbers ? HeaderTexts[2] + QString::number(PageNumber) : HeaderTexts[2];
    drawThreeTexts(HeaderTexts[0], HeaderTexts[1], right);
    CursorY += probeHeight() + LineGap;
    if (HeaderLine) {
        drawRule(CursorY);
        CursorY += LineGap;
    }
}

void TMyPrinter::DrawFooter()
{
    SelectFont(FontSelector::Header);
    if (FooterLine) {
        CursorY =
            BottomEdge - LineGap - probeHeight() - LineGap - RoundHalfEven(0.5 * PixelsPerMmY);
        drawRule(CursorY);
    }
    if (FooterVisible) {
        CursorY = BottomEdge - probeHeight() - LineGap;
        drawThreeTexts(FooterTexts[0], FooterTexts[1], FooterTexts[2]);
    }
    SelectFont(FontSelector::Text);
}

void TMyPrinter::BeginDocument()
{
    if (!Preview) {
        m_job = std::make_unique<PrintJob>(m_printer);
    }
    if (FooterVisible) {
        SelectFont(FontSelector::Header);
        BodyBottom -= LineGap + probeHeight() + LineGap;
    }
    if (FooterLine)
        BodyBottom -= RoundHalfEven(0.5 * PixelsPerMmY) + LineGap;
    DrawHeader();
    DrawAfterHeader();
    SelectFont(FontSelector::Text);
}

void TMyPrinter::PrintText(Alignment align, int pos, const QString& text)
{
    if (LineHeight() > BodyBottom - CursorY)
        NewPage();
    textAt(alignedX(align, pos, text), text);
}

void TMyPrinter::PrintCutText(int pos, int end, const QString& text)
{
    if (LineHeight() > BodyBottom - CursorY)
        NewPage();
    cutTextAt(pos >= 0 ? RoundHalfEven(pos * PixelsPerMmX) : LeftEdge, end, text);
}

void TMyPrinter::PrintCutTextAfter(int end, const QString& text)
{
    cutTextAt(m_lastTextX + m_printer.canvas().textWidth(m_lastText + QLatin1Char(' ')), end, text);
}

int TMyPrinter::alignedX(Alignment align, int pos, const QString& text)
{
    platform::DrawingSurface& measure = m_printer.canvas();
    const double p = pos * PixelsPerMmX;
    switch (align) {
    case Alignment::Centre:
        return RoundHalfEven(p - measure.textWidth(text) / 2);
    case Alignment::Right: {
        const int width = measure.textWidth(text);
        return pos >= 0    ? RoundHalfEven(p - width)
               : pos == -1 ? RightEdge - width
                           : RoundHalfEven(p + RightEdge - width);
    }
    case Alignment::DecimalComma: {
        // The text up to and including its first decimal separator ends at the position; a text
        // without one stands as if the separator followed it. A thousands separator, which may
        // be a comma, does not count.
        const qsizetype separator = text.indexOf(DecimalSeparator);
        const int upToSeparator =
            separator >= 0 ? measure.textWidth(text.left(separator + DecimalSeparator.size()))
                           : measure.textWidth(text + DecimalSeparator);
        return RoundHalfEven(p - upToSeparator);
    }
    default: // left, and any code that is none of the four
        return pos >= 0 ? RoundHalfEven(p) : LeftEdge;
    }
}

void TMyPrinter::textAt(int x, const QString& text)
{
    platform::DrawingSurface& surface = drawing();
    const SurfaceStateGuard restore(surface);
    if (ComputerPaper && !BandPhase) {
        // This line lies on a band: the text gets the band's colour behind it.
        surface.setPen({surface.pen().width, kSilver});
        surface.setBrush({kSilver, true});
    }
    x = std::max(x, LeftEdge);
    m_lastText = text;
    m_lastTextX = x;
    if (x <= RightEdge)
        surface.textOut(x, CursorY, text);
}

void TMyPrinter::cutTextAt(int x, int end, const QString& text)
{
    platform::DrawingSurface& measure = m_printer.canvas();
    const int right = end >= 0 ? RoundHalfEven(end * PixelsPerMmX) : RightEdge;
    const QString cut =
        CutToWidth(text, right - std::max(x, LeftEdge),
                   [&measure](const QString& part) { return measure.textWidth(part); });
    if (!cut.isEmpty())
        textAt(x, cut);
}

void TMyPrinter::NewLine()
{
    if (LineHeight() > BodyBottom - CursorY)
        NewPage();
    else
        CursorY += LineHeight();

    if (ComputerPaper) {
        platform::DrawingSurface& surface = drawing();
        const SurfaceStateGuard restore(surface);
        surface.setPen({1, kSilver});
        surface.setBrush({kSilver, true});
        if (BandPhase && LineHeight() < BodyBottom - CursorY)
            surface.rectangle(LeftEdge, CursorY, RightEdge, CursorY + LineHeight());
    }
    BandPhase = !BandPhase;
}

void TMyPrinter::NewPage()
{
    platform::SurfaceFont saved;
    SaveFont(saved);
    DrawFooter();
    if (Preview)
        startPageImage();
    else
        m_printer.newPage();
    CursorY = TopEdge();
    ++PageNumber;
    DrawHeader();
    DrawAfterHeader();
    ApplyFont(saved);
    BandPhase = true;
}

int TMyPrinter::LinesLeft()
{
    return (BodyBottom - CursorY) / LineHeight();
}

void TMyPrinter::EndDocument()
{
    DrawFooter();
    // From here on the pages and the preview window go with the document, also when printing
    // or showing fails.
    const std::unique_ptr<PageViewer> preview = std::move(m_preview);
    if (m_pageImage)
        m_pageImage->squeeze();
    m_pageCanvas.reset();
    m_pageImage = nullptr;
    if (!Preview) {
        std::exchange(m_job, nullptr)->end();
        return;
    }
    preview->showPages();
}
