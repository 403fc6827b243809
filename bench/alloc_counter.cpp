// Counts the heap of the whole process, Qt's allocations included: the C allocation functions
// are replaced here and hand on to glibc's own. Only the memory measurements link this.

#include "alloc_counter.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <malloc.h>
#include <unistd.h>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<std::size_t> g_live{0};
std::atomic<std::size_t> g_peak{0};

void added(void* block)
{
    if (!block)
        return;
    const std::size_t now = g_live.fetch_add(malloc_usable_size(block)) + malloc_usable_size(block);
    std::size_t seen = g_peak.load(std::memory_order_relaxed);
    while (now > seen && !g_peak.compare_exchange_weak(seen, now)) {
    }
}

void removed(void* block)
{
    if (block)
        g_live.fetch_sub(malloc_usable_size(block));
}

} // namespace

extern "C" {

void* malloc(std::size_t size)
{
    void* block = __libc_malloc(size);
    added(block);
    return block;
}

void* calloc(std::size_t count, std::size_t size)
{
    void* block = __libc_calloc(count, size);
    added(block);
    return block;
}

void* realloc(void* block, std::size_t size)
{
    const std::size_t before = block ? malloc_usable_size(block) : 0;
    void* moved = __libc_realloc(block, size);
    if (moved || size == 0) {
        g_live.fetch_sub(before);
        added(moved);
    }
    return moved;
}

void free(void* block)
{
    removed(block);
    __libc_free(block);
}

void* memalign(std::size_t alignment, std::size_t size)
{
    void* block = __libc_memalign(alignment, size);
    added(block);
    return block;
}

void* aligned_alloc(std::size_t alignment, std::size_t size)
{
    return memalign(alignment, size);
}

int posix_memalign(void** result, std::size_t alignment, std::size_t size)
{
    void* block = memalign(alignment, size);
    if (!block)
        return ENOMEM;
    *result = block;
    return 0;
}

void* valloc(std::size_t size)
{
    return memalign(static_cast<std::size_t>(sysconf(_SC_PAGESIZE)), size);
}

} // extern "C"

namespace bench::heap {

std::size_t live()
{
    return g_live.load();
}

std::size_t peak()
{
    return g_peak.load();
}

void resetPeak()
{
    g_peak.store(g_live.load());
}

std::size_t blockSize(const void* block)
{
    return block ? malloc_usable_size(const_cast<void*>(block)) : 0;
}

} // namespace bench::heap
