#include "mission/LargeBlock.h"

#include <sys/mman.h>

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

}  // namespace quendar::mission
