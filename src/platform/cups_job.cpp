#include "cups_job.h"

#include "cups_connection.h"
#include "cups_library.h"
#include "scheduler_workers.h"

#include <QFile>

#include <atomic>
#include <mutex>

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
    int numOptions = 0;
    cups_option_t* options = nullptr;

    ~Connection()
    {
        if (!http)
            return;
        cups->cupsFreeOptions(numOptions, options);
        cups->httpClose(http);
    }
    void add(const char* name, const QByteArray& value)
    {
        numOptions = cups->cupsAddOption(name, value.constData(), numOptions, &options);
    }
};

QString refusal(const Connection& scheduler, const CupsJobRequest& request)
{
    const QString why = QString::fromUtf8(scheduler.cups->cupsLastErrorString());
    const QString refused =
        QStringLiteral("De printer %1 nam de afdruk niet aan").arg(request.queue);
    return why.isEmpty() ? refused : refused + QStringLiteral(" (") + why + QLatin1Char(')');
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
    Connection scheduler;
    if (!scheduler.http)
        return QStringLiteral("De printerservice antwoordt niet: de afdruk is niet verstuurd");
    scheduler.add(CUPS_COPIES, QByteArray::number(request.copies));
    // Copies as whole sets, page 1 to the end and again: left uncollated, a queue that cannot
    // make copies itself (a PDF queue) makes just one.
    if (request.copies > 1)
        scheduler.add("collate", "true");
    if (!request.media.isEmpty())
        scheduler.add(CUPS_MEDIA, request.media.toUtf8());
    if (request.actualSize) {
        // Schedulers differ in which of the two they honour.
        scheduler.add("print-scaling", "none");
        scheduler.add("fit-to-page", "false");
    }
    const QByteArray queue = request.queue.toUtf8();
    const QByteArray title = request.title.toUtf8();
    // cupsCreateJob first looks the queue up (a round trip of its own): a scheduler that stopped
    // answering holds the worker here, before any job exists.
    const int id =
        scheduler.cups->cupsCreateJob(scheduler.http, queue.constData(), title.constData(),
                                      scheduler.numOptions, scheduler.options);
    if (id <= 0)
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
    if (scheduler.cups->cupsFinishDocument(scheduler.http, queue.constData()) != IPP_STATUS_OK)
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
    RunSchedulerWorker([shared = m_shared, request = std::move(request)] {
        // Read through the open handle from here on: the name goes at once, so that no spool
        // file stays behind, also when the program ends before the worker does.
        QFile pdf(request.pdfFile);
        const bool opened = pdf.open(QIODevice::ReadOnly);
        QFile::remove(request.pdfFile);
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
