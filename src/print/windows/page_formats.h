#pragma once

#include "platform/pages/page_image.h"

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <span>
#include <variant>
#include <vector>

// PNG pages have this many pixels per inch of paper.
constexpr int kPngPixelsPerInch = 200;

// A format of one file per page, numbered from 0 after the chosen name.
struct FilePerPage {
    // The page's file; empty when the page cannot be made.
    QByteArray (*bytes)(const platform::PageImage& page) = nullptr;
    // A page that takes its time to make: the next ones are made on the other cores while one is
    // written.
    bool madeAhead = false;
    // The name loses whatever follows its last dot, as it always has for the picture types;
    // otherwise only the format's own suffix, so that "Plan v1.2" keeps its "v1.2".
    bool cutAtLastDot = false;
};

// A format of all pages in one file by the chosen name.
struct OneFileOfAllPages {
    // Throws std::runtime_error naming the file when it cannot be written in full.
    void (*write)(const QString& file, const std::vector<const platform::PageImage*>& pages,
                  const QPageLayout& paper, bool actualSize);
};

// One type of the preview's save dialog and what it writes.
struct PageFormat {
    const char* name;     // shown in the dialog, followed by its patterns in brackets
    const char* patterns; // "*.bmp;*.ico"
    // Added by the dialog to a name typed without one; every file written ends in it.
    const char* suffix;
    std::variant<FilePerPage, OneFileOfAllPages> writer;
};

// The types in the dialog's order: five picture types that all write one Enhanced Metafile per
// page, whatever their patterns, then the types that write what they name.
std::span<const PageFormat> PageFormats();

// The type of the n-th entry of the dialog's list; the first for a number beyond it.
const PageFormat& PageFormatOf(int dialogType);

// The dialog's types, "Name (patterns)|patterns|...", and the suffix of each.
QString PageFileFilter();
QStringList PageFileSuffixes();
