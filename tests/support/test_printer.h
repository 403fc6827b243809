#pragma once

#include "platform/pages/page_image.h"
#include "platform/print_system/printer_service.h"
#include "platform/pages/recording_surface.h"

#include <QImage>

#include <functional>
#include <memory>
#include <vector>

// A printer with fixed figures (600 pixels per inch, a 4960 x 7016 pixel sheet, 203 x 288 mm
// printable) that records every job as page images instead of printing. It stands in for the
// current printer while it lives.
class TestPrinter final : public platform::PrinterService {
public:
    struct Job {
        QString title;
        int copies = 1;
        platform::PageOrientation orientation = platform::PageOrientation::Portrait;
        std::vector<std::unique_ptr<platform::PageImage>> pages;
        bool aborted = false;
        bool actualSize = false;
    };

    TestPrinter();

    // Makes every operation fail the way a system without any printer does.
    bool noPrinter = false;
    // Refuses the n-th new page of the next job (0: never), as a queue that went away would.
    int refuseNewPage = 0;
    // Plays the user in the set-up dialog: change what the user would change, return whether
    // the dialog was confirmed. Unset: the user cancels.
    std::function<bool(TestPrinter&)> onSetupDialog;
    // The page in portrait; landscape turns it.
    platform::PrinterFigures portrait{4960, 7016, 203, 288, 600, 600, 4795, 6803};
    QString name = QStringLiteral("Testprinter");
    QString location = QStringLiteral("test:");

    std::vector<Job> jobs;

    QString deviceName() override;
    QString port() override;
    platform::PageOrientation orientation() override;
    void setOrientation(platform::PageOrientation orientation) override;
    int copies() override;
    void setCopies(int copies) override;
    void setDocumentTitle(const QString& title) override;
    void setActualSize(bool on) override { m_actualSize = on; }
    platform::PrinterFigures figures() override;
    QPageLayout pageLayout() override;
    platform::DrawingSurface& canvas() override;
    QPaintDevice& referenceDevice() override { return m_reference; }
    void drawPicture(int x, int y, const platform::PageImage& picture) override;
    void beginDocument() override;
    void newPage() override;
    void endDocument() override;
    void abortDocument() override;
    bool printing() const { return m_printing; }
    bool setupDialog(QWidget* parent) override;

private:
    void failWithoutPrinter() const;
    std::unique_ptr<platform::PageImage> blankPage();

    platform::PageOrientation m_orientation = platform::PageOrientation::Portrait;
    int m_copies = 1;
    QString m_title;
    bool m_printing = false;
    bool m_actualSize = false;
    int m_newPages = 0;
    QImage m_reference;
    std::unique_ptr<platform::PageImage> m_scratch;
    std::unique_ptr<platform::RecordingSurface> m_canvas;
    platform::ScopedStandIn<platform::PrinterService> m_seam;
};
