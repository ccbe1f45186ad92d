#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/DisplaySettings.h"
#include "core/Prompter.h"
#include "mission/FileIO.h"

namespace quendar::app {

// qd.dat, the preferences file in the working folder:
//
//   offset 0   6 bytes  "QDDATd" (only the sixth byte is ever tested)
//   offset 6   1 byte   n = length of missionDirectory
//   offset 7   n bytes  missionDirectory, no terminator
//   offset 7+n 29 bytes the settings in DisplaySettings::fields() order, one
//                       low byte each, read back as unsigned bytes
inline constexpr std::string_view kPreferencesFileName = "qd.dat";
inline constexpr std::string_view kPreferencesMagic = "QDDATd";
inline constexpr int kMaxMissionDirectory = 254;

inline constexpr std::string_view kPreferencesWriteErrorText = "Cannot open file QD.DAT";
inline constexpr std::string_view kPreferencesWriteErrorCaption = "QD Init error";

enum class PreferencesStatus {
    Loaded,          // the file's values replaced the ones in memory
    FirstRunNeeded,  // no file, or its sixth byte is not "d": run the first-run sequence
};

struct PreferencesReadResult {
    PreferencesStatus status = PreferencesStatus::FirstRunNeeded;
    // Settings found in the file; fewer than 29 when the file is short.
    int settingsRead = 0;
    bool shortFile = false;
};

// Reads a whole qd.dat held in memory into `settings`. With FirstRunNeeded the
// settings are left untouched.
PreferencesReadResult readPreferences(std::span<const uint8_t> file,
                                      core::DisplaySettings& settings);
// Same from a path; a file that cannot be opened means FirstRunNeeded.
PreferencesReadResult readPreferencesFile(const std::string& path, core::DisplaySettings& settings);

// The file image of `settings`.
std::vector<uint8_t> encodePreferences(const core::DisplaySettings& settings);

// Rewrites the whole file crash-safely. On failure the prompter shows "Cannot
// open file QD.DAT" / "QD Init error" and false is returned; the values in
// memory stay as they are.
bool writePreferencesFile(const std::string& path, const core::DisplaySettings& settings,
                          core::Prompter& prompter);

}  // namespace quendar::app
