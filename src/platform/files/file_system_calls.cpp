#include "platform/files/file_system_calls.h"

#include <cerrno>
#include <sys/file.h>
#include <unistd.h>

namespace platform {
namespace {

int errorOf(int result)
{
    return result == 0 ? 0 : errno != 0 ? errno : EIO;
}

class SystemCalls final : public FileSystemCalls {
public:
    int lock(int descriptor, int operation) override
    {
        // A signal that arrives while a lock is waited for is no reason to go without it.
        int result = ::flock(descriptor, operation);
        while (result != 0 && errno == EINTR)
            result = ::flock(descriptor, operation);
        return errorOf(result);
    }
    int syncFolder(int descriptor) override { return errorOf(::fsync(descriptor)); }
};

} // namespace

template <> FileSystemCalls& Seam<FileSystemCalls>::desktop()
{
    static SystemCalls calls;
    return calls;
}

} // namespace platform
