// Feeds arbitrary bytes to the icon file reader. Whatever it loads must keep
// every slot within 128 x 128 pixels with exactly three bytes per pixel, and
// a file that loads must say how many directory entries it read.
#include <cstddef>
#include <cstdint>
#include <span>

#include "map/IconTable.h"

using quendar::map::CraftIcon;
using quendar::map::IconTable;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static IconTable* table = new IconTable;
    const auto result = table->load(std::span<const uint8_t>(data, size));
    if (!result.ok()) {
        for (int n = 0; n < IconTable::kSlots; ++n)
            if (!table->icon(n).empty()) __builtin_trap();
        return 0;
    }
    if (result.iconCount < 0 || result.iconCount > 255) __builtin_trap();
    for (int n = 0; n < IconTable::kSlots; ++n) {
        const CraftIcon& icon = table->icon(n);
        if (icon.width < 0 || icon.width > CraftIcon::kMaxSide || icon.height < 0 ||
            icon.height > CraftIcon::kMaxSide)
            __builtin_trap();
        if (icon.bytes.size() != static_cast<size_t>(icon.width) * icon.height * 3)
            __builtin_trap();
        // With that size every pixel of the slot can be read; the last one
        // (column-major, the bottom of the last column) is read to be sure.
        if (!icon.empty()) (void)icon.transparent(icon.width - 1, icon.height - 1);
    }
    return 0;
}
