#pragma once

#include "platform/toolkit/seam.h"

class QDialog;

namespace platform {

// Shows a window modally and returns its result (QDialog::Accepted or Rejected) when the user
// has closed it. Tests stand in to play the user without a nested event loop.
class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    virtual int run(QDialog& dialog) = 0;
};

template <> ModalRunner& Seam<ModalRunner>::desktop();

inline int RunModal(QDialog& dialog)
{
    return Seam<ModalRunner>::get().run(dialog);
}

} // namespace platform
