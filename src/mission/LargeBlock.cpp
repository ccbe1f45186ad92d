#include "mission/LargeBlock.h"

#include <malloc.h>
#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace quendar::mission {

namespace {
constexpr size_t kLargePage = size_t{2} << 20;
constexpr size_t kLargeFrom = size_t{1} << 20;
}  // namespace

void FreeBlock::operator()(uint8_t* p) const { std::free(p); }

LargeBlock allocateBlock(size_t size, size_t* usable) {
    const bool large = size >= kLargeFrom;
    const size_t n = large ? (size + kLargePage - 1) / kLargePage * kLargePage : size;
    void* p = large ? std::aligned_alloc(kLargePage, n) : std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    if (large) ::madvise(p, n, MADV_HUGEPAGE);  // a hint; without it small pages serve
#endif
    if (usable) *usable = n;
    return LargeBlock(static_cast<uint8_t*>(p));
}

bool reserveHeap(size_t size) {
#if defined(__GLIBC__) && defined(M_MMAP_THRESHOLD) && defined(MADV_POPULATE_WRITE)
    // The largest threshold the C library takes; the heap is trimmed only
    // when it holds twice the reserve unused.
    if (!mallopt(M_MMAP_THRESHOLD, 32 << 20) ||
        !mallopt(M_TRIM_THRESHOLD, static_cast<int>(std::min<size_t>(size, 512 << 20) * 2)))
        return false;
    void* p = std::malloc(size);
    if (!p) return false;
    // The large pages that lie wholly inside the block.
    const auto at = reinterpret_cast<uintptr_t>(p);
    const uintptr_t from = (at + kLargePage - 1) / kLargePage * kLargePage;
    const uintptr_t to = (at + size) / kLargePage * kLargePage;
    bool filled = false;
    if (to > from) {
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);  // a hint
        filled = ::madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE) == 0;
    }
    std::free(p);
    return filled;
#else
    (void)size;
    return false;
#endif
}

}  // namespace quendar::mission
