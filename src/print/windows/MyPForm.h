#pragma once

#include "platform/pages/bitmap.h"
#include "platform/pages/page_image.h"
#include "print/engine/preview_open_state.h"

#include <QDialog>
#include <QRect>

#include <chrono>
#include <memory>
#include <vector>

class PagePicture;
class QFrame;
class QLabel;
class QScrollArea;
class QStatusBar;
class QTimer;
class QToolButton;

// The print preview: the pages of a finished document, one at a time as a white sheet with a
// grey shadow, paged, zoomed in eight steps, printed or saved as numbered EMF files. The print
// engine fills PageList and shows the window; the window only reads the pages.
class TPreviewPrintForm1 : public QDialog {
    Q_OBJECT

public:
    explicit TPreviewPrintForm1(QWidget* parent = nullptr);
    ~TPreviewPrintForm1() override;

    std::vector<std::unique_ptr<platform::PageImage>> PageList;
    int CurrentPage = 0;
    int ZoomStep = 0;
    PreviewOpenState OpenState = PreviewOpenState::Normal;
    QRect WorkArea;
    std::unique_ptr<platform::Bitmap> WorkBitmap;
    const platform::PageImage* ShownImage = nullptr;
    // Saved as PDF, the pages ask to be printed at their own size (a rod at full size).
    bool ActualSize = false;
    // How long printing or saving the pages runs before it shows how far it is.
    std::chrono::milliseconds ProgressAfter{500};

    // Renders page CurrentPage at ZoomStep into a new WorkBitmap.
    void ShowPage();

    void Cancel1Click();
    void Afdrukken1Click();
    void SaveMetaClick();
    void ZoomPlus1Click();
    void ZoomMin1Click();
    void First1Click();
    void Previous1Click();
    void Next1Click();
    void Last1Click();
    void Cancel1MouseMove(QToolButton* button);
    void Timer1Timer();
    void FormResize();

    // What the user sees, for the report and tests.
    QString pageLabel() const;
    QString statusText() const;
    QRect pageGeometry() const;
    QRect shadowGeometry() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    // Shows that page (from 0) or zoom step; one beyond the ends is not shown and nothing is
    // redrawn, while the current one is shown again.
    void showPageAt(int page);
    void showZoomStep(int step);
    void buildToolbar();

    struct Widgets {
        QFrame* Panel1 = nullptr;
        QLabel* Pagina1Label = nullptr;
        QStatusBar* StatusBar1 = nullptr;
        QScrollArea* ScrollBox1 = nullptr;
        QWidget* content = nullptr;
        QFrame* Shadow1 = nullptr;
        PagePicture* Image1 = nullptr;
        QTimer* Timer1 = nullptr;
    } m_widgets;
};
