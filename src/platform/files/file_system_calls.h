#pragma once

#include "platform/toolkit/seam.h"

namespace platform {

// The calls of a save whose outcome depends on the file system it meets rather than on the save
// itself; tests stand in for them to meet file systems they cannot make. Each returns 0, or the
// errno of its failure.
class FileSystemCalls {
public:
    virtual ~FileSystemCalls() = default;
    // flock(2) on an open file.
    virtual int lock(int descriptor, int operation) = 0;
    // fsync(2) on an open folder.
    virtual int syncFolder(int descriptor) = 0;
};

template <> FileSystemCalls& Seam<FileSystemCalls>::desktop();

} // namespace platform
