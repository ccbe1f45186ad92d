#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>

#include "mission/LargeBlock.h"

namespace quendar::mission {
namespace {

long minorFaults() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_minflt;
}

// After the reserve, filling a block of most of its size faults (nearly) no
// page in. Runs in a child process: the heap settings hold for the whole
// process. Exit 3: this system cannot fill pages ahead.
TEST(ReserveHeapTest, BlocksFromTheReserveFaultNoPageIn) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator does not use the C library's heap";
#endif
    EXPECT_EXIT(
        {
            if (!reserveHeap(std::size_t{16} << 20)) std::_Exit(3);
            const std::size_t n = std::size_t{10} << 20;
            auto* p = static_cast<unsigned char*>(std::malloc(n));
            const long before = minorFaults();
            std::memset(p, 0x5A, n);
            asm volatile("" : : "r"(p) : "memory");  // the stores happen
            const long faults = minorFaults() - before;
            const bool kept = p[0] == 0x5A && p[n - 1] == 0x5A;
            std::free(p);
            // 2,560 pages of 4 KB; a few may lie outside the large pages filled.
            std::_Exit(kept && faults < 600 ? 0 : 1);
        },
        [](int status) {
            return WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 3);
        },
        "");
}

}  // namespace
}  // namespace quendar::mission
