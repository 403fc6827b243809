#include "platform/files/checked_file_device.h"

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace platform {

CheckedFileDevice::CheckedFileDevice(int descriptor)
    : m_descriptor(descriptor)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

CheckedFileDevice::~CheckedFileDevice()
{
    drop();
}

void CheckedFileDevice::fail(int error)
{
    // A call that failed without saying why is still a failure.
    if (m_failure == 0)
        m_failure = error != 0 ? error : EIO;
}

qint64 CheckedFileDevice::writeData(const char* data, qint64 size)
{
    // After a failure the file has a gap: nothing written later could make it whole again.
    if (m_descriptor < 0 || m_failure != 0) {
        fail(EBADF);
        return -1;
    }
    qint64 written = 0;
    while (written < size) {
        const ssize_t taken = ::write(m_descriptor, data + written, size_t(size - written));
        if (taken > 0) {
            written += taken;
        } else if (taken < 0 && errno == EINTR) {
            continue;
        } else {
            // A full disk may first take part of a write and refuse only the rest.
            fail(taken < 0 ? errno : ENOSPC);
            return -1;
        }
    }
    return written;
}

bool CheckedFileDevice::finish()
{
    if (m_descriptor < 0)
        return m_failure == 0;
    if (::fsync(m_descriptor) != 0)
        fail(errno);
    // Network file systems report a failed write only when the file is closed.
    if (::close(std::exchange(m_descriptor, -1)) != 0)
        fail(errno);
    return m_failure == 0;
}

void CheckedFileDevice::drop()
{
    if (m_descriptor >= 0)
        ::close(std::exchange(m_descriptor, -1));
}

} // namespace platform
