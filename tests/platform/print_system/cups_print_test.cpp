// Prints real jobs through a private CUPS scheduler started by tools/cups-test-env.sh and looks
// at what came out. Without that environment every test here is skipped.
#include "facade/facade_reading.h"
#include "platform/print_system/background_handover.h"
#include "platform/print_system/job_watch.h"
#include "platform/print_system/printer_reading.h"
#include "platform/print_system/printer_service.h"
#include "platform/print_system/scheduler_workers.h"
#include "print/reports/facade_report.h"
#include "print/reports/results_report.h"
#include "print/reports/rod_report.h"
#include "print/windows/PrintDlg.h"
#include "support/a4_page.h"
#include "support/file_size_limit.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QPrintEngine>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include <ostream>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

// Found by argument-dependent lookup, so it lives beside QString: failures show the text.
static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kTitle = QStringLiteral("Vantorbel");
constexpr int kJobTimeoutMs = 30000;

QString env(const char* name)
{
    return qEnvironmentVariable(name);
}

// What a command-line tool printed; a tool that fails fails the test.
QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (process.waitForFinished(15000) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0)
        return QString::fromUtf8(process.readAllStandardOutput());
    process.kill();
    ADD_FAILURE() << program.toStdString() << ' ' << arguments.join(u' ').toStdString() << ": "
                  << process.readAllStandardError().toStdString();
    return {};
}

// The value on the first line "<key><separator> <value>" of a tool's output.
QString field(const QString& output, const QString& key, const char* separator)
{
    const QRegularExpression line(
        QStringLiteral("^[ \\t]*%1%2[ \\t]*(.*)$").arg(QRegularExpression::escape(key), separator),
        QRegularExpression::MultilineOption);
    return line.match(output).captured(1).trimmed();
}

QString pdfInfo(const QString& path, const char* key)
{
    return field(run(QStringLiteral("pdfinfo"), {path}), QLatin1String(key), ":");
}

// The private scheduler stopped (SIGSTOP) from freeze() until thaw() or the end of the scope, so
// that a failed check never leaves it stopped for the cases after it.
class FrozenScheduler {
public:
    FrozenScheduler()
        : m_pid(env("VANTORBEL_TEST_SCHEDULER_PID").toInt())
    {
    }
    ~FrozenScheduler() { thaw(); }
    FrozenScheduler(const FrozenScheduler&) = delete;
    FrozenScheduler& operator=(const FrozenScheduler&) = delete;

    void freeze()
    {
        ASSERT_GT(m_pid, 0);
        ASSERT_EQ(::kill(m_pid, SIGSTOP), 0);
        m_frozen = true;
    }
    void thaw()
    {
        if (std::exchange(m_frozen, false))
            ::kill(m_pid, SIGCONT);
    }

private:
    pid_t m_pid;
    bool m_frozen = false;
};

class CupsPrintTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name :
             {"CUPS_SERVER", "VANTORBEL_TEST_QUEUE", "VANTORBEL_TEST_LOCATION",
              "VANTORBEL_TEST_PDF_DIR", "VANTORBEL_TEST_SPOOL_DIR", "VANTORBEL_TEST_LOCK"}) {
            if (env(name).isEmpty())
                GTEST_SKIP() << "no private CUPS scheduler; tools/cups-test-env.sh sets one up";
        }
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "platform_cups_tests";
            static char* argv[] = {name, nullptr};
            // Never destroyed: tearing Qt down during static destruction races the print
            // plugin's own clean-up.
            new QApplication(argc, argv);
        }
        // CTest runs the cases in parallel processes, and a job is found as "the one new job
        // on the queue", which holds only while nobody else prints.
        lock.setFileName(env("VANTORBEL_TEST_LOCK"));
        ASSERT_TRUE(lock.open(QIODevice::ReadWrite)) << lock.fileName().toStdString();
        ASSERT_EQ(::flock(lock.handle(), LOCK_EX), 0); // released when the file closes
        const QList<int> ids = jobIds();
        ASSERT_FALSE(HasFailure());
        lastJobBefore = ids.isEmpty() ? 0 : ids.last();
    }

    // Every job the queue knows, finished or not, in ascending order.
    QList<int> jobIds() const
    {
        const QString queue = env("VANTORBEL_TEST_QUEUE");
        const QRegularExpression line(
            QStringLiteral("^%1-(\\d+)\\s").arg(QRegularExpression::escape(queue)),
            QRegularExpression::MultilineOption);
        QList<int> ids;
        const QString listed = run(QStringLiteral("lpstat"), {"-W", "all", "-o", queue});
        for (auto it = line.globalMatch(listed); it.hasNext();)
            ids.append(it.next().captured(1).toInt());
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    // The job's state, name and copies, as the scheduler shows them to the job's owner.
    static QString jobAttributes(int jobId)
    {
        QTemporaryDir dir;
        QFile test(dir.filePath(QStringLiteral("job.test")));
        EXPECT_TRUE(test.open(QIODevice::WriteOnly));
        test.write("{ OPERATION Get-Job-Attributes\n"
                   "  GROUP operation-attributes-tag\n"
                   "  ATTR charset attributes-charset utf-8\n"
                   "  ATTR naturalLanguage attributes-natural-language en\n"
                   "  ATTR uri printer-uri $uri\n"
                   "  ATTR integer job-id $job_id\n"
                   "  ATTR name requesting-user-name $user\n"
                   "  ATTR keyword requested-attributes "
                   "job-state,job-name,copies,print-scaling,orientation-requested,sides,"
                   "print-color-mode,page-ranges,job-priority\n"
                   "  STATUS successful-ok }\n");
        test.close();
        // The socket path goes into the host part of the URI, percent-encoded.
        const QString uri =
            QStringLiteral("ipp://%1/printers/%2")
                .arg(QUrl::toPercentEncoding(env("CUPS_SERVER")), env("VANTORBEL_TEST_QUEUE"));
        return run(QStringLiteral("ipptool"),
                   {"-tv", "-T", "10", "-d", QStringLiteral("job_id=%1").arg(jobId), uri,
                    test.fileName()});
    }

    static QString attribute(const QString& job, const char* name)
    {
        return field(job, QLatin1String(name), " \\([^)]*\\) =");
    }

    // The one job printed since SetUp, once the scheduler has finished it, with its attributes.
    int finishedJob(QString& job)
    {
        // Ending the document starts the job's way to the queue.
        EXPECT_TRUE(platform::HandOversEnded(std::chrono::seconds(30)));
        QList<int> fresh = jobIds();
        fresh.removeIf([this](int id) { return id <= lastJobBefore; });
        EXPECT_EQ(fresh.size(), 1);
        if (fresh.size() != 1)
            return 0;
        const int jobId = fresh[0];
        QString state;
        QElapsedTimer clock;
        clock.start();
        while (!HasFailure() && clock.elapsed() < kJobTimeoutMs) {
            job = jobAttributes(jobId);
            state = attribute(job, "job-state");
            if (state == u"completed" || state == u"canceled" || state == u"aborted")
                break;
            QThread::msleep(100);
        }
        EXPECT_EQ(state, QStringLiteral("completed"));
        return jobId;
    }

    // The document as the program handed it over, kept by "PreserveJobFiles Yes".
    static QString spooledDocument(int jobId)
    {
        return QDir(env("VANTORBEL_TEST_SPOOL_DIR"))
            .filePath(QStringLiteral("d%1-001").arg(jobId, 5, 10, QLatin1Char('0')));
    }

    // Everything a finished three-page "Vantorbel" job must show, printed copies times.
    void expectThreePageJob(int copies)
    {
        QString job;
        const int jobId = finishedJob(job);
        ASSERT_FALSE(HasFailure());
        EXPECT_EQ(attribute(job, "job-name"), kTitle);
        // A job without "copies" prints the printer's default of one copy.
        const QString jobCopies = attribute(job, "copies");
        EXPECT_EQ(jobCopies.isEmpty() ? 1 : jobCopies.toInt(), copies);

        const QString spooled = spooledDocument(jobId);
        ASSERT_TRUE(QFileInfo::exists(spooled)) << spooled.toStdString();
        EXPECT_EQ(pdfInfo(spooled, "Pages"), QStringLiteral("3"));
        EXPECT_EQ(pdfInfo(spooled, "Title"), kTitle);
        const QString pageSize = pdfInfo(spooled, "Page size");
        EXPECT_TRUE(pageSize.endsWith(u"(A4)")) << pageSize.toStdString();
        for (const QString page : {"1", "2", "3"}) {
            const QString text =
                run(QStringLiteral("pdftotext"), {"-f", page, "-l", page, spooled, "-"});
            EXPECT_EQ(text.simplified(), QStringLiteral("Pagina ") + page);
        }

        // cups-pdf re-renders through Ghostscript, so its text is unreadable; its pages and title
        // show what the printer made of the job, copies included.
        const QString printedPdf = printed(jobId);
        ASSERT_FALSE(printedPdf.isEmpty());
        EXPECT_EQ(pdfInfo(printedPdf, "Pages"), QString::number(3 * copies));
        const QString printedTitle = pdfInfo(printedPdf, "Title");
        EXPECT_TRUE(printedTitle.contains(kTitle)) << printedTitle.toStdString();
    }

    // What the cups-pdf queue made of the job: it names its output job_<id>-<title>.pdf, and
    // tools/cups-test-env.sh stop removes it.
    static QString printed(int jobId)
    {
        const QDir pdfDir(env("VANTORBEL_TEST_PDF_DIR"));
        const QStringList found =
            pdfDir.entryList({QStringLiteral("job_%1-*.pdf").arg(jobId)}, QDir::Files);
        EXPECT_EQ(found.size(), 1) << "job " << jobId << " in " << pdfDir.path().toStdString();
        return found.size() == 1 ? pdfDir.filePath(found[0]) : QString();
    }

    // A job of three pages, each saying its number.
    static void printThreePages(platform::PrinterService& printer)
    {
        ASSERT_NO_THROW(printer.beginDocument());
        for (int page = 1; page <= 3; ++page) {
            if (page > 1) {
                ASSERT_NO_THROW(printer.newPage());
            }
            ASSERT_NO_THROW(
                printer.canvas().textOut(600, 600, QStringLiteral("Pagina %1").arg(page)));
        }
        ASSERT_NO_THROW(printer.endDocument());
        EXPECT_THROW(printer.newPage(), std::runtime_error); // no job left running
    }

    // Every job since SetUp was cancelled before it printed.
    void expectOnlyCancelledJobs()
    {
        EXPECT_TRUE(platform::HandOversEnded(std::chrono::seconds(30)));
        QList<int> fresh = jobIds();
        fresh.removeIf([this](int id) { return id <= lastJobBefore; });
        for (const int jobId : fresh)
            EXPECT_EQ(attribute(jobAttributes(jobId), "job-state"), QStringLiteral("canceled"));
        if (!fresh.isEmpty())
            lastJobBefore = fresh.last();
    }

    QFile lock;
    int lastJobBefore = 0;
};

