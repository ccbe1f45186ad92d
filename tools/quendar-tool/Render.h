#pragma once

#include <optional>
#include <string>

#include "app/editor/Editor.h"

namespace quendar::tool {

struct RenderOptions {
    std::string out;
    bool briefing = false;
    int time = 0;
    int region = 1;  // 1..4 as the toolbar names them
    int zoom = 100;
    std::string size = "1920x1080";
    std::string icons;  // empty: the editor's choice (here, else the bundled one)
    // --animate: the briefing from `from` to `to` (default its end time) as
    // an animated WebP or GIF, chosen by OUT's extension.
    bool animate = false;
    int fps = 14;
    int from = 0;
    std::optional<int> to;
};

// Draws the map of the open mission (or its briefing at a time, in the
// briefing's locked view) as the editor's window would, into a PNG.
// Returns the process exit code; reasons go to standard error.
int renderMission(app::Editor& editor, const RenderOptions& options);
// The checks of an animation that need no mission (frame rate, OUT's
// extension): exit code 2 and the reason on standard error, else 0.
int checkAnimationOptions(const RenderOptions& options);

// Whether this build can draw pictures (it needs the toolkit's image code).
bool renderAvailable();

}  // namespace quendar::tool
