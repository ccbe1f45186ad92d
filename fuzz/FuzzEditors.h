#pragma once

// The editors a fuzz target reuses for every input. Each is made on first use
// with no craft list, so that nothing outside the input is read.
#include "app/editor/Editor.h"

namespace quendar::fuzz {

inline app::Editor& editor(int k) {
    static app::Editor* editors[3] = {};
    if (!editors[k]) {
        editors[k] = new app::Editor;
        editors[k]->craftListPath.clear();
    }
    return *editors[k];
}

}  // namespace quendar::fuzz
