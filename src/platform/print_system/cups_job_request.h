#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

// A PDF the program made, for a print queue.
struct CupsJobRequest {
    QString queue; // as Qt names it: "queue" or "queue/instance"
    QString pdfFile;
    QString title; // the job's name
    int copies = 1;
    QString media;           // the paper, as the PDF's pages have it ("A4")
    bool actualSize = false; // no fitting to the paper, one page a sheet
    QByteArray sides;        // "one-sided", "two-sided-long-edge" or "two-sided-short-edge"
    bool monochrome = false;
    // Name, value, name, value: the printer's own options and the job options that Qt's set-up
    // dialog chose (pages per sheet, banners, priority, hold). The pages chosen are not among
    // them: the document holds only those.
    QStringList printerOptions;
};

} // namespace platform
