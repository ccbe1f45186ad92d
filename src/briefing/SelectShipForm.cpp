#include "briefing/SelectShipForm.h"

#include "mission/CraftList.h"

namespace quendar::briefing {

using core::Control;
using core::ControlKind;

SelectShipForm::SelectShipForm(const mission::CraftList& craftList,
                               std::function<std::vector<std::string>()> iffNames,
                               int presetType, int presetIff,
                               std::function<core::RgbaImage(int)> picture)
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
    Control cat;
    cat.id = "category";
    cat.kind = ControlKind::DropDown;
    cat.group = type;
    cat.items = [this] {
        std::vector<std::string> names;
        for (const auto& c : m_craft.categories()) names.push_back(c.name);
        return names;
    };
    cat.value = [this] { return m_category; };
    cat.setValue = [this](int v) {
        if (v < 0 || v >= static_cast<int>(m_craft.categories().size())) return;
        m_category = v;
        m_member = -1;
        chooseType(0);
    };
    add(std::move(cat));

    Control types;
    types.id = "type";
    types.kind = ControlKind::ListBox;
    types.group = type;
    types.items = [this] { return typeNames(); };
    types.value = [this] { return m_member; };
    types.setValue = [this](int v) { chooseType(v); };
    add(std::move(types));

    if (m_picture) {
        Control pic;
        pic.id = "picture";
        pic.kind = ControlKind::Picture;
        pic.group = type;
        pic.image = [this] { return m_picture(m_type); };
        add(std::move(pic));
    }
    Control fly;
    fly.id = "flyable";
    fly.kind = ControlKind::StaticText;
    fly.group = type;
    fly.text = [this] { return m_member >= 0 ? m_craft.flyability(m_type) : std::string(); };
    add(std::move(fly));

    Control backdrop;
    backdrop.id = "backdrop";
    backdrop.kind = ControlKind::DropDown;
    backdrop.label = "Backdrop:";
    backdrop.items = [] { return std::vector<std::string>{}; };
    backdrop.value = [] { return -1; };
    backdrop.enabled = [] { return false; };
    add(std::move(backdrop));
    label("backdropNote", "To use backdrop select it from type");

    Control iff;
    iff.id = "iff";
    iff.kind = ControlKind::DropDown;
    iff.label = "IFF Code";
    iff.group = "IFF";
    iff.items = iffNames;
    iff.value = [this, iffNames] {
        return m_iff >= 0 && m_iff < static_cast<int>(iffNames().size()) ? m_iff : -1;
    };
    iff.setValue = [this, iffNames](int v) {
        if (v >= 0 && v < static_cast<int>(iffNames().size())) m_iff = v;
    };
    add(std::move(iff));
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
