#include "print/engine/page_viewer.h"

#include "platform/pages/page_image.h"

#include <stdexcept>
#include <vector>

namespace {

PageViewerFactory& factorySlot()
{
    static PageViewerFactory factory;
    return factory;
}

// Stands in where no window was set: the engine still needs pages to draw into, also when it
// prints to the printer.
class NoPageViewer final : public PageViewer {
public:
    void addPage(std::unique_ptr<platform::PageImage> page) override
    {
        m_pages.push_back(std::move(page));
    }
    void setCaption(const QString&) override {}
    void setOpenState(PreviewOpenState) override {}
    void setActualSize(bool) override {}
    void showPages() override
    {
        throw std::runtime_error("Dit programma kan geen afdrukvoorbeeld tonen");
    }

private:
    std::vector<std::unique_ptr<platform::PageImage>> m_pages;
};

} // namespace

void SetPageViewerFactory(PageViewerFactory factory)
{
    factorySlot() = std::move(factory);
}

std::unique_ptr<PageViewer> MakePageViewer()
{
    const PageViewerFactory& factory = factorySlot();
    return factory ? factory() : std::make_unique<NoPageViewer>();
}
