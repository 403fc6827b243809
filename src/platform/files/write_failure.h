#pragma once

#include <QString>

namespace platform {

// Why a file could not be written: the errno of the first failure, and whether its new content
// had been started (a file half written rather than one that could not be made at all).
struct WriteFailure {
    int error = 0;
    bool begun = false;
};

// The cause in words a user reads: Dutch for the usual ones, the system's own text otherwise.
QString WriteFailureCause(int error);

// "<subject> kon niet volledig worden geschreven: <cause>.", where the subject names the file
// ("Het bestand plan.pdf").
QString WriteFailureText(const QString& subject, const WriteFailure& failure);

} // namespace platform
