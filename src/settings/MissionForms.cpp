#include "settings/MissionForms.h"

#include <algorithm>
#include <vector>

#include "shipgroup/MissionNames.h"

namespace quendar::settings {

using mission::Table;

namespace {
namespace names = shipgroup::names;
constexpr int kNameLimit = 19;
constexpr int kTeamLineOffsets[6] = {36, 100, 164, 228, 292, 356};
constexpr int kTeamLineWidth = 64;
constexpr int kRegionNameLimit = 131;
constexpr int kGlobalGroups = 32, kGlobalGroupWidth = 87, kGlobalGroupLimit = 85;
}  // namespace

const std::vector<std::string>& startingHangarLabels() {
    static const std::vector<std::string> t = [] {
        std::vector<std::string> o{
            "0", "1", "2", "3", "No hangar", "Inside Battle Station", "Heavy Cruiser", "Home Base"};
        for (int i = 8; i <= 18; ++i) o.push_back(std::to_string(i));
        return o;
    }();
    return t;
}

MissionPropertiesForm::MissionPropertiesForm(const shipgroup::ShipgroupContext& ctx)
    : SettingsForm(ctx, "Mission Properties") {
    const char* fixedNames[2][2] = {{"IFF 0 - Green", "Rebel"}, {"IFF 1 - Red", "Imperial"}};
    for (int k = 0; k < 2; ++k) {
        const std::string name = fixedNames[k][1];
        textEdit("iff" + std::to_string(k), "", fixedNames[k][0], {[name] { return name; }, {}})
            .disabled();
    }
    const char* groups[4] = {"IFF 2 - Blue", "IFF 3 - Yellow", "IFF 4 - Red", "IFF 5 - Purple"};
    for (int k = 0; k < 4; ++k) {
        textEdit("iff" + std::to_string(k + 2), "", groups[k],
                 textAt(
                     [k] {
                         return ByteRef{Table::Header, 0, names::iffOffset + k * names::iffWidth};
                     },
                     names::iffWidth, kNameLimit));
    }
    byteList("hangar", "", "Starting hangar", fixed(startingHangarLabels()), byteAt([] {
                 return ByteRef{Table::MissionOptions, 0, 0};
             }));
    closeButton("ok", "OK", true);
}

TeamsPropertiesForm::TeamsPropertiesForm(const shipgroup::ShipgroupContext& ctx)
    : SettingsForm(ctx, "Teams Properties") {
    auto team = [this] { return std::clamp(store().currentTeam, 0, mission::kTeams - 1); };
    textEdit("name", "", "Team name",
             textAt(
                 [team] {
                     return ByteRef{Table::Teams, team(), names::teamOffset};
                 },
                 names::teamWidth, kNameLimit));
    const char* groups[3] = {"Mission Victory Message", "Mission Failure Message",
                             "Outstanding Victory Message"};
    for (int i = 0; i < 6; ++i) {
        const int offset = kTeamLineOffsets[i];
        textEdit("line" + std::to_string(i + 1), "", groups[i / 2],
                 textAt(
                     [team, offset] {
                         return ByteRef{Table::Teams, team(), offset};
                     },
                     kTeamLineWidth, kTeamLineWidth));
    }
    closeButton("ok", "OK", true);
}

SystemsForm::SystemsForm(const shipgroup::ShipgroupContext& ctx)
    : SettingsForm(ctx, "Systems in the missions") {
    for (int r = 0; r < 4; ++r) {
        textEdit("system" + std::to_string(r + 1), "", "System " + std::to_string(r + 1),
                 {[this, r] { return store().text(Table::RegionNames, r, 0, names::regionWidth); },
                  [this, r](const std::string& t) {
                      // The text and one zero over the start of the field; the rest stays.
                      const size_t n = std::min<size_t>(t.size(), kRegionNameLimit);
                      std::vector<uint8_t> bytes(t.begin(), t.begin() + static_cast<long>(n));
                      bytes.push_back(0);
                      store().setBytes(Table::RegionNames, r, 0, bytes);
                  },
                  kRegionNameLimit});
    }
    closeButton("ok", "OK", true);
}

GlobalGroupsForm::GlobalGroupsForm(const shipgroup::ShipgroupContext& ctx)
    : SettingsForm(ctx, "Global groups") {
    // The edit sits in a group box captioned with the group it shows.
    textEdit("name", "", "Global group",
             textAt(
                 [this] {
                     return ByteRef{Table::GlobalGroupNames, m_group, 0};
                 },
                 kGlobalGroupWidth, kGlobalGroupLimit))
        .groupCaption = [this] { return "Global group " + std::to_string(m_group + 1); };
    button("previous", "<<", "", [this] {
        if (m_group > 0) --m_group;
        refreshed.notify();
    });
    button("next", ">>", "", [this] {
        if (m_group < kGlobalGroups - 1) ++m_group;
        refreshed.notify();
    });
    closeButton("ok", "OK", true);
}

}  // namespace quendar::settings
