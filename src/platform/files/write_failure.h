#pragma once

#include <QString>

namespace platform {

// Why a file could not be written: the errno of the first failure, and whether its new content
// had been started (a file half written rather than one that could not be made at all). A file
// the user may not write is refused before anything is written; readOnlyFile then names it as
// the save was asked to.
struct WriteFailure {
    int error = 0;
    bool begun = false;
    QString readOnlyFile = {};
};

// The cause in words a user reads: Dutch for the usual ones, the system's own text otherwise.
QString WriteFailureCause(int error);

// "<subject> kon niet volledig worden geschreven: <cause>.", where the subject names the file
// ("Het bestand plan.pdf"); for a refused file, ReadOnlyText of it.
QString WriteFailureText(const QString& subject, const WriteFailure& failure);

// "Het bestand plan.ini is alleen-lezen; er is niets opgeslagen.", the file named without its
// folder.
QString ReadOnlyText(const QString& fileName);

} // namespace platform
