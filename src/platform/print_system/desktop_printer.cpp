#include "platform/print_system/desktop_printer.h"

#include "platform/files/file_dialog.h"
#include "platform/pages/page_image.h"
#include "platform/print_system/background_handover.h"
#include "platform/print_system/cups_connection.h"
#include "platform/print_system/cups_job.h"
#include "platform/print_system/spool_folder.h"
#include "platform/toolkit/busy_cursor.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinterInfo>
#include <QPushButton>

#include <chrono>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace platform {
namespace {

constexpr int kNameLength = 79;
// A scheduler that answers at all does so within milliseconds.
constexpr std::chrono::seconds kSchedulerAnswersWithin(3);

QString limited(const QString& text)
{
    return text.left(kNameLength);
}

// Where Qt's set-up dialog and print support keep the CUPS options they chose (qprint_p.h).
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// As Qt's own CUPS print engine names the sides: "automatic" turns with the pages.
QByteArray sides(const QPrinter& printer)
{
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        return "one-sided";
    case QPrinter::DuplexAuto:
        return printer.pageLayout().orientation() == QPageLayout::Landscape ? "two-sided-short-edge"
                                                                            : "two-sided-long-edge";
    case QPrinter::DuplexLongSide:
        return "two-sided-long-edge";
    case QPrinter::DuplexShortSide:
        return "two-sided-short-edge";
    }
    return {};
}

// The dialog offers only what reaches the job. The program writes each page once and in order,
// and always collates its copies; a queue gets the rest of the dialog's choices from the job, a
// PDF file none of them.
void offerWhatReachesTheJob(QPrintDialog& dialog, bool builtInPdfPrinter)
{
    // Printing to a file instead of the queue would drop the copies, the sides and the pages
    // chosen; only where no queue exists is the file all there is.
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintShowPageSize |
                      (builtInPdfPrinter ? QAbstractPrintDialog::PrintToFile
                                         : QAbstractPrintDialog::PrintDialogOptions()));
    // Qt's names for its widgets, left alone should another version of the dialog lack them.
    if (auto* reverse = dialog.findChild<QWidget*>(QStringLiteral("reverse")))
        reverse->hide();
    if (auto* jobOptions = dialog.findChild<QWidget*>(QStringLiteral("tabs")))
        jobOptions->setEnabled(!builtInPdfPrinter);
}

} // namespace

DesktopPrinter::DesktopPrinter()
    : m_printer(QPrinter::HighResolution)
    , m_canvas(m_printer, m_printer.resolution())
{
    if (builtInPdfPrinter()) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setPageSize(QPageSize(QPageSize::A4));
        m_printer.setPageOrientation(QPageLayout::Portrait);
    }
    useMinimumMargins();
    if (!builtInPdfPrinter())
        m_location.emplace(m_printer.printerName(),
                           QPrinterInfo::printerInfo(m_printer.printerName()).location());
}

DesktopPrinter::~DesktopPrinter()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool DesktopPrinter::builtInPdfPrinter() const
{
    return m_printer.outputFormat() == QPrinter::PdfFormat || m_printer.printerName().isEmpty();
}

void DesktopPrinter::useMinimumMargins()
{
    QPageLayout layout = m_printer.pageLayout();
    layout.setMargins(layout.minimumMargins());
    m_printer.setPageLayout(layout);
}

QString DesktopPrinter::deviceName()
{
    return limited(builtInPdfPrinter() ? QStringLiteral("PDF-bestand") : m_printer.printerName());
}

QString DesktopPrinter::port()
{
    if (builtInPdfPrinter())
        return {};
    const QString name = m_printer.printerName();
    if (!m_location || m_location->first != name)
        m_location.emplace(name, QPrinterInfo::printerInfo(name).location());
    return limited(m_location->second);
}

PageOrientation DesktopPrinter::orientation()
{
    return m_printer.pageLayout().orientation() == QPageLayout::Landscape
               ? PageOrientation::Landscape
               : PageOrientation::Portrait;
}

void DesktopPrinter::setOrientation(PageOrientation orientation)
{
    m_printer.setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
    useMinimumMargins();
}

