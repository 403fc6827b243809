#pragma once

#include "calc/regional_format.h"
#include "platform/pages/page_image.h"
#include "platform/pages/recording_surface.h"
#include "platform/print_system/printer_service.h"
#include "platform/toolkit/modal_runner.h"
#include "support/program_parts.h"
#include "support/stand_ins.h"
#include "support/test_printer.h"

#include <functional>
#include <memory>
#include <vector>

class QDialog;
class TPreviewPrintForm1;
class TPrintDialog1;
class TVantorForm;

namespace bench {

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
    void calculate();  // the calculate command and one round of events
    void clearTable(); // the table back to empty, with its events processed
    std::unique_ptr<ProgramParts> parts;
    std::unique_ptr<TVantorForm> form;
    std::unique_ptr<TPrintDialog1> dialog;
};

// Everything the benchmarks share, made once and torn down before the application ends.
struct Shared {
    Shared();
    ~Shared();
    // The test suite's printer, so that the pages measured here are the pages the tests check.
    // Reports go to the preview, so it records no jobs and memory stays flat.
    TestPrinter printer;
    // Confirms the print dialog with OK; hands the preview to onPreview and closes it at once.
    ModalRunnerStub modal;
    std::function<void(TPreviewPrintForm1&)> onPreview;
    MainWindow window;
    // The pages of the row-limit report, recorded once.
    std::vector<std::unique_ptr<platform::PageImage>> reportPages;
    std::unique_ptr<TPreviewPrintForm1> preview;
    std::unique_ptr<TPreviewPrintForm1> plainPreview;
};
Shared& shared();
void releaseShared();

// A full page from the middle of the row-limit report.
const platform::PageImage& TypicalPage();

} // namespace bench
