#include "print/windows/preview_viewer.h"

#include "print/engine/page_viewer.h"
#include "print/windows/MyPForm.h"

#include "platform/toolkit/modal_runner.h"

namespace {

class PreviewWindowViewer final : public PageViewer {
public:
    void addPage(std::unique_ptr<platform::PageImage> page) override
    {
        m_window.PageList.push_back(std::move(page));
    }
    void setCaption(const QString& caption) override { m_window.setWindowTitle(caption); }
    void setOpenState(PreviewOpenState state) override { m_window.OpenState = state; }
    void setActualSize(bool on) override { m_window.ActualSize = on; }
    void showPages() override
    {
        m_window.CurrentPage = 0;
        m_window.ZoomStep = 0;
        m_window.ShowPage();
        platform::RunModal(m_window);
    }

private:
    TPreviewPrintForm1 m_window;
};

} // namespace

void RegisterPreviewWindow()
{
    SetPageViewerFactory([] { return std::make_unique<PreviewWindowViewer>(); });
}
