#pragma once

// The pages of a report the user chose in the set-up dialog: a range or a list of pages, and
// only the odd or the even ones, both by the report's own page numbers. The job's document
// holds just those pages, so that pages per sheet gathers them and nothing is left for the
// print system to choose: Qt's dialog, assuming the program draws only the range, swaps odd
// and even for a range that starts on an even page, and pdftopdf applies a range only after it
// has put pages on sheets.

#include <QPageRanges>
#include <QString>
#include <QStringList>

namespace platform {

class ChosenPages {
public:
    // Every page.
    ChosenPages() = default;
    // What the printer's range (empty unless its print range is a page range) and the dialog's
    // CUPS options (name, value, …) say.
    static ChosenPages Of(const QPageRanges& printerRange, const QStringList& cupsOptions);

    bool contains(int page) const;
    // Why a report of `pages` pages printed nothing of this choice.
    QString nothingPrinted(int pages) const;

private:
    enum class Parity { Any, Odd, Even };

    QPageRanges m_ranges; // empty: every page
    Parity m_parity = Parity::Any;
};

// The dialog's CUPS options without the choice of pages, which the document makes itself.
QStringList WithoutPageChoice(const QStringList& cupsOptions);

} // namespace platform
