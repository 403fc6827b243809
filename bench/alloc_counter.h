#pragma once

#include <cstddef>

namespace bench::heap {

// Bytes of live heap blocks (usable sizes) of the whole process, and the most since resetPeak().
std::size_t live();
std::size_t peak();
void resetPeak();
// The usable size of one heap block; 0 for nullptr.
std::size_t blockSize(const void* block);

} // namespace bench::heap
