#pragma once

#include "platform/toolkit/seam.h"

#include <QString>

namespace platform {

// The shell's "open" of a web address. The outcome is not reported: with no browser
// registered nothing happens, as on any desktop.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QString& address) = 0;
};

template <> UrlOpener& Seam<UrlOpener>::desktop();

inline void OpenWebAddress(const QString& address)
{
    Seam<UrlOpener>::get().open(address);
}

} // namespace platform
