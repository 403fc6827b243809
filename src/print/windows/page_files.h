#pragma once

#include "platform/pages/page_image.h"
#include "print/windows/page_formats.h"

#include <QPageLayout>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// What a save asks of the window it runs in.
struct PageSaveHooks {
    // When the program added the suffix to the name of a file of all pages (a PDF) and a file of
    // that name exists: whether to replace it. Unset: it is replaced.
    std::function<bool(const QString& file)> replaceUnseen;
    // After every numbered page on disk, with the count written so far and the total: false
    // stops the save there. Unset: the save runs to its end.
    std::function<bool(int written, int total)> pageWritten;
};

// Saves the pages under the name chosen in the dialog: one file of all pages by that name, its
// suffix added unless the name ends in it, or one numbered file per page (folder, name without
// extension, page index from 0, the suffix), written in page order. With `actualSize` a PDF asks
// to be printed at its own size. Returns the number of files written. Throws std::runtime_error
// naming the file and page that could not be made or written; the pages written before it stay.
int SavePageFiles(const QString& chosenFile, const PageFormat& format,
                  const std::vector<std::unique_ptr<platform::PageImage>>& pages,
                  const QPageLayout& paper, const PageSaveHooks& hooks = {},
                  bool actualSize = false);
