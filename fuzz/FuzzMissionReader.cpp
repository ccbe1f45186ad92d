// Opens arbitrary bytes as a mission the way the editor does (sections and
// briefing 1), saves it, and checks that the saved image is a fixed point:
// opening and saving it again gives the same bytes, with no warning.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "app/MissionIO.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quendar;
    static app::Editor* editor = [] {
        auto* e = new app::Editor;
        e->craftListPath.clear();  // no craft list: nothing outside the input is read
        return e;
    }();
    app::loadMissionBytes(*editor, std::span<const uint8_t>(data, size));
    const auto image = app::buildMissionImage(*editor);
    const app::LoadOutcome again = app::loadMissionBytes(*editor, image);
    if (again.report.shortFile()) std::abort();
    if (app::buildMissionImage(*editor) != image) std::abort();
    return 0;
}
