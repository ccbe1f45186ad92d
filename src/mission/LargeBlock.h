#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace quendar::mission {

// Memory for a block that is filled soon after it is taken (the mission's
// tables, the bytes of a file being read). A block of a megabyte or more is
// aligned to a large page and the system is asked to back it with large
// pages where it can: filling it then costs one fault per 2 MB instead of one
// per 4 KB, and those faults are most of what filling it costs. The contents
// are not cleared.
struct FreeBlock {
    void operator()(uint8_t* p) const;
};
using LargeBlock = std::unique_ptr<uint8_t[], FreeBlock>;

// A block of at least `size` bytes (its usable size comes back in *usable);
// throws std::bad_alloc when there is no memory.
LargeBlock allocateBlock(size_t size, size_t* usable = nullptr);

// For a program about to fill many megabytes at start (window pictures, the
// mission's tables): grows the heap by `size` bytes at once, backed by large
// pages where the system allows, has the system fill in the pages now (in one
// call rather than one fault per 4 KB page), and keeps them. From then on
// blocks below 32 MB come from the heap, so that the window's pictures use
// those pages. False, with nothing done but the heap settings, where the
// system cannot fill pages ahead.
bool reserveHeap(size_t size);

}  // namespace quendar::mission
