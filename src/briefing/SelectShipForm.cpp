#include "briefing/SelectShipForm.h"

#include "mission/CraftList.h"

namespace quendar::briefing {

SelectShipForm::SelectShipForm(const mission::CraftList& craftList,
                               std::function<std::vector<std::string>()> iffNames, int presetType,
                               int presetIff, std::function<core::RgbaImage(int)> picture)
    : BriefingForm("Select ship"),
      m_craft(craftList),
      m_picture(std::move(picture)),
      m_type(presetType),
      m_iff(presetIff) {
    const mission::CraftLocation at = craftList.locate(presetType);
    if (at.category >= 0 && at.member >= 0) {
        m_category = at.category;
        m_member = at.member;
    }
    const std::string type = "Type";
    dropDown(
        "category", "", type,
        [this] {
            std::vector<std::string> names;
            for (const auto& c : m_craft.categories()) names.push_back(c.name);
            return names;
        },
        m_category,
        [this](int) {
            m_member = -1;
            chooseType(0);
        });
    listBox("type", "", type, [this] { return typeNames(); },
            {[this] { return m_member; }, [this](int v) { chooseType(v); }});
    if (m_picture) this->picture("picture", type, [this] { return m_picture(m_type); });
    label("flyable", "", type,
          [this] { return m_member >= 0 ? m_craft.flyability(m_type) : std::string(); });

    dropDown("backdrop", "Backdrop:", "", fixed({}), {[] { return -1; }, {}}).disabled();
    label("backdropNote", "To use backdrop select it from type", "");
    dropDown("iff", "IFF Code", "IFF", iffNames, m_iff);
    closeButton("ok", "Ok", true);
}

void SelectShipForm::opened(core::Prompter& prompter) const {
    if (!presetFound()) prompter.tell(kShipNotInDatabaseText, kUnknownShiptypeCaption);
}

std::vector<std::string> SelectShipForm::typeNames() const {
    std::vector<std::string> names;
    const auto& cats = m_craft.categories();
    if (m_category < 0 || m_category >= static_cast<int>(cats.size())) return names;
    for (const auto& m : cats[m_category].members) names.push_back(m.name);
    return names;
}

void SelectShipForm::chooseType(int member) {
    const auto& cats = m_craft.categories();
    if (m_category < 0 || m_category >= static_cast<int>(cats.size())) return;
    const auto& members = cats[m_category].members;
    if (member < 0 || member >= static_cast<int>(members.size())) return;
    m_member = member;
    m_type = members[member].craftType;
    refresh();
}

}  // namespace quendar::briefing
