#include "qt_printer_service.h"

#include "busy_cursor.h"
#include "file_dialog.h"
#include "files_open_for_writing.h"
#include "job_watch.h"
#include "page_image.h"
#include "whole_file.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryFile>

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <utility>

namespace platform {
namespace {

constexpr int kNameLength = 79;

QString limited(const QString& text)
{
    return text.left(kNameLength);
}

} // namespace

QtPrinterService::QtPrinterService()
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

QtPrinterService::~QtPrinterService()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool QtPrinterService::builtInPdfPrinter() const
{
    return m_printer.outputFormat() == QPrinter::PdfFormat || m_printer.printerName().isEmpty();
}

void QtPrinterService::useMinimumMargins()
{
    QPageLayout layout = m_printer.pageLayout();
    layout.setMargins(layout.minimumMargins());
    m_printer.setPageLayout(layout);
}

QString QtPrinterService::deviceName()
{
    return limited(builtInPdfPrinter() ? QStringLiteral("PDF-bestand") : m_printer.printerName());
}

QString QtPrinterService::port()
{
    if (builtInPdfPrinter())
        return {};
    const QString name = m_printer.printerName();
    if (!m_location || m_location->first != name)
        m_location.emplace(name, QPrinterInfo::printerInfo(name).location());
    return limited(m_location->second);
}

PageOrientation QtPrinterService::orientation()
{
    return m_printer.pageLayout().orientation() == QPageLayout::Landscape
               ? PageOrientation::Landscape
               : PageOrientation::Portrait;
}

void QtPrinterService::setOrientation(PageOrientation orientation)
{
    m_printer.setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
    useMinimumMargins();
}

int QtPrinterService::copies()
{
    return m_printer.copyCount();
}

void QtPrinterService::setCopies(int copies)
{
    m_printer.setCopyCount(std::max(copies, 1));
}

void QtPrinterService::setDocumentTitle(const QString& title)
{
    m_printer.setDocName(title);
}

PrinterFigures QtPrinterService::figures()
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

void QtPrinterService::drawPicture(int x, int y, const PageImage& picture)
{
    if (!m_painter.isActive())
        throw std::runtime_error("Printer is not printing");
    picture.play(m_painter, QRectF(x, y, picture.width(), picture.height()));
}

std::unique_ptr<QPrinter> QtPrinterService::newJobPrinter()
{
    // A printer that failed to begin stays stuck; every job gets a fresh one.
    auto job = std::make_unique<QPrinter>(QPrinter::HighResolution);
    job->setPrinterName(m_printer.printerName());
    job->setOutputFormat(m_printer.outputFormat());
    job->setPageLayout(m_printer.pageLayout());
    job->setCopyCount(m_printer.copyCount());
    job->setDocName(m_printer.docName());
    if (m_actualSize && !builtInPdfPrinter()) {
        // Qt's CUPS engine hands the job these name and value pairs as CUPS options (its own
        // property key, which Qt's print dialog uses too). Schedulers differ in which of the
        // two they honour.
        const auto cupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
        QStringList options = job->printEngine()->property(cupsOptions).toStringList();
        options << QStringLiteral("print-scaling") << QStringLiteral("none")
                << QStringLiteral("fit-to-page") << QStringLiteral("false");
        job->printEngine()->setProperty(cupsOptions, options);
    }
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
        // The job writes a file beside the chosen one, renamed into its place when the job
        // ends: the chosen name never holds half a document.
        QTemporaryFile spool(QFileInfo(fileName).absolutePath() +
                             QStringLiteral("/.vantorbel-XXXXXX.pdf"));
        if (!spool.open())
            throw std::runtime_error("Bestand " + fileName.toStdString() +
                                     " kon niet geschreven worden");
        spool.setAutoRemove(false);
        m_pdf = {spool.fileName(), fileName};
        job->setOutputFileName(spool.fileName());
    }
    return job;
}

void QtPrinterService::beginDocument()
{
    if (m_job)
        throw std::runtime_error("Printing in progress");
    std::unique_ptr<QPrinter> job = newJobPrinter();
    m_jobBegun = std::time(nullptr);
    const QSet<QString> openBefore = FilesOpenForWriting();
    if (!m_painter.begin(job.get())) {
        dropPdfSpool();
        throw std::runtime_error("De afdruk kon niet beginnen op " + deviceName().toStdString());
    }
    m_jobFiles = FilesOpenForWriting() - openBefore;
    m_job = std::move(job);
    m_canvas.setPainter(&m_painter);
}

void QtPrinterService::newPage()
{
    if (!m_job)
        throw std::runtime_error("Printer is not printing");
    if (!m_job->newPage())
        throw std::runtime_error("De printer kon geen nieuwe pagina beginnen");
}

void QtPrinterService::endDocument()
{
    if (!m_job)
        throw std::runtime_error("Printer is not printing");
    m_canvas.setPainter(nullptr);
    const bool ended = m_painter.end();
    m_job.reset();
    m_jobFiles.clear();
    if (!ended) {
        dropPdfSpool();
        throw std::runtime_error("De afdruk kon niet worden afgerond");
    }
    if (!m_pdf) {
        WatchPrintJob(m_printer.printerName(), m_jobBegun);
        return;
    }
    const auto [spool, chosen] = *std::exchange(m_pdf, std::nullopt);
    QFile::setPermissions(spool, NewFilePermissions());
    if (std::rename(QFile::encodeName(spool).constData(), QFile::encodeName(chosen).constData()) !=
        0) {
        QFile::remove(spool);
        throw std::runtime_error("Bestand " + chosen.toStdString() + " kon niet geschreven worden");
    }
}

void QtPrinterService::dropPdfSpool()
{
    if (m_pdf)
        QFile::remove(std::exchange(m_pdf, std::nullopt)->first);
}

void QtPrinterService::abortDocument()
{
    if (!m_job)
        return;
    m_canvas.setPainter(nullptr);
    // Qt's print engines for CUPS and PDF cannot abort (QPrinter::abort() does nothing): they
    // write the job into a file and, for CUPS, hand that file to the scheduler when the painter
    // ends. Without the file the scheduler cancels the job it opened for it, and nothing is
    // printed; a PDF file would hold half the document.
    for (const QString& file : std::as_const(m_jobFiles))
        QFile::remove(file);
    m_painter.end();
    m_job.reset();
    m_jobFiles.clear();
    dropPdfSpool();
}

bool QtPrinterService::setupDialog(QWidget* parent)
{
    QPrintDialog dialog(&m_printer, parent);
    dialog.setWindowTitle(QStringLiteral("Printerinstelling"));
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
