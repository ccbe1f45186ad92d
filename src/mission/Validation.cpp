#include "mission/Validation.h"

#include <algorithm>
#include <cctype>

#include "mission/ChangeJournal.h"
#include "mission/ShipgroupRecord.h"

namespace quendar::mission {

namespace {

constexpr std::string_view kFileNameCaption = "Warning - filename incorrect";
constexpr std::string_view kNoPlayerCaption = "Fatal error - no player craft";
constexpr std::string_view kNoPlayerText =
    "There is no player craft in this mission. Without a player craft you can't play the "
    "mission or encounter serious errors, crases.\n\nWhat should I do?\n\n\t- Select a "
    "shipgroup which you want to be your craft during the mission.\n\t- Open the Basics "
    "properties\n\t- Set the PILOT option to ''Player in craft 1''";
constexpr std::string_view kCraftCountCaption = "Error - number of crafts is 0 - corrected";
constexpr std::string_view kPlayerCraftCaption =
    "Error - player craft number is invalid - corrected";
constexpr std::string_view kManyPlayersCaption = "Warning - more than one player craft";
constexpr std::string_view kManyPlayersText =
    "There is more than one player craft. If you are a professional mission builder just skip "
    "this warning. You may encounter problems in the mission.";
constexpr std::string_view kTeamCaption = "Error - player craft is not in TEAM ONE";
constexpr std::string_view kTeamText =
    "Your player craft isn't in TEAM 1. Only player crafts in TEAM 1 can use hyperbouys to "
    "hyper into an other region.\n\nWhat should I do?\n\n\t- Select your player craft "
    "shipgroup\n\t- Open the Basics properties\n\t- Modify TEAM to the first in the "
    "list\n\nHowever this is not a fatal error. In some cases you may proceed with this "
    "setting.";

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSide(char c) { return c == 'w' || c == 'b' || c == 'g'; }

std::string fileNameText(std::string_view name) {
    std::string t = "Your mission filename is not in the right format.\n\n Your filename is: ";
    t += name;
    t += "\n\n The following filename formats are correct, try to use these:\n\n"
         "\t 1 B x M y F W . T I E\n\t 1 B x M y F B . T I E\n\t 1 B x M y F G . T I E\n"
         "\t 1 B x M y W . T I E\n\t 1 B x M y B . T I E\n\t 1 B x M y G . T I E\n\n"
         "\t   x means BATTLE number, y means MISSION number\n\n If you are using different "
         "file names you may encounter crases or your briefing is not functioning. It is "
         "seriously recommended to use correct mission file names.";
    return t;
}

}  // namespace

std::string_view fileNamePart(std::string_view path) {
    const size_t cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

bool missionFileNameCorrect(std::string_view name) {
    auto at = [name](size_t i) { return i < name.size() ? lower(name[i]) : '\0'; };
    auto endsHere = [&](size_t i) { return i >= name.size() || at(i) == '.'; };
    if (at(0) != '1' || at(1) != 'b' || !isDigit(at(2)) || at(3) != 'm' || !isDigit(at(4)))
        return false;
    if (isSide(at(5))) return endsHere(6);
    return at(5) == 'f' && isSide(at(6)) && endsHere(7);
}

std::vector<Finding> runChecks(MissionStore& store, bool checkFileNames, std::string_view path,
                               bool correct) {
    std::vector<Finding> out;
    const std::string_view name = fileNamePart(path);
    if (checkFileNames && !missionFileNameCorrect(name))
        out.push_back({std::string(kFileNameCaption), fileNameText(name), core::Icon::None});

    const Finding noPlayer{std::string(kNoPlayerCaption), std::string(kNoPlayerText),
                           core::Icon::Exclamation};
    const int count = std::clamp(store.shipgroupCount, 0, kMaxShipgroups);
    if (count == 0) {
        out.push_back(noPlayer);
        return out;
    }
    // The corrections of one pass are one action: Undo takes them back together.
    core::ActionScope action(correct ? store.journal() : nullptr, "Error correction");
    int players = 0;
    int firstPlayer = -1;
    for (int i = 0; i < count; ++i) {
        auto get = [&store, i](int offset) { return store.byte(Table::Shipgroups, i, offset); };
        auto set = [&store, i](int offset, int v) {
            store.setByte(Table::Shipgroups, i, offset, static_cast<uint8_t>(v));
        };
        const std::string groupName = store.text(Table::Shipgroups, i, sg::name, sg::nameWidth);
        int craft = get(sg::craftCount);
        if (craft == 0) {
            out.push_back({std::string(kCraftCountCaption),
                           "You set the number of crafts in shipgroup " + groupName +
                               " to 0.\n\n Error corrected. Automaticly set to 1.",
                           core::Icon::Exclamation});
            craft = 1;
            if (correct) set(sg::craftCount, 1);
        }
        const int player = get(sg::playerCraft);
        if (player != 0) {
            if (players == 0) firstPlayer = i;
            ++players;
        }
        if (player > craft) {
            const std::string n = std::to_string(craft);
            out.push_back(
                {std::string(kPlayerCraftCaption),
                 "In shipgroup " + groupName +
                     " the player craft is invalid because the player is in craft " +
                     std::to_string(player) + " but there is only " + n +
                     " craft(s) in this shipgroup.\n\n Problem is corrected by setting player "
                     "craft number to " +
                     n +
                     ".\n\n However if it is a MULTIPLAYER mission this correction can be "
                     "invalid or unusable. If this correction causes problems in a "
                     "multiplayer mission, please report them through the project's issue "
                     "tracker.",
                 core::Icon::Exclamation});
            if (correct) set(sg::playerCraft, craft);
        }
    }
    if (players == 0) out.push_back(noPlayer);
    if (players > 1)
        out.push_back({std::string(kManyPlayersCaption), std::string(kManyPlayersText),
                       core::Icon::Exclamation});
    if (players > 0 && store.byte(Table::Shipgroups, firstPlayer, sg::team) != 0)
        out.push_back({std::string(kTeamCaption), std::string(kTeamText), core::Icon::Exclamation});
    return out;
}

}  // namespace quendar::mission
