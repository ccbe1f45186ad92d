// Reads arbitrary bytes as a mission, writes it, and checks that the written
// image is a fixed point of read-then-write.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "mission/MissionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quendar::mission;
    static MissionStore first;  // the store is large; keep it between runs
    static MissionStore second;
    first = MissionStore();
    readMission(std::span<const uint8_t>(data, size), first);
    const auto image = writeMission(first);
    second = MissionStore();
    const ReadReport report = readMission(image, second);
    if (report.shortFile()) std::abort();
    if (writeMission(second) != image) std::abort();
    return 0;
}
