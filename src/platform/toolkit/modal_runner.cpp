#include "platform/toolkit/modal_runner.h"

#include <QDialog>

namespace platform {
namespace {

class DesktopModalRunner final : public ModalRunner {
public:
    int run(QDialog& dialog) override { return dialog.exec(); }
};

} // namespace

template <> ModalRunner& Seam<ModalRunner>::desktop()
{
    static DesktopModalRunner runner;
    return runner;
}

} // namespace platform