int DesktopPrinter::copies()
{
    return m_printer.copyCount();
}

void DesktopPrinter::setCopies(int copies)
{
    m_printer.setCopyCount(std::max(copies, 1));
}

void DesktopPrinter::setDocumentTitle(const QString& title)
{
    m_printer.setDocName(title);
}

PrinterFigures DesktopPrinter::figures()
{
    const int resolution = m_printer.resolution();
    const QPageLayout layout = m_printer.pageLayout();
    const QRect page = layout.fullRectPixels(resolution);
    const QRect printable = layout.paintRectPixels(resolution);
    const QRectF printableMm = layout.paintRect(QPageLayout::Millimeter);

    PrinterFigures figures;
    figures.pageWidthPixels = page.width();
    figures.pageHeightPixels = page.height();
    figures.printableWidthMm = static_cast<int>(std::floor(printableMm.width()));
    figures.printableHeightMm = static_cast<int>(std::floor(printableMm.height()));
    figures.resolutionX = resolution;
    figures.resolutionY = resolution;
    figures.printableWidthPixels = printable.width();
    figures.printableHeightPixels = printable.height();
    return figures;
}

void DesktopPrinter::drawPicture(int x, int y, const PageImage& picture)
{
    if (!m_job || !m_current)
        throw std::runtime_error("Er loopt geen afdruk");
    picture.play(*m_current, QRectF(x, y, picture.width(), picture.height()));
}

std::unique_ptr<PdfFile> DesktopPrinter::newJobFile()
{
    // Every job is a PDF the program writes itself, at the printer's resolution and on its page
    // layout (landscape pages for a landscape job), so every page is laid out as the printer
    // reported: for the built-in PDF printer beside the chosen file, whose name it takes at the
    // end; for a queue in the program's own folder, handed to the scheduler at the end. A job
    // that does not end deletes its file, and nothing is sent.
    m_pdfTarget.clear();
    if (builtInPdfPrinter()) {
        QString fileName = m_printer.outputFileName();
        if (fileName.isEmpty() || QFileInfo(fileName).isDir()) {
            FileDialogRequest request;
            request.purpose = FileDialogRequest::Purpose::Save;
            request.title = QStringLiteral("Afdrukken naar PDF-bestand");
            request.filter = QStringLiteral("PDF-bestanden (*.pdf)|*.pdf");
            request.defaultSuffix = QStringLiteral("pdf");
            request.fileName = m_printer.docName() + QStringLiteral(".pdf");
            const WaitingForTheUser waiting;
            const std::optional<ChosenFile> chosen =
                Seam<FileChooser>::get().choose(nullptr, request);
            if (!chosen)
                throw PrintCancelled();
            fileName = chosen->path;
        }
        m_pdfTarget = fileName;
    }
    auto job =
        m_pdfTarget.isEmpty()
            ? std::make_unique<PdfFile>(SpoolFolder() + QStringLiteral("/afdruk.pdf"),
                                        QStringLiteral("Het afdrukbestand"))
            : std::make_unique<PdfFile>(m_pdfTarget, QStringLiteral("Het bestand ") + m_pdfTarget,
                                        ReplacingFile::Link::WriteThrough);
    // A PDF writer, not a second QPrinter: making a QPrinter asks the scheduler for its printers
    // on this thread, and a scheduler that does not answer would freeze the windows.
    QPdfWriter& writer = job->writer();
    writer.setResolution(m_printer.resolution());
    writer.setPageLayout(m_printer.pageLayout());
    writer.setTitle(m_printer.docName());
    writer.setCreator(m_printer.docName());
    if (m_actualSize && !m_pdfTarget.isEmpty())
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_1_6);
    return job;
}