// The program's document holds each page once; further copies are the print system's work.
class CupsCopiesTest : public CupsPrintTest, public testing::WithParamInterface<int> {};

TEST_P(CupsCopiesTest, CurrentPrinterPrintsThreePagesOnTheDefaultQueue)
{
    platform::PrinterService& printer = platform::CurrentPrinter();
    printer.setOrientation(platform::PageOrientation::Portrait);
    printer.setDocumentTitle(kTitle);
    printer.setCopies(GetParam());
    EXPECT_EQ(printer.copies(), GetParam());
    printThreePages(printer);
    expectThreePageJob(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Copies, CupsCopiesTest, testing::Values(1, 2));

TEST_F(CupsPrintTest, AnAbortedJobPrintsNothingAndTheNextJobPrints)
{
    platform::PrinterService& printer = platform::CurrentPrinter();
    printer.setOrientation(platform::PageOrientation::Portrait);
    printer.setDocumentTitle(kTitle);
    printer.setCopies(1);
    ASSERT_NO_THROW(printer.beginDocument());
    printer.canvas().textOut(600, 600, QStringLiteral("Half af"));
    ASSERT_NO_THROW(printer.newPage());
    printer.abortDocument();
    EXPECT_THROW(printer.newPage(), std::runtime_error); // no job left running
    // The print system may have opened a job for it; then it was cancelled before printing.
    expectOnlyCancelledJobs();

    printThreePages(printer);
    expectThreePageJob(1);
}

// A spool file that cannot be written in full: the job says why, nothing reaches the queue and
// nothing is left in the program's own folder for jobs.
TEST_F(CupsPrintTest, AJobWhoseFileCannotBeWrittenInFullReachesNoQueue)
{
    platform::PrinterService& printer = platform::CurrentPrinter();
    printer.setOrientation(platform::PageOrientation::Portrait);
    printer.setDocumentTitle(kTitle);
    printer.setCopies(1);
    std::string failure;
    {
        // The three pages fit, the fonts and the cross-reference table after them do not.
        const FileSizeLimit disk{4000};
        try {
            printer.beginDocument();
            for (int page = 1; page <= 3; ++page) {
                if (page > 1)
                    printer.newPage();
                printer.canvas().textOut(600, 600, QStringLiteral("Pagina %1").arg(page));
            }
            printer.endDocument();
        } catch (const std::runtime_error& error) {
            failure = error.what();
            printer.abortDocument();
        }
    }
    EXPECT_EQ(failure, "Het afdrukbestand kon niet volledig worden geschreven: het bestand wordt "
                       "te groot.");
    EXPECT_EQ(jobIds().value(jobIds().size() - 1), lastJobBefore);
    const QDir spool(QDir::temp().filePath(QStringLiteral("vantorbel-%1").arg(::getuid())));
    EXPECT_EQ(spool.entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
}

// The scheduler freezes (SIGSTOP) while a job is handed over: ending the document returns at once
// and the window keeps painting; giving the job up when the program closes waits until the
// scheduler answers again within five seconds, and cancels the job: nothing prints, and no job
// stays held on the queue.
TEST_F(CupsPrintTest, AFrozenSchedulerHoldsNoWindowAndAJobGivenUpIsCancelled)
{
    FrozenScheduler scheduler;
    platform::PrinterService& printer = platform::CurrentPrinter();
    printer.setDocumentTitle(kTitle);
    printer.setCopies(1);
    ASSERT_NO_THROW(printer.beginDocument());
    printer.canvas().textOut(600, 600, QStringLiteral("Bevroren"));

    struct PaintCount : QWidget {
        int paints = 0;
        void paintEvent(QPaintEvent*) override { ++paints; }
    } window;
    window.show();
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, &window, qOverload<>(&QWidget::update));
    repaint.start(50);
    scheduler.freeze();
    QElapsedTimer clock;
    clock.start();
    EXPECT_NO_THROW(printer.endDocument());
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(platform::HandOverPending());
    QEventLoop working;
    QTimer::singleShot(1000, &working, &QEventLoop::quit);
    working.exec();
    EXPECT_GT(window.paints, 10);

    QTimer::singleShot(2000, [&scheduler] { scheduler.thaw(); });
    clock.restart();
    EXPECT_TRUE(platform::GiveUpHandOvers(std::chrono::seconds(5)));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_FALSE(platform::HandOverPending());
    EXPECT_THROW(printer.newPage(), std::runtime_error); // no job left running
    expectOnlyCancelledJobs();
}

// A job that waits on a stopped printer is told once, naming the printer; a job that prints is
// not told at all.
TEST_F(CupsPrintTest, AStoppedPrinterIsToldOnce)
{
    QStringList told;
    platform::SetPrintJobNotice([&told](const QString& message) { told << message; });
    // The messages arrive on this thread once the workers are done.
    const auto waitForWatches = [] {
        EXPECT_TRUE(platform::HandOversEnded(std::chrono::seconds(30)));
        EXPECT_TRUE(platform::SchedulerWorkersEnded(std::chrono::seconds(40)));
        QCoreApplication::processEvents();
    };
    platform::PrinterService& printer = platform::CurrentPrinter();
    printer.setDocumentTitle(kTitle);
    printer.setCopies(1);
    printThreePages(printer);
    waitForWatches();
    EXPECT_EQ(told, QStringList());
    QString job;
    finishedJob(job);
    lastJobBefore = jobIds().last();

    const QString queue = env("VANTORBEL_TEST_QUEUE");
    run(QStringLiteral("cupsdisable"), {queue});
    printThreePages(printer);
    waitForWatches();
    run(QStringLiteral("cupsenable"), {queue});
    platform::SetPrintJobNotice({});
    EXPECT_EQ(told, QStringList(
                        {QStringLiteral("De printer %1 is gestopt: de afdruk wacht.").arg(queue)}));
    finishedJob(job);
}

// The watcher that can no longer ask after its job says so once, naming the queue.
TEST_F(CupsPrintTest, AJobThatCanNoLongerBeFollowedIsToldOnce)
{
    FrozenScheduler scheduler;
    QStringList told;
    platform::SetPrintJobNotice([&told](const QString& message) { told << message; });
    platform::PrinterService& printer = platform::CurrentPrinter();
    printer.setDocumentTitle(kTitle);
    printer.setCopies(1);
    printThreePages(printer);
    EXPECT_TRUE(platform::HandOversEnded(std::chrono::seconds(30)));
    scheduler.freeze(); // the watcher's next question goes unanswered
    EXPECT_TRUE(platform::SchedulerWorkersEnded(std::chrono::seconds(40)));
    scheduler.thaw();
    QCoreApplication::processEvents();
    platform::SetPrintJobNotice({});
    EXPECT_EQ(told, QStringList({QStringLiteral("Vantorbel kan de afdruk op %1 niet meer volgen.")
                                     .arg(env("VANTORBEL_TEST_QUEUE"))}));
    QString job;
    finishedJob(job);
}

// What Qt's set-up dialog leaves on the printer reaches the job: two sides, grey, pages 2 to 3,
// and a job option of its own.
TEST_F(CupsPrintTest, TheSetUpDialogsChoicesReachTheJob)
{
    platform::PrinterService& printer = platform::CurrentPrinter();
    auto& qprinter = dynamic_cast<QPrinter&>(printer.referenceDevice());
    printer.setDocumentTitle(kTitle);
    printer.setCopies(2);
    qprinter.setDuplex(QPrinter::DuplexLongSide);
    qprinter.setColorMode(QPrinter::GrayScale);
    // Pages 2 to 3 with "Oneven pagina's", which Qt's dialog hands over as "even".
    qprinter.setPrintRange(QPrinter::PageRange);
    qprinter.setFromTo(2, 3);
    qprinter.printEngine()->setProperty(
        QPrintEngine::PrintEnginePropertyKey(0xfe00),
        QStringList({"job-priority", "60", "job-billing", "", "page-set", "even"}));
    printThreePages(printer);
    QString job;
    const int jobId = finishedJob(job);
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(attribute(job, "sides"), QStringLiteral("two-sided-long-edge"));
    EXPECT_EQ(attribute(job, "print-color-mode"), QStringLiteral("monochrome"));
    EXPECT_EQ(attribute(job, "job-priority"), QStringLiteral("60"));
    EXPECT_EQ(attribute(job, "copies"), QStringLiteral("2"));
    // The document holds page 3 alone; the scheduler is left nothing to choose.
    EXPECT_EQ(attribute(job, "page-ranges"), QString());
    const QString spooled = spooledDocument(jobId);
    EXPECT_EQ(pdfInfo(spooled, "Pages"), QStringLiteral("1"));
    EXPECT_EQ(run(QStringLiteral("pdftotext"), {spooled, "-"}).simplified(),
              QStringLiteral("Pagina 3"));
    // Twice, each copy on the front of a sheet of its own.
    EXPECT_EQ(pdfInfo(printed(jobId), "Pages"), QStringLiteral("4"));

    // A range beyond the report: nothing goes to the queue, and the user is told why.
    qprinter.setFromTo(9, 12);
    printer.beginDocument();
    try {
        printer.endDocument();
        ADD_FAILURE() << "a job of no pages ended";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Blad 9 tot 12 bestaan niet; het verslag heeft 1 blad.");
    }
    EXPECT_TRUE(platform::HandOversEnded(std::chrono::seconds(5)));
    EXPECT_EQ(jobIds().last(), jobId);
    // The printer is the program's one printer: the next case in this process prints it all.
    qprinter.setPrintRange(QPrinter::AllPages);
    qprinter.printEngine()->setProperty(QPrintEngine::PrintEnginePropertyKey(0xfe00),
                                        QStringList());
}

// An instance from lpoptions prints on its queue with the instance's own defaults.
TEST_F(CupsPrintTest, APrinterInstancePrintsWithItsDefaultOptions)
{
    const QTemporaryDir home; // lpoptions of this test only
    qputenv("HOME", home.path().toUtf8());
    const QString instance = env("VANTORBEL_TEST_QUEUE") + QStringLiteral("/dubbelzijdig");
    run(QStringLiteral("lpoptions"),
        {"-p", instance, "-o", "sides=two-sided-long-edge", "-o", "print-color-mode=monochrome"});
    ASSERT_TRUE(QFileInfo::exists(home.filePath(QStringLiteral(".cups/lpoptions"))));
    platform::PrinterService& printer = platform::CurrentPrinter();
    dynamic_cast<QPrinter&>(printer.referenceDevice()).setPrinterName(instance);
    EXPECT_EQ(printer.deviceName(), instance);
    printer.setDocumentTitle(kTitle);
    printer.setCopies(1);
    printThreePages(printer);
    QString job;
    finishedJob(job);
    EXPECT_EQ(attribute(job, "sides"), QStringLiteral("two-sided-long-edge"));
    EXPECT_EQ(attribute(job, "print-color-mode"), QStringLiteral("monochrome"));
}

// Qt's set-up dialog would ask a frozen scheduler on the window's thread: it is not opened, and
// the user is told why within seconds.
TEST_F(CupsPrintTest, TheSetUpDialogIsNotOpenedOnAFrozenScheduler)
{
    FrozenScheduler scheduler;
    platform::PrinterService& printer = platform::CurrentPrinter();
    scheduler.freeze();
    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(printer.setupDialog(nullptr), std::runtime_error);
    EXPECT_LT(clock.elapsed(), 5000);
    scheduler.thaw();
    EXPECT_TRUE(platform::SchedulerWorkersEnded(std::chrono::seconds(30)));
}

// Orientation reaches the paper once: as landscape pages in the program's own PDF, and not
// again as the job's orientation.
TEST_F(CupsPrintTest, ALandscapeJobHasLandscapePagesAndNoOrientationOfItsOwn)
{
    platform::PrinterService& printer = platform::CurrentPrinter();
    printer.setDocumentTitle(kTitle);
    printer.setCopies(1);
    printer.setOrientation(platform::PageOrientation::Landscape);
    printThreePages(printer);
    printer.setOrientation(platform::PageOrientation::Portrait);
    QString job;
    const int jobId = finishedJob(job);
    ASSERT_FALSE(HasFailure());
    const QString spooled = pdfInfo(spooledDocument(jobId), "Page size");
    EXPECT_TRUE(spooled.startsWith(u"842 x 595")) << spooled.toStdString();
    EXPECT_EQ(attribute(job, "orientation-requested"), QString());
    EXPECT_EQ(pdfInfo(printed(jobId), "Pages"), QStringLiteral("3"));
}

TEST_F(CupsPrintTest, TheResultsReportPrintsHeaderTitleLineAndRows)
{
    // As in the program: the printer read on a worker thread at start-up.
    const platform::DesktopPrinterReading reading;
    platform::CurrentPrinter().setCopies(1);
    ReportTable table;
    table.numberHeader = QStringLiteral("Laag");
    table.valueHeader = QStringLiteral("Hoogte");
    for (int row = 1; row <= 400; ++row)
        table.rows.push_back({QString::number(row), QStringLiteral("%1,50").arg(row * 62)});
    table.projectName = QStringLiteral("Schuur");
    table.gaugeLabel = QStringLiteral("Vantorbel:");
    table.gaugeText = QStringLiteral("62,5");
    table.font.name = QStringLiteral("Arial");
    table.font.pointSize = 9;
    TPrintDialog1 dialog;
    ASSERT_NO_THROW(PrintResultsReport(table, dialog));

    QString job;
    const int jobId = finishedJob(job);
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(attribute(job, "job-name"), kTitle);
    const QString spooled = spooledDocument(jobId);
    EXPECT_GE(pdfInfo(spooled, "Pages").toInt(), 2);
    const QString first = run(QStringLiteral("pdftotext"), {"-f", "1", "-l", "1", spooled, "-"});
    for (const char* text : {"Schuur Vantorbel: 62,5", "Pagina:1", "Laag", "62,50"})
        EXPECT_TRUE(first.contains(QLatin1String(text))) << text;
    // The title line stands in all four column groups.
    EXPECT_EQ(first.count(QStringLiteral("Hoogte")), 4);
    const QString second = run(QStringLiteral("pdftotext"), {"-f", "2", "-l", "2", spooled, "-"});
    EXPECT_TRUE(second.contains(QStringLiteral("Pagina:2")));
    const QString whole = run(QStringLiteral("pdftotext"), {spooled, "-"});
    EXPECT_TRUE(whole.contains(QStringLiteral("24800,50"))); // the last row
}

TEST_F(CupsPrintTest, TheRodReachesThePaperUnscaled)
{
    const platform::DesktopPrinterReading reading;
    platform::CurrentPrinter().setCopies(1);
    RodTable table;
    for (int course = 0; course <= 12; ++course)
        table.courses.push_back({course * 62.5, QString::number(course),
                                 QStringLiteral("%1").arg(course * 62.5, 0, 'f', 2)});
    table.font.name = QStringLiteral("Arial");
    table.font.pointSize = 9;
    TPrintDialog1 dialog;
    ASSERT_NO_THROW(PrintRod(table, dialog));

    QString job;
    const int jobId = finishedJob(job);
    ASSERT_FALSE(HasFailure());
    // The scheduler was asked not to fit the pages to the paper, and the paper is the page's.
    EXPECT_EQ(attribute(job, "print-scaling"), QStringLiteral("none"));
    const QString spooled = spooledDocument(jobId);
    const QString sheets = pdfInfo(spooled, "Pages");
    EXPECT_GE(sheets.toInt(), 3);
    const QString text = run(QStringLiteral("pdftotext"), {"-f", "1", "-l", "1", spooled, "-"});
    for (const QString& expected :
         {QStringLiteral("Lagenlat"), QStringLiteral("Blad 1 van ") + sheets,
          QStringLiteral("100 mm: meet ter controle")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    const QString printedPdf = printed(jobId);
    ASSERT_FALSE(printedPdf.isEmpty());
    EXPECT_EQ(pdfInfo(printedPdf, "Pages"), sheets);
    EXPECT_EQ(pdfInfo(printedPdf, "Page size"), pdfInfo(spooled, "Page size"));
}

// The facade's sheet on paper: its bar of one metre at 1:50, measured on the printed PDF drawn
// at ten pixels a millimetre, is 20 mm long.
TEST_F(CupsPrintTest, TheFacadeSheetReachesThePaperAtScale)
{
    const platform::DesktopPrinterReading reading;
    platform::CurrentPrinter().setCopies(1);
    const calc::RegionalFormat dutch{",", "."};
    facade::FacadeTexts texts{{"100", "10", "8", "12"},
                              "210",
                              {"50", "12,5", "10", "15"},
                              "5500",
                              "2800",
                              facade::WallEnd::OutsideCorner,
                              facade::WallEnd::OutsideCorner,
                              facade::FirstCourse::Stretcher,
                              "5",
                              {{"raam", "1200", "2410", "900", "2400"}}};
    const auto inputs = std::get<facade::FacadeInputs>(facade::ReadFacade(texts, dutch));
    const auto plans = std::get<facade::FacadePlans>(facade::MakeFacadePlans(inputs, dutch));
    const facade::FacadeDrawing drawing =
        facade::DrawFacade(inputs, plans, facade::LayFacade(inputs, plans), dutch);
    FacadeSheet sheet;
    sheet.drawing = &drawing;
    sheet.scale = 50;
    TPrintDialog1 dialog;
    ASSERT_NO_THROW(PrintFacade(sheet, dialog));

    QString job;
    const int jobId = finishedJob(job);
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(attribute(job, "print-scaling"), QStringLiteral("none"));
    const QString printedPdf = printed(jobId);
    ASSERT_FALSE(printedPdf.isEmpty());
    // Where the bar's text stands, in points, on the page as sent (the printed one keeps no text
    // to read): the bar runs at its middle and ends 3 mm before it.
    const QString words = run(QStringLiteral("pdftotext"),
                              {"-bbox", "-f", "1", "-l", "1", spooledDocument(jobId), "-"});
    const QRegularExpression first(QStringLiteral(
        R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">1</word>)re"
        R"re(\s*<word[^>]*>m:</word>)re"));
    const QRegularExpressionMatch at = first.match(words);
    ASSERT_TRUE(at.hasMatch()) << words.toStdString();
    const QTemporaryDir folder;
    run(QStringLiteral("pdftoppm"), {"-r", "254", "-gray", "-f", "1", "-l", "1", "-singlefile",
                                     printedPdf, folder.filePath(QStringLiteral("blad"))});
    const QImage page(folder.filePath(QStringLiteral("blad.pgm")));
    ASSERT_FALSE(page.isNull());
    constexpr double kPixelsPerPoint = 254.0 / 72;
    const int row =
        int((at.captured(2).toDouble() + at.captured(3).toDouble()) / 2 * kPixelsPerPoint);
    int x = int(at.captured(1).toDouble() * kPixelsPerPoint) - 1;
    const auto dark = [&page, row](int column) {
        return qGray(page.pixel(column, row)) < 128;
    };
    while (x > 0 && !dark(x))
        --x;
    const int end = x;
    while (x > 0 && dark(x))
        --x;
    EXPECT_NEAR(end - x, 200, 3) << "the bar is " << (end - x) / 10.0 << " mm";
}

TEST_F(CupsPrintTest, CurrentPrinterReportsTheFiguresOfTheDefaultQueue)
{
    // The queue declares an 18 pt border all round A4; Qt gives every CUPS queue 1200 dpi.
    constexpr int border = 18 * 1200 / 72;
    platform::PrinterService& printer = platform::CurrentPrinter();
    printer.setOrientation(platform::PageOrientation::Portrait);
    EXPECT_EQ(printer.deviceName(), env("VANTORBEL_TEST_QUEUE"));
    EXPECT_EQ(printer.orientation(), platform::PageOrientation::Portrait);
    const platform::PrinterFigures figures = printer.figures();
    EXPECT_EQ(figures.resolutionX, 1200);
    EXPECT_EQ(figures.resolutionY, 1200);
    EXPECT_EQ(figures.pageWidthPixels, kA4WidthPixels);
    EXPECT_EQ(figures.pageHeightPixels, kA4HeightPixels);
    // 210 - 2 * 6.35 mm and 297 - 2 * 6.35 mm, rounded down.
    EXPECT_EQ(figures.printableWidthMm, 197);
    EXPECT_EQ(figures.printableHeightMm, 284);
    EXPECT_EQ(figures.printableWidthPixels, kA4WidthPixels - 2 * border);
    EXPECT_EQ(figures.printableHeightPixels, kA4HeightPixels - 2 * border);
}

// At start-up the printer is read on a worker thread while the main window shows.
TEST_F(CupsPrintTest, ThePrintDialogShowsTheQueueReadAlongsideTheWindows)
{
    const platform::DesktopPrinterReading reading;
    auto gone = std::make_unique<TPrintDialog1>(); // closed before the reading ends: no call
    TPrintDialog1 dialog;
    gone.reset();
    const auto* name = dialog.findChild<QLabel*>(QStringLiteral("Printername"));
    const auto* location = dialog.findChild<QLabel*>(QStringLiteral("Location"));
    ASSERT_TRUE(name && location);

    const QDeadlineTimer deadline(20000);
    while (name->text() != env("VANTORBEL_TEST_QUEUE") && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(name->text(), env("VANTORBEL_TEST_QUEUE"));
    EXPECT_EQ(location->text(), env("VANTORBEL_TEST_LOCATION"));
    EXPECT_EQ(platform::CurrentPrinter().port(), env("VANTORBEL_TEST_LOCATION"));
}

} // namespace
