#include "pdf_settings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

QByteArray qpdf(const QStringList& arguments, int* exitCode = nullptr)
{
    QProcess process;
    process.start(QStringLiteral("qpdf"), arguments);
    process.waitForFinished(30000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAllStandardOutput();
}

} // namespace

PdfSettings ReadPdfSettings(const QString& file)
{
    PdfSettings settings;
    int checked = -1;
    qpdf({QStringLiteral("--check"), file}, &checked);
    settings.sound = checked == 0;
    const QJsonArray read = QJsonDocument::fromJson(qpdf({QStringLiteral("--json=2"),
                                                          QStringLiteral("--json-key=qpdf"), file}))
                                .object()[QStringLiteral("qpdf")]
                                .toArray();
    settings.version = read[0].toObject()[QStringLiteral("pdfversion")].toString();
    const QJsonObject objects = read[1].toObject();
    const QString root = objects[QStringLiteral("trailer")]
                             .toObject()[QStringLiteral("value")]
                             .toObject()[QStringLiteral("/Root")]
                             .toString();
    settings.printScaling = objects[QStringLiteral("obj:") + root]
                                .toObject()[QStringLiteral("value")]
                                .toObject()[QStringLiteral("/ViewerPreferences")]
                                .toObject()[QStringLiteral("/PrintScaling")]
                                .toString();
    return settings;
}
