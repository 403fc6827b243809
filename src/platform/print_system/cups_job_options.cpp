#include "platform/print_system/cups_job_options.h"

#include <algorithm>
#include <array>

namespace platform {
namespace {

// Options that scale, gather, turn or move the pages; a page at 1:1 allows none of them, from
// the set-up dialog or from anywhere else.
constexpr std::array kScaling = {"fit-to-page",
                                 "fitplot",
                                 "fill",
                                 "scaling",
                                 "natural-scaling",
                                 "ppi",
                                 "print-scaling",
                                 "number-up",
                                 "number-up-layout",
                                 "booklet",
                                 "position",
                                 "mirror",
                                 "page-border",
                                 "orientation-requested",
                                 "landscape"};

// The only defaults of a queue, its instance or the user's lpoptions that a page at 1:1 takes:
// which paper, tray and bin, the sides, the colour and the copies. Whatever else a destination
// may say (booklet=on shrank a rod to 0,65 in pdftopdf) never reaches such a job.
constexpr std::array kActualSizeDefaults = {
    "media-source",     "InputSlot",  "media-type", "MediaType", "sides",  "Duplex",
    "print-color-mode", "ColorModel", "output-bin", "OutputBin", "copies", "collate"};

bool named(const std::pair<QByteArray, QByteArray>& option, const char* name)
{
    return option.first.compare(name, Qt::CaseInsensitive) == 0;
}

void set(CupsOptions& options, const QByteArray& name, const QByteArray& value)
{
    options.removeIf([&](const auto& option) { return named(option, name.constData()); });
    options.append({name, value});
}

bool has(const CupsOptions& options, const QByteArray& name)
{
    return std::any_of(options.begin(), options.end(),
                       [&](const auto& option) { return named(option, name.constData()); });
}

// A destination's default that belongs in a job. The destination also lists what describes the
// printer itself; and the orientation is the pages' own, already turned in the document, so a
// default one would turn them twice.
bool jobDefault(const QByteArray& name)
{
    return !name.startsWith("printer-") && !name.startsWith("marker-") && name != "device-uri" &&
           name != "auth-info-required" && name != "orientation-requested" && name != "landscape";
}

bool actualSizeDefault(const QByteArray& name)
{
    return std::any_of(kActualSizeDefaults.begin(), kActualSizeDefaults.end(),
                       [&name](const char* allowed) { return name == allowed; });
}

} // namespace

CupsOptions JobOptions(const CupsJobRequest& request, const CupsOptions& destinationDefaults,
                       bool twoSidedOffered)
{
    CupsOptions options;
    for (qsizetype i = 0; i + 1 < request.printerOptions.size(); i += 2) {
        // Qt lists the job options of its dialog also when left empty (job-billing).
        if (!request.printerOptions[i + 1].isEmpty())
            set(options, request.printerOptions[i].toUtf8(),
                request.printerOptions[i + 1].toUtf8());
    }
    // Where the queue prints one side only, Qt always says one-sided, also for an instance that
    // says otherwise: the queue's and the instance's own default stands.
    if (!request.sides.isEmpty() && (twoSidedOffered || request.sides != "one-sided"))
        set(options, "sides", request.sides);
    if (request.monochrome)
        set(options, "print-color-mode", "monochrome");
    set(options, "copies", QByteArray::number(request.copies));
    // Copies as whole sets, page 1 to the end and again: left uncollated, a queue that cannot
    // make copies itself (a PDF queue) makes just one.
    if (request.copies > 1)
        set(options, "collate", "true");
    if (!request.media.isEmpty())
        set(options, "media", request.media.toUtf8());
    for (const auto& [name, value] : destinationDefaults) {
        if (jobDefault(name) && (!request.actualSize || actualSizeDefault(name)) &&
            !has(options, name))
            options.append({name, value});
    }
    if (request.actualSize) {
        for (const char* name : kScaling)
            options.removeIf([name](const auto& option) { return named(option, name); });
        set(options, "number-up", "1");
        // Schedulers differ in which of the two they honour.
        set(options, "print-scaling", "none");
        set(options, "fit-to-page", "false");
    }
    return options;
}

} // namespace platform
