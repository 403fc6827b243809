#pragma once

#include <functional>

// The command the window runs in the main window once Overnemen wrote the texts: calculating
// the document's table, with the main window's box and focus for a field it cannot read.
struct DivideCommands {
    std::function<void()> calculate = {};
};
