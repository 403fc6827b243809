#pragma once

#include <QString>

#include <variant>

namespace platform {

// A PDF the program made, for a print queue.
struct CupsJobRequest {
    QString queue;
    QString pdfFile;
    QString title; // the job's name
    int copies = 1;
    QString media;           // the paper, as the PDF's pages have it ("A4")
    bool actualSize = false; // no fitting to the paper
};

// Hands the PDF to the queue through libcups: one job with its options. The questions to the
// scheduler give up after bounded times. Returns the job's id, or what went wrong, in Dutch.
std::variant<int, QString> SubmitCupsJob(const CupsJobRequest& request);

} // namespace platform
