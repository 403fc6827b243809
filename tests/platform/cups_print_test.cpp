// Prints real jobs through a private CUPS scheduler started by tools/cups-test-env.sh and looks
// at what came out. Without that environment every test here is skipped.
#include "platform/printer_service.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kJobTimeoutMs = 30000;
constexpr int kToolTimeoutMs = 15000;
const QString kTitle = QStringLiteral("Vantorbel");
// The queue from tools/cups-test-env.sh declares this unprintable border all round A4, at the
// 1200 dpi that Qt gives every CUPS queue.
constexpr int kBorderPoints = 18;
constexpr int kResolution = 1200;
constexpr int kBorderPixels = kBorderPoints * kResolution / 72;
constexpr int kA4WidthPixels = 9917;
constexpr int kA4HeightPixels = 14033;

struct CupsEnvironment {
    QString server;   // the scheduler's Unix socket
    QString queue;    // the default destination
    QString pdfDir;   // where cups-pdf writes its PDFs
    QString spoolDir; // where the scheduler keeps the submitted documents
    QString lockFile; // serialises printing between test processes

    static std::optional<CupsEnvironment> fromProcess()
    {
        CupsEnvironment env{qEnvironmentVariable("CUPS_SERVER"),
                            qEnvironmentVariable("VANTORBEL_TEST_QUEUE"),
                            qEnvironmentVariable("VANTORBEL_TEST_PDF_DIR"),
                            qEnvironmentVariable("VANTORBEL_TEST_SPOOL_DIR"),
                            qEnvironmentVariable("VANTORBEL_TEST_LOCK")};
        if (env.server.isEmpty() || env.queue.isEmpty() || env.pdfDir.isEmpty() ||
            env.spoolDir.isEmpty() || env.lockFile.isEmpty())
            return std::nullopt;
        return env;
    }
};

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "platform_cups_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing Qt down during static destruction races the print plugin's own
    // clean-up, and the process ends right after anyway.
    new QApplication(argc, argv);
}

struct ToolResult {
    bool ran = false;
    int exitCode = -1;
    QString output;
    QString errors;
};

ToolResult runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForStarted(kToolTimeoutMs)) {
        result.errors = process.errorString();
        return result;
    }
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.errors = program + QStringLiteral(" did not finish");
        return result;
    }
    result.ran = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.output = QString::fromUtf8(process.readAllStandardOutput());
    result.errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// Holds an exclusive lock for its lifetime: CTest runs test cases in parallel processes, and a
