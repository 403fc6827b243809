#include "platform/toolkit/painted_wait.h"

#include "platform/toolkit/input_held_back.h"

#include <QEventLoop>
#include <QTimer>

namespace platform {
namespace {

constexpr int kLookEveryMs = 20;

} // namespace

bool WaitWithWindowsPainted(const std::function<bool()>& done)
{
    if (done())
        return true;
    const InputHeldBack heldBack;
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    look.start(kLookEveryMs);
    // Also ends when the program is told to quit: that ends every running event loop.
    loop.exec();
    return done();
}

} // namespace platform
