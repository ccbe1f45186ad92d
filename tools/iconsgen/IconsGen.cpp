// Draws the bundled craft icons: one invented top-down silhouette for every
// craft type of a craft list, written in the icon file's format.
//
//   quendar-iconsgen SHIPLIST.TXT iconslist.dat          writes the file
//   quendar-iconsgen SHIPLIST.TXT iconslist.dat --check  fails when the file differs
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "iconsgen/IconArt.h"
#include "map/IconTable.h"
#include "mission/CraftList.h"
#include "mission/FileIO.h"

using namespace quendar;

namespace {

// Types the list does not define keep the list's defaults and get no icon.
bool defined(const mission::CraftEntry& e) { return !(e.name == "Unused" && e.category == "None"); }

std::vector<uint8_t> buildIconFile(const mission::CraftList& list, int* drawn) {
    struct Drawn {
        int type;
        iconsgen::Silhouette art;
    };
    std::vector<Drawn> icons;
    for (int t = 0; t < mission::kCraftTypes; ++t)
        if (defined(list.entry(t)))
            icons.push_back({t, iconsgen::drawCraft(list.entry(t).category, t)});
    *drawn = static_cast<int>(icons.size());

    std::vector<uint8_t> file;
    const char* tag = "QUENDARICON";  // 11 bytes the loader skips
    file.insert(file.end(), tag, tag + 11);
    file.push_back(1);
    file.push_back(1);
    file.push_back(static_cast<uint8_t>(icons.size()));
    for (const auto& i : icons) {
        file.push_back(static_cast<uint8_t>(i.type));
        file.push_back(static_cast<uint8_t>(i.art.height()));
        file.push_back(static_cast<uint8_t>(i.art.width()));
    }
    for (const auto& i : icons) {
        const auto bytes = i.art.maskBytes();
        file.insert(file.end(), bytes.begin(), bytes.end());
    }
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SHIPLIST.TXT iconslist.dat [--check]\n", argv[0]);
        return 2;
    }
    const bool check = argc > 3 && std::strcmp(argv[3], "--check") == 0;
    mission::CraftList list;
    if (list.load(argv[1]) != mission::CraftListLoad::Loaded) {
        std::fprintf(stderr, "cannot read the craft list %s\n", argv[1]);
        return 1;
    }
    int drawn = 0;
    const std::vector<uint8_t> file = buildIconFile(list, &drawn);

    // The file must load as the editor loads it, with a picture for every type.
    map::IconTable table;
    if (!table.load(file).ok()) {
        std::fprintf(stderr, "the generated file does not load\n");
        return 1;
    }
    for (int t = 0; t < mission::kCraftTypes; ++t) {
        if (!defined(list.entry(t))) continue;
        const auto& icon = table.icon(t);
        bool any = false;
        for (int c = 0; c < icon.width && !any; ++c)
            for (int r = 0; r < icon.height && !any; ++r) any = !icon.transparent(c, r);
        if (!any) {
            std::fprintf(stderr, "craft type %d has an empty icon\n", t);
            return 1;
        }
    }

    if (check) {
        const auto existing = mission::readWholeFile(argv[2]);
        if (!existing || *existing != file) {
            std::fprintf(stderr, "%s is not what the generator draws; run it again\n", argv[2]);
            return 1;
        }
        std::printf("%s is up to date (%d icons)\n", argv[2], drawn);
        return 0;
    }
    mission::FileError error;
    if (!mission::writeFileAtomic(argv[2], file, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[2], error.reason.c_str());
        return 1;
    }
    std::printf("wrote %s: %d icons, %zu bytes\n", argv[2], drawn, file.size());
    return 0;
}
