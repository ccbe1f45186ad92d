#pragma once

#include <string_view>

namespace quendar::app {

// The hints the briefing tools show first while hints are on (caption
// "Briefing hints", Yes/No).
namespace hint {
inline constexpr std::string_view kCaption = "Briefing hints";
inline constexpr std::string_view kShowShip =
    "Add new ship to the briefing map or change properties of existing ship on the map.\n\nHow "
    "to use this tool:\n\nIf you want to add new ship to the map just press the right mouse "
    "button. In this case the ship is always placed at position 0,0. You can later move this "
    "ship to another position by another tool. If you want to change properties of an existing "
    "ship just click on a ship on the briefing map by left mouse button.\n\nIf you find it hard "
    "to select a ship on the map try to magnify first.\n\nDo you want to use this tool?";
inline constexpr std::string_view kAddSelection =
    "Select a ship on the briefing map.\n\nHow to use this tool:\n\nAfter selecting this tool "
    "first you have to select a slot. To do this click on a number which can be found on one "
    "of the upper toolbars. After this just select a ship on the map.\n\nIf you find it hard "
    "to select a ship try to magnify the map first.\n\nDo you want to use this tool?";
inline constexpr std::string_view kAddTexts =
    "Add new text to the briefing map.\n\nHow to use this tool:\n\nAfter selecting this tool "
    "first you have to select a slot. To do this click on a number which can be found on one "
    "of the upper toolbars. After this just click somewhere on the map to specify the location "
    "of the text. A new window will appear where you can choose from the available briefing "
    "tags. If you haven't specified the briefing-tags yet do it before using this tool by "
    "selecting Briefing\\Briefing Tags from the menu.\n\nDo you want to use this tool?";
inline constexpr std::string_view kLockBriefing =
    "Lock/unlock briefing.\n\nIf you lock the briefing you can't move it or zoom however you can "
    "see what the current position/zoom of the briefing is. If you unlock the briefing you can "
    "change its position and zoom but you can't see the real position at the current "
    "briefing-time.\n\nDo you want to lock/unlock the briefing?";
inline constexpr std::string_view kMoveBriefing =
    "Move the briefing position.\n\nHow to use this tool:\n\nLook at the current "
    "time-position. If you use this function the briefing will move to the current position "
    "at this time. So unlock the briefing by clicking on the lock/unlock button. Then move the "
    "briefing to the desired position then use this tool. Don't forget to lock again the "
    "briefing position after using this tool.\n\nDo you want to use this tool?";
inline constexpr std::string_view kZoom =
    "Zoom the briefing.\n\nHow to use this tool:\n\nLook at the current time-position. If you "
    "use this function the briefing will zoom to the current zoom at this time. So unlock the "
    "briefing by clicking on the lock/unlock button. Then zoom the briefing. After this you "
    "can use this tool. Don't forget to lock again the briefing after using this tool.\n\nDo "
    "you want to use this tool?";
inline constexpr std::string_view kHideShip =
    "Delete ship on the briefing.\n\nHow to use this tool:\n\nJust click on a ship.\n\nIf you "
    "find it difficult to select a ship try to magnify the map.\n\nDo you want to use this "
    "tool?";
inline constexpr std::string_view kHideSelections =
    "Delete all selections on the briefing.\n\nHow to use this tool:\n\nYou don't have to do "
    "anything.\n\nDo you want to use this tool?";
inline constexpr std::string_view kDeleteTexts =
    "Delete all texts on the briefing.\n\nHow to use this tool:\n\nYou don't have to do "
    "anything.\n\nDo you want to use this tool?";
inline constexpr std::string_view kChangeRegion =
    "Change region.\n\nHow to use this tool:\n\n Before selecting this tool you have to specify "
    "the region by clicking on one of the region buttons (I II III IV) on the upper toolbar. "
    "However you should unlock the briefing first.\n\nDo you want to use this tool?";
inline constexpr std::string_view kTechData =
    "Show/hide technical data about a ship.\n\nHow to use this tool:\n\nYou have to select a "
    "ship on the map. If you only want to stop showing technical data you don't have to do "
    "anything.\n\nDo you want to use this tool?";
}  // namespace hint

}  // namespace quendar::app
