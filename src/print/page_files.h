#pragma once

#include "platform/page_image.h"

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

// Saves the pages under the name chosen in the dialog: a PDF of all pages by that name, or one
// numbered file per page (folder, name without extension, page index from 0, the type's
// extension). The EMF types cut the name at its last dot; the PDF, SVG and PNG types add their
// extension unless the name ends in it, and cut only that off. When the program completed the
// PDF's name and a file of that name exists, `replaceUnseen` decides whether it is replaced.
// Throws std::runtime_error naming the file and page that could not be written; the pages
// written before it stay.
void SavePageFiles(const QString& chosenFile, PageFileType type,
                   const std::vector<std::unique_ptr<platform::PageImage>>& pages,
                   const QPageLayout& paper,
                   const std::function<bool(const QString& file)>& replaceUnseen);
