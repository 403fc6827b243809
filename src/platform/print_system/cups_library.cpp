#include "platform/print_system/cups_library.h"

#include <dlfcn.h>

#include <memory>

namespace platform {
namespace {

std::unique_ptr<CupsLibrary> openCups()
{
    // Never closed: libcups keeps per-thread state that lives as long as the threads.
    void* handle = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    auto cups = std::make_unique<CupsLibrary>();
    bool complete = true;
#define VANTORBEL_CUPS_RESOLVE(name)                                                               \
    cups->name = reinterpret_cast<decltype(cups->name)>(dlsym(handle, #name));                     \
    complete = complete && cups->name;
    VANTORBEL_CUPS_FUNCTIONS(VANTORBEL_CUPS_RESOLVE)
#undef VANTORBEL_CUPS_RESOLVE
    return complete ? std::move(cups) : nullptr;
}

} // namespace

const CupsLibrary* Cups()
{
    static const std::unique_ptr<CupsLibrary> library = openCups();
    return library.get();
}

} // namespace platform
