#include "app/files/PreferencesFile.h"

#include <algorithm>

namespace quendar::app {

namespace {
constexpr size_t kTestedByte = 5;
constexpr size_t kLengthByte = 6;
constexpr size_t kDirectoryStart = 7;
}  // namespace

// A file with the right sixth byte is taken even when it is cut short or
// damaged. Nothing in it can overrun anything: the directory takes the
// characters that are there (up to the length byte, and only up to a zero
// byte, which no path contains), and a setting whose byte is missing keeps the
// value it had, so the defaults set at start-up survive instead of turning
// into end-of-file values no dialog or drawing rule knows.
PreferencesReadResult readPreferences(std::span<const uint8_t> file,
                                      core::DisplaySettings& settings) {
    PreferencesReadResult result;
    if (file.size() <= kTestedByte || file[kTestedByte] != static_cast<uint8_t>('d')) {
        return result;
    }
    result.status = PreferencesStatus::Loaded;
    if (file.size() <= kLengthByte) {
        result.shortFile = true;
        return result;
    }

    const size_t n = file[kLengthByte];
    const size_t available = std::min(n, file.size() - kDirectoryStart);
    const auto dirBegin = file.begin() + kDirectoryStart;
    const auto dirEnd = std::find(dirBegin, dirBegin + available, uint8_t{0});
    settings.missionDirectory.assign(dirBegin, dirEnd);

    auto fields = settings.fields();
    size_t pos = kDirectoryStart + n;
    for (int k = 0; k < core::DisplaySettings::kSettingCount && pos < file.size(); ++k, ++pos) {
        *fields[k] = file[pos];
        ++result.settingsRead;
    }
    result.shortFile = available < n || result.settingsRead < core::DisplaySettings::kSettingCount;
    return result;
}

PreferencesReadResult readPreferencesFile(const std::string& path,
                                          core::DisplaySettings& settings) {
    // Opened for reading only: a write-protected qd.dat is still read.
    const auto data = mission::readWholeFile(path);
    if (!data) return {};
    return readPreferences(*data, settings);
}

std::vector<uint8_t> encodePreferences(const core::DisplaySettings& settings) {
    // A longer directory would not fit the length byte's promise to the
    // reader; it is cut to the longest the dialog accepts.
    const std::string& dir = settings.missionDirectory;
    const size_t n = std::min(dir.size(), static_cast<size_t>(kMaxMissionDirectory));

    std::vector<uint8_t> out(kPreferencesMagic.begin(), kPreferencesMagic.end());
    out.push_back(static_cast<uint8_t>(n));
    out.insert(out.end(), dir.begin(), dir.begin() + static_cast<std::ptrdiff_t>(n));
    core::DisplaySettings values = settings;  // fields() hands out pointers
    for (const int* f : values.fields()) out.push_back(static_cast<uint8_t>(*f & 0xFF));
    return out;
}

bool writePreferencesFile(const std::string& path, const core::DisplaySettings& settings,
                          core::Prompter& prompter) {
    const std::vector<uint8_t> image = encodePreferences(settings);
    if (mission::writeFileAtomic(path, image)) return true;
    prompter.ask(kPreferencesWriteErrorText, kPreferencesWriteErrorCaption, core::Buttons::Ok,
                 core::Icon::None);
    return false;
}

}  // namespace quendar::app