void DesktopPrinter::beginDocument()
{
    if (m_job)
        throw std::runtime_error("Er loopt al een afdruk");
    std::unique_ptr<PdfFile> job = newJobFile();
    if (!m_painter.begin(&job->writer()))
        throw std::runtime_error("De afdruk kon niet beginnen op " + deviceName().toStdString());
    m_job = std::move(job);
    // The built-in PDF printer's file holds every page, as the file the user asked for.
    m_chosen =
        m_pdfTarget.isEmpty()
            ? ChosenPages::Of(m_printer.printRange() == QPrinter::PageRange ? m_printer.pageRanges()
                                                                            : QPageRanges(),
                              m_printer.printEngine()->property(kCupsOptions).toStringList())
            : ChosenPages();
    m_page = 1;
    m_pageDrawn = false;
    beginPage();
}

void DesktopPrinter::beginPage()
{
    if (m_discard.isActive())
        m_discard.end();
    if (m_chosen.contains(m_page)) {
        // The document's first page exists from its start; each further one is added.
        if (m_pageDrawn)
            m_job->newPage();
        m_pageDrawn = true;
        m_current = &m_painter;
    } else {
        m_discard.begin(&m_nowhere);
        m_current = &m_discard;
    }
    m_canvas.setPainter(m_current);
}

void DesktopPrinter::newPage()
{
    if (!m_job)
        throw std::runtime_error("Er loopt geen afdruk");
    ++m_page;
    beginPage();
}

void DesktopPrinter::endDocument()
{
    if (!m_job)
        throw std::runtime_error("Er loopt geen afdruk");
    m_canvas.setPainter(nullptr);
    m_current = nullptr;
    if (m_discard.isActive())
        m_discard.end();
    const bool ended = m_painter.end();
    const std::unique_ptr<PdfFile> job = std::move(m_job);
    if (!ended)
        throw std::runtime_error("De afdruk kon niet worden afgerond");
    // None of the chosen pages is in the report: no job, and the job's file goes with it.
    if (!m_pageDrawn)
        throw std::runtime_error(m_chosen.nothingPrinted(m_page).toStdString());
    // A page at 1:1 must reach the paper at 1:1 also when the user prints the file.
    job->finish(m_actualSize && !m_pdfTarget.isEmpty());
    if (!m_pdfTarget.isEmpty())
        job->commit();
    else
        handOver(job->temporaryPath(), job->duplicateDescriptor());
}

void DesktopPrinter::handOver(const QString& spool, int descriptor)
{
    CupsJobRequest request;
    request.queue = m_printer.printerName();
    request.pdfFile = spool;
    request.title = m_printer.docName();
    request.copies = m_printer.copyCount();
    request.media = m_printer.pageLayout().pageSize().key();
    request.actualSize = m_actualSize;
    request.sides = sides(m_printer);
    request.monochrome = m_printer.colorMode() == QPrinter::GrayScale;
    request.printerOptions =
        WithoutPageChoice(m_printer.printEngine()->property(kCupsOptions).toStringList());
    // In the background, so that a scheduler slow to answer keeps no window from its commands;
    // the questions it asks give up after bounded times, and a refusal is told when it comes.
    HandOverInBackground(std::move(request), descriptor);
}

void DesktopPrinter::abortDocument()
{
    if (!m_job)
        return;
    m_canvas.setPainter(nullptr);
    m_current = nullptr;
    if (m_discard.isActive())
        m_discard.end();
    // The job is the program's own file and nothing of it has gone anywhere yet.
    m_painter.end();
    m_job.reset();
}

bool DesktopPrinter::setupDialog(QWidget* parent)
{
    if (!builtInPdfPrinter()) {
        const BusyCursor busy;
        if (!SchedulerAnswers(m_printer.printerName(), kSchedulerAnswersWithin))
            throw std::runtime_error("De printerservice antwoordt niet: de printerinstelling kan "
                                     "nu niet worden geopend");
    }
    QPrintDialog dialog(&m_printer, parent);
    dialog.setWindowTitle(QStringLiteral("Printerinstelling"));
    offerWhatReachesTheJob(dialog, builtInPdfPrinter());
    // Qt names the confirm button after printing ("Afdrukken"); here it only confirms the
    // set-up. Left as it is should another version of the dialog have no such button.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly))
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    if (confirmed) {
        useMinimumMargins();
        // The queue's settings may have been changed from the dialog.
        m_location.reset();
    }
    return confirmed;
}

} // namespace platform
