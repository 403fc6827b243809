#pragma once

// The print engine and the road of a report:
//
//   results report (results_report.h)   what to print: header, title line, four column groups
//     -> TMyPrinter (this file)          lines at millimetre positions, page breaks, header,
//                                        footer, computer-paper bands, in printer pixels
//     -> platform::PrinterService        a print job on the current printer, or
//     -> platform::PageImage per page    recorded for the PageViewer set at start-up
//                                        (page_viewer.h), which shows, prints or saves them
//
// Text is always measured on the printer, so both outputs give the same pages.

#include "platform/fonts/surface_font.h"
#include "platform/pages/page_image.h"
#include "platform/pages/recording_surface.h"
#include "print/engine/preview_open_state.h"

#include <QObject>
#include <QString>

#include <memory>

class PageViewer;
class PrintJob;

namespace platform {
class DrawingSurface;
class PrinterService;
} // namespace platform

class TMyPrinter : public QObject {
    Q_OBJECT

public:
    // Where PrintText stands a text against its position.
    enum class Alignment { Left = 1, Centre = 2, Right = 3, DecimalComma = 4 };
    // Which of the three fonts SelectFont makes current.
    enum class FontSelector { Text = 1, Title = 2, Header = 3 };

    // Reads the page of the current printer (its orientation must already be chosen) and
    // creates the hidden preview window with its first page.
    explicit TMyPrinter(QObject* owner = nullptr);
    ~TMyPrinter() override;

    virtual void Initialize();
    // Called on every page after the header; for engines that draw more there.
    virtual void DrawAfterHeader() {}

    void SetLineSpacing(int spacing);
    void SetPreview(bool on) { Preview = on; }
    void SetPreviewCaption(const QString& caption);
    void SetPreviewWindowState(PreviewWindowCode code);
    void SetPreviewActualSize(bool on);
    void SetHeaderFont(const platform::SurfaceFont& font) { HeaderFont.assign(font); }
    void SetTitleFont(const platform::SurfaceFont& font) { TitleFont.assign(font); }
    void SetTextFont(const platform::SurfaceFont& font) { TextFont.assign(font); }
    void SetHeaderText(int index, const QString& text);
    void SetFooterText(int index, const QString& text);
    void SetHeaderVisible(bool on) { HeaderVisible = on; }
    void SetFooterVisible(bool on) { FooterVisible = on; }
    void SetHeaderLine(bool on) { HeaderLine = on; }
    void SetFooterLine(bool on) { FooterLine = on; }
    void SetPageNumbers(bool on) { PageNumbers = on; }
    void SetComputerPaper(bool on) { ComputerPaper = on; }

    // A code that is none of the three does nothing.
    void SelectFont(FontSelector which);
    void ApplyFont(const platform::SurfaceFont& font);
    void SaveFont(platform::SurfaceFont& font);

    void BeginDocument();
    void PrintText(Alignment align, int pos, const QString& text);
    // Prints `text` left-aligned at `pos` as PrintText does, cut with "…" where it would pass
    // `end` (millimetres as `pos`; -1: the right text edge). A text of which not even "…" fits
    // is left out.
    void PrintCutText(int pos, int end, const QString& text);
    // The same, a space after the text printed last on this line.
    void PrintCutTextAfter(int end, const QString& text);
    void NewLine();
    void NewPage();
    int LinesLeft();
    void EndDocument();

    void DrawHeader();
    void DrawFooter();

    // Settings and page geometry, in printer pixels unless said otherwise.
    int LineSpacing = 3;
    bool Preview = false;
    int PageNumber = 1;
    bool PageNumbers = false;
    QString HeaderTexts[3];
    QString FooterTexts[3];
    platform::SurfaceFont HeaderFont;
    platform::SurfaceFont TextFont;
    platform::SurfaceFont TitleFont;
    bool HeaderVisible = false;
    bool FooterVisible = false;
    bool HeaderLine = false;
    bool FooterLine = false;
    int ResolutionY = 0;
    int ResolutionX = 0;
    double ScaleY = 1;
    double PixelsPerMmX = 1;
    double PixelsPerMmY = 1;
    int RightEdge = 0;
    int LeftEdge = 0;
    int BottomEdge = 0;
    int BodyBottom = 0;
    int ExtraLeft = 0;
    int ExtraRight = 0;
    int ExtraTop = 0;
    int ExtraBottom = 0;
    int CursorY = 0;
    int LineGap = 0;
    bool ComputerPaper = false;
    bool BandPhase = true;
    // What Alignment::DecimalComma aligns on: the decimal separator of the regional settings when
    // the engine was made, the one the table's heights are written with.
    QString DecimalSeparator;

    int TopEdge() const;
    // The height of the probe text "yX" in the current font plus the gap between lines.
    int LineHeight();

protected:
    // Where the current page is drawn (the page image in preview, otherwise the printer), and
    // where text is measured (always the printer), for engines that draw more than lines of text.
    platform::DrawingSurface& drawing();
    platform::DrawingSurface& measuring();

private:
    int alignedX(Alignment align, int pos, const QString& text);
    void textAt(int x, const QString& text);
    void cutTextAt(int x, int end, const QString& text);
    void startPageImage();
    int probeHeight();
    void drawRule(int y);
    void drawThreeTexts(const QString& left, const QString& centre, const QString& right);

    platform::PrinterService& m_printer;
    // The print job of this document: when the document fails midway, it goes with the engine.
    std::unique_ptr<PrintJob> m_job;
    std::unique_ptr<PageViewer> m_preview;
    platform::PageImage* m_pageImage = nullptr;
    std::unique_ptr<platform::RecordingSurface> m_pageCanvas;
    // The text printed last and where it starts, for a text that follows it on its line.
    QString m_lastText;
    int m_lastTextX = 0;
};
