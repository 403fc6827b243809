#pragma once

#include <QString>

// A PDF as qpdf (Debian package qpdf) reads it, revisions applied: whether it checks out, its
// version and the /PrintScaling of its catalog's viewer preferences (empty when it has none).
struct PdfSettings {
    bool sound = false;
    QString version;
    QString printScaling;
};

PdfSettings ReadPdfSettings(const QString& file);
