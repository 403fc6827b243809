#include "platform/print_system/cups_job.h"

#include "platform/files/write_failure.h"
#include "platform/print_system/cups_connection.h"
#include "platform/print_system/cups_job_options.h"
#include "platform/print_system/cups_library.h"
#include "platform/print_system/scheduler_workers.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace platform {

// Between the window's thread and the worker, which may outlive the hand-over's owner.
struct CupsHandOver::Shared {
    std::atomic<bool> dropped{false};
    mutable std::mutex lock;
    std::optional<CupsJobOutcome> outcome;
};

namespace {

constexpr qint64 kChunk = 64 * 1024;

// Frees what libcups handed out, on every way out.
struct Connection {
    http_t* http = ConnectToScheduler();
    const CupsLibrary* cups = http ? Cups() : nullptr;
    cups_dest_t* dest = nullptr;
    cups_dinfo_t* info = nullptr;
    int numOptions = 0;
    cups_option_t* options = nullptr;

    ~Connection()
    {
        if (!http)
            return;
        cups->cupsFreeOptions(numOptions, options);
        if (info)
            cups->cupsFreeDestInfo(info);
        if (dest)
            cups->cupsFreeDests(1, dest);
        cups->httpClose(http);
    }
    // The destination with its defaults, and what its queue supports.
    bool lookUp(const Destination& destination)
    {
        dest = cups->cupsGetNamedDest(
            http, destination.queue.constData(),
            destination.instance.isEmpty() ? nullptr : destination.instance.constData());
        info = dest ? cups->cupsCopyDestInfo(http, dest) : nullptr;
        // A queue that wants a password or refuses the user ends libcups' look-up with "not
        // found" all the same: the queue's own answer tells the refusal.
        if (!dest)
            cups->ippDelete(cups->cupsDoRequest(
                http,
                NewQuestion(IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri",
                            "ipp://localhost/printers/" + destination.queue, {"printer-state"}),
                "/"));
        return info;
    }
    void add(const CupsOptions& chosen)
    {
        for (const auto& [name, value] : chosen)
            numOptions =
                cups->cupsAddOption(name.constData(), value.constData(), numOptions, &options);
    }
};

QString refusal(const Connection& scheduler, const CupsJobRequest& request)
{
    const QString queue = QString::fromUtf8(SplitDestination(request.queue).queue);
    switch (scheduler.cups->cupsLastError()) {
    // libcups asks nobody for the password (cups_connection.h), and its own words for these
    // give no hint of what to do.
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
        return QStringLiteral("De printer %1 vraagt om een wachtwoord; afdrukken naar deze printer "
                              "kan Vantorbel niet.")
            .arg(queue);
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
        return QStringLiteral("De printer %1 weigert afdrukken van deze gebruiker.").arg(queue);
    default:
        break;
    }
    const QString why = QString::fromUtf8(scheduler.cups->cupsLastErrorString());
    const QString refused = QStringLiteral("De printer %1 nam de afdruk niet aan").arg(queue);
    return why.isEmpty() ? refused : refused + QStringLiteral(" (") + why + QLatin1Char(')');
}

CupsOptions optionsOf(const Connection& scheduler, const CupsJobRequest& request)
{
    CupsOptions defaults;
    for (int i = 0; i < scheduler.dest->num_options; ++i)
        defaults.append(std::pair(QByteArray(scheduler.dest->options[i].name),
                                  QByteArray(scheduler.dest->options[i].value)));
    const bool twoSided = scheduler.cups->cupsCheckDestSupported(
        scheduler.http, scheduler.dest, scheduler.info, CUPS_SIDES, CUPS_SIDES_TWO_SIDED_PORTRAIT);
    return JobOptions(request, defaults, twoSided);
}

// A job with no complete document would stay on its queue waiting for one. The connection it
// was made on may be in the middle of a request, so this asks on a fresh one.
void cancelJob(const QByteArray& queue, int id)
{
    Connection scheduler;
    if (scheduler.http)
        scheduler.cups->cupsCancelJob2(scheduler.http, queue.constData(), id, 0);
}

// Create-Job, then the document in one Send-Document, as lp sends a file, so that the scheduler
// and its filters make the copies as for every other program's job; between the pieces the worker
// looks whether anyone still waits for the job.
CupsJobOutcome send(const CupsJobRequest& request, int pdf, const std::atomic<bool>& dropped)
{
    if (!Cups())
        return QStringLiteral("De printerservice (libcups) is niet geïnstalleerd.");
    Connection scheduler;
    if (!scheduler.http)
        return QStringLiteral("De printerservice antwoordt niet: de afdruk is niet verstuurd");
    const Destination destination = SplitDestination(request.queue);
    // The look-up is a round trip of its own: a scheduler that stopped answering holds the worker
    // here, before any job exists.
    if (!scheduler.lookUp(destination))
        return refusal(scheduler, request);
    scheduler.add(optionsOf(scheduler, request));
    const QByteArray& queue = destination.queue;
    const QByteArray title = request.title.toUtf8();
    int id = 0;
    if (!Accepted(scheduler.cups->cupsCreateDestJob(scheduler.http, scheduler.dest, scheduler.info,
                                                    &id, title.constData(), scheduler.numOptions,
                                                    scheduler.options)) ||
        id <= 0)
        return refusal(scheduler, request);
    const auto givenUp = [&](CupsJobOutcome outcome) {
        cancelJob(queue, id);
        return outcome;
    };
    if (dropped)
        return givenUp(QString());
    if (scheduler.cups->cupsStartDocument(scheduler.http, queue.constData(), id, title.constData(),
                                          CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE)
        return givenUp(refusal(scheduler, request));
    // From the start of the file whatever the descriptor's offset: the writer may share it.
    QByteArray chunk(kChunk, Qt::Uninitialized);
    for (off_t offset = 0;;) {
        ssize_t got = 0;
        do
            got = ::pread(pdf, chunk.data(), static_cast<size_t>(kChunk), offset);
        while (got < 0 && errno == EINTR);
        if (got < 0)
            return givenUp(QStringLiteral("Het afdrukbestand kon niet gelezen worden: %1.")
                               .arg(WriteFailureCause(errno)));
        if (got == 0)
            break;
        offset += got;
        if (dropped)
            return givenUp(QString());
        if (scheduler.cups->cupsWriteRequestData(scheduler.http, chunk.constData(),
                                                 static_cast<size_t>(got)) != HTTP_STATUS_CONTINUE)
            return givenUp(refusal(scheduler, request));
    }
    if (!Accepted(scheduler.cups->cupsFinishDocument(scheduler.http, queue.constData())))
        return givenUp(refusal(scheduler, request));
    // Given up while the scheduler took the last of it: the user chose to lose the job.
    if (dropped)
        return givenUp(QString());
    return id;
}

} // namespace

CupsHandOver::CupsHandOver(CupsJobRequest request, int descriptor)
    : m_shared(std::make_shared<Shared>())
{
    // The name goes at once, before the caller lets go of the file it wrote, so that no spool
    // file stays behind, also when the program ends before the worker does.
    ::unlink(QFile::encodeName(request.pdfFile).constData());
    RunSchedulerWorker([shared = m_shared, request = std::move(request), descriptor] {
        CupsJobOutcome outcome =
            descriptor >= 0
                ? send(request, descriptor, shared->dropped)
                : CupsJobOutcome(
                      QStringLiteral("Bestand %1 kon niet gelezen worden").arg(request.pdfFile));
        if (descriptor >= 0)
            ::close(descriptor);
        const std::lock_guard guard(shared->lock);
        shared->outcome = std::move(outcome);
    });
}

CupsHandOver::~CupsHandOver()
{
    drop();
}

void CupsHandOver::drop()
{
    m_shared->dropped = true;
}

std::optional<CupsJobOutcome> CupsHandOver::outcome() const
{
    const std::lock_guard guard(m_shared->lock);
    return m_shared->outcome;
}

} // namespace platform
