#pragma once

#include "calc/regional_format.h"
#include "platform/modal_runner.h"
#include "platform/page_image.h"
#include "platform/printer_service.h"
#include "platform/recording_surface.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QDialog;
class TPreviewPrintForm1;
class TPrintDialog1;
class TVantorForm;

namespace bench {

// The same page as the test suite's printer (600 pixels per inch, A4 less the usual borders),
// so that the pages measured here are the pages the tests check.
class Printer final : public platform::PrinterService {
public:
    Printer();

    QString deviceName() override { return QStringLiteral("Benchprinter"); }
    QString port() override { return QStringLiteral("bench:"); }
    platform::PageOrientation orientation() override { return m_orientation; }
    void setOrientation(platform::PageOrientation orientation) override
    {
        m_orientation = orientation;
    }
    int copies() override { return m_copies; }
    void setCopies(int copies) override { m_copies = copies; }
    void setDocumentTitle(const QString&) override {}
    platform::PrinterFigures figures() override;
    platform::DrawingSurface& canvas() override { return *m_canvas; }
    QPaintDevice& referenceDevice() override { return m_reference; }
    void drawPicture(int, int, const platform::PageImage&) override {}
    void beginDocument() override;
    void newPage() override;
    void endDocument() override;
    bool printing() const override { return m_printing; }
    bool setupDialog(QWidget*) override { return false; }

private:
    std::unique_ptr<platform::PageImage> blankPage();

    platform::PageOrientation m_orientation = platform::PageOrientation::Portrait;
    int m_copies = 1;
    bool m_printing = false;
    QImage m_reference;
    std::unique_ptr<platform::PageImage> m_page;
    std::unique_ptr<platform::RecordingSurface> m_canvas;
    platform::ScopedStandIn<platform::PrinterService> m_seam;
};

// Plays the user of every modal window without a nested event loop: the print dialog is
// confirmed with OK, the preview is handed to onPreview and closed at once.
class ModalRunner final : public platform::ModalRunner {
public:
    ModalRunner();
    int run(QDialog& dialog) override;

    std::function<void(TPreviewPrintForm1&)> onPreview;

private:
    platform::ScopedStandIn<platform::ModalRunner> m_seam;
};

// The regional format the tests pin: decimal comma, thousands dot.
calc::RegionalFormat DutchFormat();

// The row-limit inputs: 100000 rows, two decimals.
inline constexpr const char* kGauge = "1";
inline constexpr const char* kBottom = "0";
inline constexpr const char* kTop = "99999";
inline constexpr const char* kDecimals = "2";

// A shown main window with the row-limit inputs typed in and the print dialog of the program,
// set to print to the screen on computer paper (what the first activation switches on).
struct MainWindow {
    MainWindow();
    ~MainWindow();
    void calculate();   // the calculate command and one round of events
    void clearTable();  // the table back to empty, with its events processed
    std::unique_ptr<TVantorForm> form;
    std::unique_ptr<TPrintDialog1> dialog;
};

// Everything the benchmarks share, made once and torn down before the application ends.
struct Shared {
    Shared();
    ~Shared();
    Printer printer;
    ModalRunner modal;
    MainWindow window;
    // The pages of the row-limit report, recorded once.
    std::vector<std::unique_ptr<platform::PageImage>> reportPages;
    std::unique_ptr<TPreviewPrintForm1> preview;
    std::unique_ptr<TPreviewPrintForm1> plainPreview;
};
Shared& shared();
void releaseShared();

// One text of a page as recorded: font, where it starts, its baseline.
struct PlacedText {
    QFont font; // at the page's 600 pixels per inch
    int x = 0;
    int baseline = 0;
    QString text;
};
std::vector<PlacedText> TextsOf(const platform::PageImage& page);

// A full page from the middle of the row-limit report.
const platform::PageImage& TypicalPage();

} // namespace bench
