#pragma once

#include <functional>

namespace platform {

// Waits until done() holds, with every window painted and closable but taking no commands: a
// click or key in between would start another command inside this one. Closing the last window
// ends the program, and with it the wait: returns false when the program is ending before done()
// holds.
bool WaitWithWindowsPainted(const std::function<bool()>& done);

} // namespace platform
