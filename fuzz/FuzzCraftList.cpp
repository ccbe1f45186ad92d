// Feeds arbitrary bytes to the craft list reader as a SHIPLIST.TXT and checks
// that the list keeps its shape: 255 entries whose texts fit their slots, and
// categories that hold every craft type exactly once.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mission/CraftList.h"

using namespace quendar::mission;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CraftList list;
    list.parse(std::string_view(reinterpret_cast<const char*>(data), size));

    for (int t = 0; t < kCraftTypes; ++t) {
        const CraftEntry& e = list.entry(t);
        if (e.name.size() > kCraftNameLength || e.category.size() > kCraftNameLength ||
            e.flyability.size() > kCraftShortTextLength ||
            e.field4.size() > kCraftShortTextLength || e.field5.size() > kCraftShortTextLength) {
            __builtin_trap();
        }
    }

    int seen[kCraftTypes] = {};
    size_t members = 0;
    if (list.categories().empty() || list.categories().size() > kCraftTypes) __builtin_trap();
    for (const CraftCategory& c : list.categories()) {
        if (c.members.empty()) __builtin_trap();
        for (const CraftMember& m : c.members) {
            if (m.craftType < 0 || m.craftType >= kCraftTypes) __builtin_trap();
            if (list.entry(m.craftType).category != c.name) __builtin_trap();
            ++seen[m.craftType];
            ++members;
        }
    }
    if (members != kCraftTypes) __builtin_trap();
    for (int n : seen) {
        if (n != 1) __builtin_trap();
    }
    return 0;
}
