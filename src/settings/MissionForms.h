#pragma once

#include "settings/SettingsForm.h"

namespace quendar::settings {

// "Mission Properties": the names of IFF 2..5 and the starting hangar.
class MissionPropertiesForm : public SettingsForm {
  public:
    explicit MissionPropertiesForm(const shipgroup::ShipgroupContext& ctx);
};

// "Teams Properties": the name and the six end-of-mission lines of the
// store's current team.
class TeamsPropertiesForm : public SettingsForm {
  public:
    explicit TeamsPropertiesForm(const shipgroup::ShipgroupContext& ctx);
};

// "Systems in the missions": the names of the four regions. A region name is
// written with a terminating zero over the start of its field; the bytes
// behind the terminator keep their values.
class SystemsForm : public SettingsForm {
  public:
    explicit SystemsForm(const shipgroup::ShipgroupContext& ctx);
};

// "Global groups": the name of one of the 32 global groups at a time.
class GlobalGroupsForm : public SettingsForm {
  public:
    explicit GlobalGroupsForm(const shipgroup::ShipgroupContext& ctx);
    int group() const { return m_group; }

  private:
    int m_group = 0;
};

// The 19 entries of the starting hangar list.
const std::vector<std::string>& startingHangarLabels();

}  // namespace quendar::settings
