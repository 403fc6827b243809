#pragma once

#include "platform/pages/painter_surface.h"
#include "platform/pages/pdf_file.h"
#include "platform/print_system/chosen_pages.h"
#include "platform/print_system/printer_service.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <memory>
#include <optional>
#include <utility>

namespace platform {

// The current printer through Qt Print Support: the system's default print queue (CUPS) at the
// printer's own resolution. Where the system has no printer at all, a built-in PDF printer (A4,
// portrait) stands in, as desktops ship a print-to-PDF printer; a job on it asks for the file.
class DesktopPrinter final : public PrinterService {
public:
    DesktopPrinter();
    ~DesktopPrinter() override;

    QString deviceName() override;
    QString port() override;
    PageOrientation orientation() override;
    void setOrientation(PageOrientation orientation) override;
    int copies() override;
    void setCopies(int copies) override;
    void setDocumentTitle(const QString& title) override;
    void setActualSize(bool on) override { m_actualSize = on; }

    PrinterFigures figures() override;
    QPageLayout pageLayout() override { return m_printer.pageLayout(); }
    DrawingSurface& canvas() override { return m_canvas; }
    QPaintDevice& referenceDevice() override { return m_printer; }
    void drawPicture(int x, int y, const PageImage& picture) override;

    void beginDocument() override;
    void newPage() override;
    void endDocument() override;
    void abortDocument() override;

    bool setupDialog(QWidget* parent) override;

    // True when no print queue exists and the PDF printer stands in.
    bool builtInPdfPrinter() const;

private:
    // Drawing starts at the top-left of the printable area: the margins are the printer's own
    // unprintable borders.
    void useMinimumMargins();
    std::unique_ptr<PdfFile> newJobFile();
    // Page m_page begins: on the job's document when it is one of the chosen pages, else on a
    // painter whose drawing goes nowhere.
    void beginPage();
    // Gives the finished job's file to the queue, read through `descriptor`, which goes with it.
    void handOver(const QString& spool, int descriptor);

    QPrinter m_printer;
    // The queue's location as read with the printer, for as long as the printer stays the same:
    // asking the print system again costs it another download of the printer's description.
    std::optional<std::pair<QString, QString>> m_location;
    PainterSurface m_canvas;
    // The running job's file; it goes when the job does not end.
    std::unique_ptr<PdfFile> m_job;
    // For the built-in PDF printer, the name the job's file takes when it ends.
    QString m_pdfTarget;
    QPainter m_painter;
    bool m_actualSize = false;
    // For a queue: the pages of the report the set-up chose, the report's page being drawn
    // (from 1), and whether one of the chosen pages has been drawn yet.
    ChosenPages m_chosen;
    int m_page = 0;
    bool m_pageDrawn = false;
    // Where a page that was not chosen is drawn. Text is measured on the printer, so a page
    // drawn here is laid out exactly as a chosen one.
    QImage m_nowhere{1, 1, QImage::Format_ARGB32};
    QPainter m_discard;
    QPainter* m_current = nullptr;
};

} // namespace platform
