#pragma once

#include <cups/cups.h>

namespace platform {

// The functions of libcups this program calls itself, opened on first use instead of linked.
// Linked, libcups brings some twenty libraries of its own (TLS, Kerberos, Avahi) that the
// loader must relocate before the main window can show; Qt's print support opens it anyway
// once the printer is read, after the first frame, and opening it again then costs nothing.
#define VANTORBEL_CUPS_FUNCTIONS(X)                                                                \
    X(cupsAddOption)                                                                               \
    X(cupsCancelJob2)                                                                              \
    X(cupsCheckDestSupported)                                                                      \
    X(cupsCopyDestInfo)                                                                            \
    X(cupsCreateDestJob)                                                                           \
    X(cupsDoRequest)                                                                               \
    X(cupsEncryption)                                                                              \
    X(cupsFinishDocument)                                                                          \
    X(cupsFreeDestInfo)                                                                            \
    X(cupsFreeDests)                                                                               \
    X(cupsFreeOptions)                                                                             \
    X(cupsGetNamedDest)                                                                            \
    X(cupsGetOption)                                                                               \
    X(cupsLastError)                                                                               \
    X(cupsLastErrorString)                                                                         \
    X(cupsServer)                                                                                  \
    X(cupsSetPasswordCB2)                                                                          \
    X(cupsStartDocument)                                                                           \
    X(cupsUser)                                                                                    \
    X(cupsWriteRequestData)                                                                        \
    X(httpClose)                                                                                   \
    X(httpConnect2)                                                                                \
    X(httpSetTimeout)                                                                              \
    X(ippAddString)                                                                                \
    X(ippAddStrings)                                                                               \
    X(ippDelete)                                                                                   \
    X(ippFindAttribute)                                                                            \
    X(ippGetCount)                                                                                 \
    X(ippGetInteger)                                                                               \
    X(ippGetString)                                                                                \
    X(ippNewRequest)                                                                               \
    X(ippPort)

struct CupsLibrary {
#define VANTORBEL_CUPS_POINTER(name) decltype(&::name) name = nullptr;
    VANTORBEL_CUPS_FUNCTIONS(VANTORBEL_CUPS_POINTER)
#undef VANTORBEL_CUPS_POINTER
};

// libcups, opened once by whichever thread asks first; nullptr when it cannot be opened or lacks
// one of the functions.
const CupsLibrary* Cups();

} // namespace platform
