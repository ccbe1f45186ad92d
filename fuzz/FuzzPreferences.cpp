// Feeds arbitrary bytes to the qd.dat reader. Whatever it takes must write
// back and read again to the same values, every setting must stay a byte, and
// the directory must fit the length byte.
#include <cstddef>
#include <cstdint>
#include <span>

#include "app/files/PreferencesFile.h"

using namespace quendar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    core::DisplaySettings settings;
    const app::PreferencesReadResult r = app::readPreferences(std::span(data, size), settings);
    if (r.settingsRead < 0 || r.settingsRead > core::DisplaySettings::kSettingCount) {
        __builtin_trap();
    }
    if (settings.missionDirectory.size() > 255) __builtin_trap();
    for (int* f : settings.fields()) {
        if (*f < 0 || *f > 255) __builtin_trap();
    }

    const auto image = app::encodePreferences(settings);
    core::DisplaySettings again;
    const auto r2 = app::readPreferences(image, again);
    if (r2.status != app::PreferencesStatus::Loaded || r2.shortFile) __builtin_trap();
    if (again.missionDirectory != settings.missionDirectory.substr(0, app::kMaxMissionDirectory)) {
        __builtin_trap();
    }
    auto a = settings.fields();
    auto b = again.fields();
    for (int k = 0; k < core::DisplaySettings::kSettingCount; ++k) {
        if (*a[k] != *b[k]) __builtin_trap();
    }
    return 0;
}
