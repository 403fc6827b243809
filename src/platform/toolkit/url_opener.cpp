#include "platform/toolkit/url_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {
namespace {

class DesktopUrlOpener final : public UrlOpener {
public:
    // The address goes to the desktop's handler as it is, without a scheme added; the
    // handler decides about the window (browsers open maximised or as the user left them).
    void open(const QString& address) override
    {
        QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
    }
};

} // namespace

template <> UrlOpener& Seam<UrlOpener>::desktop()
{
    static DesktopUrlOpener opener;
    return opener;
}

} // namespace platform
