#pragma once

#include "platform/pages/drawing_surface.h"
#include "platform/toolkit/seam.h"

#include <QPageLayout>
#include <QString>

#include <stdexcept>

class QPaintDevice;
class QWidget;

namespace platform {
class PageImage;
}

namespace platform {

enum class PageOrientation { Portrait, Landscape };

// The page as the printer reports it for the current orientation.
struct PrinterFigures {
    int pageWidthPixels = 0; // the physical sheet
    int pageHeightPixels = 0;
    int printableWidthMm = 0; // whole millimetres of the printable area
    int printableHeightMm = 0;
    int resolutionX = 0; // pixels per inch
    int resolutionY = 0;
    int printableWidthPixels = 0; // the printable area, where the drawing origin lies
    int printableHeightPixels = 0;
};

// The user ended a print before anything was printed (for example by cancelling the choice of
// an output file). Not an error: the print ends quietly.
class PrintCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "Afdrukken afgebroken"; }
};

// The one current printer of the program. Settings persist between jobs. Drawing happens on
// canvas(): it measures text with the printer's font also when no job runs, and draws on the
// current page while a job runs. Printer errors are thrown as std::runtime_error.
class PrinterService {
public:
    virtual ~PrinterService() = default;

    virtual QString deviceName() = 0; // at most 79 characters
    virtual QString port() = 0;       // at most 79 characters, empty when unknown
    virtual PageOrientation orientation() = 0;
    virtual void setOrientation(PageOrientation orientation) = 0;
    virtual int copies() = 0;
    virtual void setCopies(int copies) = 0;
    virtual void setDocumentTitle(const QString& title) = 0;
    // The next jobs ask the print system to print every page at its own size, never fitted to
    // the paper: a page drawn at scale 1:1 must reach the paper at 1:1.
    virtual void setActualSize(bool on) = 0;

    virtual PrinterFigures figures() = 0;
    // The paper, its orientation and the unprintable borders, as a PDF of the pages takes them.
    virtual QPageLayout pageLayout() = 0;
    virtual DrawingSurface& canvas() = 0;
    // The device page images are recorded for: text on them is measured here.
    virtual QPaintDevice& referenceDevice() = 0;
    // A page image onto the current page, at its own size with its top-left at (x, y).
    virtual void drawPicture(int x, int y, const PageImage& picture) = 0;

    // Starts a job on a blank first page; throws PrintCancelled when the user backed out.
    virtual void beginDocument() = 0;
    virtual void newPage() = 0;
    virtual void endDocument() = 0;
    // Ends a running job that failed midway without printing it: half a document must not go out
    // as if it were complete, and the printer must take the next job. Never throws.
    virtual void abortDocument() = 0;

    // The desktop's printer set-up dialog; true when confirmed.
    virtual bool setupDialog(QWidget* parent) = 0;
};

template <> PrinterService& Seam<PrinterService>::desktop();

inline PrinterService& CurrentPrinter()
{
    return Seam<PrinterService>::get();
}

// The message of the printer error where no printer at all can be had.
inline constexpr char kNoDefaultPrinter[] = "There is no default printer currently selected";

} // namespace platform
