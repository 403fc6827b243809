#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// A PDF that asks to be printed at its own size: viewers then preselect "actual size" in their
// print dialogs instead of fitting the pages to the paper. Qt's PDF writer cannot say so itself,
// so the PDF it wrote gets a revision appended (an incremental update): its catalog again with
// /ViewerPreferences << /PrintScaling /None >> (a PDF 1.6 key), a cross-reference section for
// it and a trailer pointing back at the original one.

// The revision to append to `pdf`; empty when the PDF is not laid out as Qt writes them (a
// classic cross-reference table, an unrevised catalog), so nothing is appended blindly.
QByteArray ActualSizeRevision(const QByteArray& pdf);

} // namespace platform
