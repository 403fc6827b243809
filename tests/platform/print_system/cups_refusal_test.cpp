// A job for a print server that wants a password or refuses the user: python3 serves every IPP
// request so on a loopback port.
#include "platform/print_system/cups_job.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>

namespace {

const char* const kServer = R"(import http.server, sys
class Refusing(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    def do_POST(self):
        self.rfile.read(int(self.headers.get("Content-Length", 0)))
        self.send_response(int(sys.argv[1]))
        self.send_header("WWW-Authenticate", 'Basic realm="CUPS"')
        self.send_header("Content-Length", "0")
        self.end_headers()
server = http.server.HTTPServer(("127.0.0.1", 0), Refusing)
print(server.server_port, flush=True)
server.serve_forever())";

// What became of a job for the queue PDF, read through its own descriptor.
QString refusalBy(const char* httpStatus)
{
    QProcess server;
    server.start(QStringLiteral("python3"), {"-c", kServer, httpStatus});
    EXPECT_TRUE(server.waitForReadyRead(10000));
    const QByteArray previous = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", "127.0.0.1:" + server.readLine().trimmed());
    QTemporaryDir folder;
    platform::CupsJobRequest request;
    request.queue = QStringLiteral("PDF/dubbel");
    request.pdfFile = folder.filePath(QStringLiteral("afdruk.pdf"));
    QFile pdf(request.pdfFile);
    EXPECT_TRUE(pdf.open(QIODevice::WriteOnly) && pdf.write("%PDF-1.4\n%%EOF\n") > 0);
    const platform::CupsHandOver job(request, ::open(QFile::encodeName(pdf.fileName()), O_RDONLY));
    EXPECT_FALSE(pdf.exists());
    const QDeadlineTimer deadline(20000);
    while (!job.outcome() && !deadline.hasExpired())
        QThread::msleep(20);
    qputenv("CUPS_SERVER", previous);
    server.kill();
    server.waitForFinished();
    const platform::CupsJobOutcome outcome = job.outcome().value_or(0);
    return std::holds_alternative<QString>(outcome) ? std::get<QString>(outcome) : "(no refusal)";
}

TEST(CupsRefusal, APasswordIsDeclinedAndARefusedUserToldInDutch)
{
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        GTEST_SKIP() << "python3 serves the refusing print server";
    EXPECT_EQ(refusalBy("401").toStdString(), "De printer PDF vraagt om een wachtwoord; afdrukken "
                                              "naar deze printer kan Vantorbel niet.");
    EXPECT_EQ(refusalBy("403").toStdString(),
              "De printer PDF weigert afdrukken van deze gebruiker.");
}

} // namespace
