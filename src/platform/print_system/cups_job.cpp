#include "platform/print_system/cups_job.h"

#include "platform/print_system/cups_connection.h"
#include "platform/print_system/cups_job_options.h"
#include "platform/print_system/cups_library.h"
#include "platform/print_system/scheduler_workers.h"

#include <QFile>

#include <atomic>
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
    // libcups' own word for it is "Unauthorized", with no hint of what to do.
    if (scheduler.cups->cupsLastError() == IPP_STATUS_ERROR_NOT_AUTHORIZED)
        return QStringLiteral("De printer %1 vraagt om een wachtwoord; afdrukken naar deze printer "
                              "kan Vantorbel niet.")
            .arg(request.queue);
    const QString why = QString::fromUtf8(scheduler.cups->cupsLastErrorString());
    const QString refused =
        QStringLiteral("De printer %1 nam de afdruk niet aan").arg(request.queue);
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
CupsJobOutcome send(const CupsJobRequest& request, QFile& pdf, const std::atomic<bool>& dropped)
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
    while (!pdf.atEnd()) {
        const QByteArray chunk = pdf.read(kChunk);
        if (dropped)
            return givenUp(QString());
        if (chunk.isEmpty() || scheduler.cups->cupsWriteRequestData(
                                   scheduler.http, chunk.constData(),
                                   static_cast<size_t>(chunk.size())) != HTTP_STATUS_CONTINUE)
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

CupsHandOver::CupsHandOver(CupsJobRequest request)
    : m_shared(std::make_shared<Shared>())
{
    // Opened here and read through that handle from here on: the name goes at once, before the
    // caller lets go of the file it wrote, so that no spool file stays behind, also when the
    // program ends before the worker does.
    const QByteArray path = QFile::encodeName(request.pdfFile);
    const int descriptor = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    ::unlink(path.constData());
    RunSchedulerWorker([shared = m_shared, request = std::move(request), descriptor] {
        QFile pdf;
        const bool opened =
            descriptor >= 0 && pdf.open(descriptor, QIODevice::ReadOnly, QFile::AutoCloseHandle);
        if (descriptor >= 0 && !opened)
            ::close(descriptor);
        CupsJobOutcome outcome =
            opened ? send(request, pdf, shared->dropped)
                   : CupsJobOutcome(
                         QStringLiteral("Bestand %1 kon niet gelezen worden").arg(request.pdfFile));
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
