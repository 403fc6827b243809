#pragma once

#include <QString>

namespace platform {

// The program's own folder for print jobs on their way to a queue: "vantorbel-<user id>" in the
// system's folder for temporary files, made with access for the user alone. Throws
// std::runtime_error with a Dutch message when there is no such folder to be had.
QString SpoolFolder();

} // namespace platform
