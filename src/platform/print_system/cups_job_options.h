#pragma once

#include "platform/print_system/cups_job_request.h"

#include <QByteArray>
#include <QList>

#include <utility>

namespace platform {

using CupsOptions = QList<std::pair<QByteArray, QByteArray>>;

// The options of the job's Create-Job request: what the set-up dialog chose, the copies, the
// paper, and the destination's own defaults (lpoptions, an instance's options) for whatever the
// job leaves open, as lp merges them. twoSidedOffered: the queue prints on both sides, so Qt's
// set-up dialog offered the choice and its "one-sided" is the user's.
CupsOptions JobOptions(const CupsJobRequest& request, const CupsOptions& destinationDefaults,
                       bool twoSidedOffered);

} // namespace platform
