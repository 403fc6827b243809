#pragma once

#include "print/engine/preview_open_state.h"

#include <QString>

#include <functional>
#include <memory>

namespace platform {
class PageImage;
} // namespace platform

// A window that shows the finished pages of a document. The engine hands it every page it
// records and opens it at the end; which window that is, the program decides at start-up, so
// that the engine knows no window.
class PageViewer {
public:
    virtual ~PageViewer() = default;

    // The engine goes on drawing into the page it added last until it adds the next.
    virtual void addPage(std::unique_ptr<platform::PageImage> page) = 0;
    virtual void setCaption(const QString& caption) = 0;
    virtual void setOpenState(PreviewOpenState state) = 0;
    // Saved as PDF, the pages ask to be printed at their own size.
    virtual void setActualSize(bool on) = 0;
    // Shows the first page at the smallest zoom and returns when the user closed the window.
    virtual void showPages() = 0;
};

using PageViewerFactory = std::function<std::unique_ptr<PageViewer>()>;

// The window every later document is shown in; empty: none.
void SetPageViewerFactory(PageViewerFactory factory);

// A viewer from the factory set last. Without one, the pages are kept until the document ends
// and showing them throws std::runtime_error that says so in words: printing goes on, a preview
// is refused.
std::unique_ptr<PageViewer> MakePageViewer();
