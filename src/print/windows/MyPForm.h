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
// engine fills PageList and shows the window (preview_viewer.h); the window only reads the pages.
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

    // The one update step after anything that changes the page or the zoom: the page label
    // says which page is shown, and page CurrentPage is rendered at ZoomStep into a new
    // WorkBitmap, scrolled to its top-left corner.
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
    // The commands that change the page or the zoom.
    enum class ViewCommand { FirstPage, PreviousPage, NextPage, LastPage, ZoomIn, ZoomOut };
    // Takes the view where the command says and shows it; a page or zoom step beyond the ends is
    // not shown and nothing is redrawn, while the current one is shown again.
    void go(ViewCommand command);
    void updatePageLabel();
    void renderPage();
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
