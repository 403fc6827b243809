#include "cups_job.h"

#include "cups_connection.h"

#include <QFile>

#include <cups/cups.h>

namespace platform {
namespace {

// Frees what libcups handed out, on every way out.
struct Connection {
    http_t* http = ConnectToScheduler();
    int numOptions = 0;
    cups_option_t* options = nullptr;

    ~Connection()
    {
        cupsFreeOptions(numOptions, options);
        if (http)
            httpClose(http);
    }
    void add(const char* name, const QByteArray& value)
    {
        numOptions = cupsAddOption(name, value.constData(), numOptions, &options);
    }
};

} // namespace

std::variant<int, QString> SubmitCupsJob(const CupsJobRequest& request)
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
    // One Print-Job request, as the print system's own "lp" sends a file: the scheduler and its
    // filters then make the copies, as they do for every other program's job.
    const int id =
        cupsPrintFile2(scheduler.http, request.queue.toUtf8().constData(),
                       QFile::encodeName(request.pdfFile).constData(),
                       request.title.toUtf8().constData(), scheduler.numOptions, scheduler.options);
    if (id > 0)
        return id;
    const QString why = QString::fromUtf8(cupsLastErrorString());
    const QString refused =
        QStringLiteral("De printer %1 nam de afdruk niet aan").arg(request.queue);
    return why.isEmpty() ? refused : refused + QStringLiteral(" (") + why + QLatin1Char(')');
}

} // namespace platform