// job is recognised as "the one new job on the queue", which only holds while nobody else prints.
class PrintLock {
public:
    explicit PrintLock(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
    {
        if (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~PrintLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    PrintLock(const PrintLock&) = delete;
    PrintLock& operator=(const PrintLock&) = delete;
    bool held() const { return m_fd >= 0; }

private:
    int m_fd;
};

// What the scheduler and the PDF tools say about one finished job.
struct JobFacts {
    QString state;
    QString name;
    int copies = 0;
};

struct PdfFacts {
    int pages = -1;
    QString title;
    QString pageSize;
};

class CupsPrintTest : public testing::Test {
protected:
    void SetUp() override
    {
        const auto env = CupsEnvironment::fromProcess();
        if (!env)
            GTEST_SKIP() << "no private CUPS scheduler; tools/cups-test-env.sh sets one up";
        m_env = *env;
        ensureApplication();
        m_lock = std::make_unique<PrintLock>(m_env.lockFile);
        ASSERT_TRUE(m_lock->held()) << "cannot lock " << m_env.lockFile.toStdString();
        const auto ids = jobIds();
        ASSERT_TRUE(ids.has_value());
        m_lastJobBefore = ids->isEmpty() ? 0 : ids->last();
    }

    void TearDown() override
    {
        if (!HasFailure() && !m_cupsPdfOutput.isEmpty())
            QFile::remove(m_cupsPdfOutput);
    }

    // Ids of all jobs the queue knows, finished or not, in ascending order.
    std::optional<QList<int>> jobIds()
    {
        const ToolResult lpstat =
            runTool(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"),
                                               QStringLiteral("-o"), m_env.queue});
        if (!lpstat.ran || lpstat.exitCode != 0) {
            ADD_FAILURE() << "lpstat failed: " << lpstat.errors.toStdString();
            return std::nullopt;
        }
        const QRegularExpression line(
            QStringLiteral("^%1-(\\d+)\\s").arg(QRegularExpression::escape(m_env.queue)),
            QRegularExpression::MultilineOption);
        QList<int> ids;
        for (auto it = line.globalMatch(lpstat.output); it.hasNext();)
            ids.append(it.next().captured(1).toInt());
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    JobFacts jobFacts(int jobId)
    {
        QTemporaryDir dir;
        const QString testFile = dir.filePath(QStringLiteral("job.test"));
        QFile file(testFile);
        if (!dir.isValid() || !file.open(QIODevice::WriteOnly)) {
            ADD_FAILURE() << "cannot write an ipptool test file";
            return {};
        }
        file.write("{\n"
                   "  OPERATION Get-Job-Attributes\n"
                   "  GROUP operation-attributes-tag\n"
                   "  ATTR charset attributes-charset utf-8\n"
                   "  ATTR naturalLanguage attributes-natural-language en\n"
                   "  ATTR uri printer-uri $uri\n"
                   "  ATTR integer job-id $job_id\n"
                   "  ATTR name requesting-user-name $user\n"
                   "  ATTR keyword requested-attributes job-state,job-name,copies\n"
                   "  STATUS successful-ok\n"
                   "}\n");
        file.close();
        // The socket path goes into the host part of the URI, percent-encoded.
        const QString uri =
            QStringLiteral("ipp://%1/printers/%2")
                .arg(QString::fromLatin1(QUrl::toPercentEncoding(m_env.server)), m_env.queue);
        const ToolResult ipptool =
            runTool(QStringLiteral("ipptool"),
                    {QStringLiteral("-tv"), QStringLiteral("-T"), QStringLiteral("10"),
                     QStringLiteral("-d"), QStringLiteral("job_id=%1").arg(jobId), uri, testFile});
        if (!ipptool.ran || ipptool.exitCode != 0) {
            ADD_FAILURE() << "ipptool failed: " << ipptool.output.toStdString()
                          << ipptool.errors.toStdString();
            return {};
        }
        JobFacts facts;
        facts.state = attribute(ipptool.output, QStringLiteral("job-state"));
        facts.name = attribute(ipptool.output, QStringLiteral("job-name"));
        // A job without "copies" prints the printer's default of one copy.
        const QString copies = attribute(ipptool.output, QStringLiteral("copies"));
        facts.copies = copies.isEmpty() ? 1 : copies.toInt();
        return facts;
    }

    static QString attribute(const QString& ipptoolOutput, const QString& name)
    {
        const QRegularExpression line(
            QStringLiteral("^[ \\t]*%1 \\([^)]*\\) = (.*)$").arg(QRegularExpression::escape(name)),
            QRegularExpression::MultilineOption);
        return line.match(ipptoolOutput).captured(1).trimmed();
    }

    // Waits for the single job submitted since SetUp() to reach a final state; 0 on failure.
    int waitForFinishedJob()
    {
        QElapsedTimer clock;
        clock.start();
        int jobId = 0;
        while (clock.elapsed() < kJobTimeoutMs) {
            const auto ids = jobIds();
            if (!ids)
                return 0;
            QList<int> fresh;
            for (int id : *ids) {
                if (id > m_lastJobBefore)
                    fresh.append(id);
            }
            if (fresh.size() > 1) {
                ADD_FAILURE() << "expected one new job, found " << fresh.size();
                return 0;
            }
            if (fresh.size() == 1) {
                jobId = fresh.first();
                const QString state = jobFacts(jobId).state;
                if (state == QLatin1String("completed") || state == QLatin1String("canceled") ||
                    state == QLatin1String("aborted"))
                    return jobId;
            }
            QThread::msleep(100);
        }
        ADD_FAILURE() << (jobId ? "job " + std::to_string(jobId) + " did not finish"
                                : std::string("no job reached the queue"))
                      << " within " << kJobTimeoutMs / 1000 << " s";
        return 0;
    }

    static PdfFacts pdfFacts(const QString& path)
    {
        const ToolResult pdfinfo = runTool(QStringLiteral("pdfinfo"), {path});
        PdfFacts facts;
        if (!pdfinfo.ran || pdfinfo.exitCode != 0) {
            ADD_FAILURE() << "pdfinfo " << path.toStdString() << ": "
                          << pdfinfo.errors.toStdString();
            return facts;
        }
        const auto field = [&](const QString& key) {
            // Not \\s: an empty field must not swallow the next line.
            const QRegularExpression line(QStringLiteral("^%1:[ \\t]*(.*)$").arg(key),
                                          QRegularExpression::MultilineOption);
            return line.match(pdfinfo.output).captured(1).trimmed();
        };
        bool ok = false;
        facts.pages = field(QStringLiteral("Pages")).toInt(&ok);
        if (!ok)
            facts.pages = -1;
        facts.title = field(QStringLiteral("Title"));
        facts.pageSize = field(QStringLiteral("Page size"));
        return facts;
    }

    static QString pageText(const QString& path, int page)
    {
        const QString number = QString::number(page);
        const ToolResult pdftotext = runTool(QStringLiteral("pdftotext"),
                                             {QStringLiteral("-f"), number, QStringLiteral("-l"),
                                              number, path, QStringLiteral("-")});
        EXPECT_TRUE(pdftotext.ran && pdftotext.exitCode == 0)
            << "pdftotext " << path.toStdString() << ": " << pdftotext.errors.toStdString();
        return pdftotext.output.simplified();
    }

    // The document as the program handed it to CUPS, kept by "PreserveJobFiles Yes".
    QString spooledDocument(int jobId) const
    {
        return QDir(m_env.spoolDir)
            .filePath(QStringLiteral("d%1-001").arg(jobId, 5, 10, QLatin1Char('0')));
    }

    // cups-pdf labels every output with its job id ("Label 1"): job_<id>-<title>.pdf.
    QString cupsPdfOutput(int jobId) const
    {
        const QStringList found =
            QDir(m_env.pdfDir).entryList({QStringLiteral("job_%1-*.pdf").arg(jobId)}, QDir::Files);
        return found.size() == 1 ? QDir(m_env.pdfDir).filePath(found.first()) : QString();
    }

    // Everything a finished three-page "Vantorbel" job must show, printed copies times.
    void expectThreePageJob(int copies)
    {
        const int jobId = waitForFinishedJob();
        ASSERT_GT(jobId, 0);

        const JobFacts job = jobFacts(jobId);
        EXPECT_EQ(job.state.toStdString(), "completed");
        EXPECT_EQ(job.name.toStdString(), kTitle.toStdString());
        EXPECT_EQ(job.copies, copies);

        const QString spooled = spooledDocument(jobId);
        ASSERT_TRUE(QFileInfo::exists(spooled)) << spooled.toStdString();
        const PdfFacts document = pdfFacts(spooled);
        EXPECT_EQ(document.pages, 3);
        EXPECT_EQ(document.title.toStdString(), kTitle.toStdString());
        EXPECT_TRUE(document.pageSize.endsWith(QLatin1String("(A4)")))
            << document.pageSize.toStdString();
        for (int page = 1; page <= 3; ++page) {
            EXPECT_EQ(pageText(spooled, page).toStdString(), "Pagina " + std::to_string(page));
        }

        // cups-pdf re-renders through Ghostscript, so its text is unreadable; its pages and title
        // show what the printer made of the job, copies included.
        m_cupsPdfOutput = cupsPdfOutput(jobId);
        ASSERT_FALSE(m_cupsPdfOutput.isEmpty())
            << "no job_" << jobId << "-*.pdf in " << m_env.pdfDir.toStdString();
        const PdfFacts printed = pdfFacts(m_cupsPdfOutput);
        EXPECT_EQ(printed.pages, 3 * copies);
        EXPECT_TRUE(printed.title.contains(kTitle)) << printed.title.toStdString();
    }

    CupsEnvironment m_env;
    std::unique_ptr<PrintLock> m_lock;
    int m_lastJobBefore = 0;
    QString m_cupsPdfOutput;
};

TEST_F(CupsPrintTest, QtPrinterOnDefaultQueuePrintsThreePages)
{
    QPrinter printer(QPrinter::HighResolution);
    ASSERT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
    ASSERT_EQ(printer.printerName().toStdString(), m_env.queue.toStdString());
    printer.setDocName(kTitle);

    QPainter painter;
    ASSERT_TRUE(painter.begin(&printer));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(24);
    painter.setFont(font);
    for (int page = 1; page <= 3; ++page) {
        if (page > 1) {
            ASSERT_TRUE(printer.newPage());
        }
        painter.drawText(QPointF(600, 1200), QStringLiteral("Pagina %1").arg(page));
    }
    ASSERT_TRUE(painter.end());

    expectThreePageJob(1);
}

void printThreePagesThroughCurrentPrinter()
{
    platform::PrinterService& printer = platform::CurrentPrinter();
    printer.setOrientation(platform::PageOrientation::Portrait);
    printer.setDocumentTitle(kTitle);
    ASSERT_NO_THROW(printer.beginDocument());
    ASSERT_TRUE(printer.printing());
    for (int page = 1; page <= 3; ++page) {
        if (page > 1) {
            ASSERT_NO_THROW(printer.newPage());
        }
        ASSERT_NO_THROW(printer.canvas().textOut(600, 600, QStringLiteral("Pagina %1").arg(page)));
    }
    ASSERT_NO_THROW(printer.endDocument());
    EXPECT_FALSE(printer.printing());
}

TEST_F(CupsPrintTest, CurrentPrinterPrintsThreePagesOnDefaultQueue)
{
    platform::CurrentPrinter().setCopies(1);
    ASSERT_NO_FATAL_FAILURE(printThreePagesThroughCurrentPrinter());

    expectThreePageJob(1);
}

TEST_F(CupsPrintTest, CurrentPrinterHandsCopiesToCups)
{
    platform::PrinterService& printer = platform::CurrentPrinter();
    // Settings outlive a job: later cases in this process must not print twice.
    struct OneCopyAfterwards {
        ~OneCopyAfterwards() { platform::CurrentPrinter().setCopies(1); }
    } restore;
    printer.setCopies(2);
    EXPECT_EQ(printer.copies(), 2);
    ASSERT_NO_FATAL_FAILURE(printThreePagesThroughCurrentPrinter());

    // The program's document holds each page once; the copies are the print system's work.
    expectThreePageJob(2);
}

TEST_F(CupsPrintTest, CurrentPrinterReportsFiguresOfDefaultQueue)
{
    platform::PrinterService& printer = platform::CurrentPrinter();
    printer.setOrientation(platform::PageOrientation::Portrait);

    EXPECT_EQ(printer.deviceName().toStdString(), m_env.queue.toStdString());
    EXPECT_EQ(printer.orientation(), platform::PageOrientation::Portrait);
    const platform::PrinterFigures figures = printer.figures();
    EXPECT_EQ(figures.resolutionX, kResolution);
    EXPECT_EQ(figures.resolutionY, kResolution);
    EXPECT_EQ(figures.pageWidthPixels, kA4WidthPixels);
    EXPECT_EQ(figures.pageHeightPixels, kA4HeightPixels);
    // The sheet less the queue's border: 210 - 2 * 6.35 mm and 297 - 2 * 6.35 mm, rounded down.
    EXPECT_LT(figures.printableWidthMm, 210);
    EXPECT_LT(figures.printableHeightMm, 297);
    EXPECT_EQ(figures.printableWidthMm, 197);
    EXPECT_EQ(figures.printableHeightMm, 284);
    EXPECT_EQ(figures.printableWidthPixels, kA4WidthPixels - 2 * kBorderPixels);
    EXPECT_EQ(figures.printableHeightPixels, kA4HeightPixels - 2 * kBorderPixels);
}

} // namespace
