#pragma once

#include "platform/pages/page_image.h"

#include <QPageLayout>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// What the preview's save dialog can write. The five picture types of the dialog all write one
// Enhanced Metafile per page, whatever their extension; the types after them write what they
// name.
enum class PageFileType { Emf, Pdf, Svg, Png };

// The type behind the n-th entry of the save dialog's file-type list.
PageFileType PageFileTypeOf(int dialogType);

// The file types of the save dialog, "Description|patterns|..." and the suffix each adds to a
// name typed without one (empty: the dialog's default, "EMF").
QString PageFileFilter();
QStringList PageFileSuffixes();

// PNG pages have this many pixels per inch of paper.
constexpr int kPngPixelsPerInch = 200;

// What a save asks of the window it runs in.
struct PageSaveHooks {
    // When the program completed the PDF's name and a file of that name exists: whether to
    // replace it. Unset: it is replaced.
    std::function<bool(const QString& file)> replaceUnseen;
    // After every numbered page on disk, with the count written so far and the total: false
    // stops the save there. Unset: the save runs to its end.
    std::function<bool(int written, int total)> pageWritten;
};

// Saves the pages under the name chosen in the dialog: a PDF of all pages by that name, or one
// numbered file per page (folder, name without extension, page index from 0, the type's
// extension), SVG and PNG pages made on every core and written in page order. The EMF types cut
// the name at its last dot; the PDF, SVG and PNG types add their extension unless the name ends
// in it, and cut only that off. With `actualSize` a PDF asks to be printed at its own size.
// Returns the number of files written. Throws std::runtime_error naming the file and page that
// could not be made or written; the pages written before it stay.
int SavePageFiles(const QString& chosenFile, PageFileType type,
                  const std::vector<std::unique_ptr<platform::PageImage>>& pages,
                  const QPageLayout& paper, const PageSaveHooks& hooks = {},
                  bool actualSize = false);
