#include "shipgroup/BasicForm.h"

#include "shipgroup/CodeTables.h"
#include "shipgroup/CraftCatalogue.h"
#include "shipgroup/CraftPicture.h"
#include "shipgroup/MissionNames.h"

namespace quendar::shipgroup {

namespace sg = mission::sg;

namespace {
const std::string kIdentityBox = "Specification", kType = "Type", kInitial = "Initial Condition";
}  // namespace

BasicForm::BasicForm(const ShipgroupContext& ctx)
    : ShipgroupForm(ctx, FormKind::Basic, "Shipgroup - Basic properties") {
    // The name edit tells the lists at once, so the selector and the list
    // forms follow the name as it is typed. When the user leaves the edit,
    // "renamed" and "current changed" go out, so that every open form
    // (Arrival, Departure, the Orders target lists) reloads with the new name.
    textEdit(
        "name", "Name", kIdentityBox,
        textAt(sg::name, sg::nameWidth, 19, [this] { m_ctx.broadcast(ShipgroupEvent::Renamed); }))
        .editingFinished = [this] {
        m_ctx.broadcast(ShipgroupEvent::Renamed);
        m_ctx.broadcast(ShipgroupEvent::CurrentChanged);
    };
    textEdit("cargo", "Default Cargo", kIdentityBox, textAt(sg::cargo, sg::cargoWidth, 19));
    textEdit("comment", "Comment/Pilot/Etc.", kIdentityBox,
             textAt(sg::comment, sg::commentWidth, 19));
    byteList(
        "iff", "IFF Code", kIdentityBox, [this] { return iffLabels(m_ctx.store); }, byteAt(sg::iff),
        [this](int) { m_ctx.repaint(); });
    byteList(
        "team", "Team", kIdentityBox, [this] { return teamLabels(m_ctx.store); }, byteAt(sg::team));
    byteList("craftCount", "Number of ships", kIdentityBox, fixed(craftCountLabels()),
             byteAt(sg::craftCount), [this](int v) {
                 // Without a special cargo the cargo craft follows the group size.
                 if (get(sg::specialCargoIndex) == kNoSpecialCargo) set(sg::specialCargoCraft, v);
             });
    byteList("waves", "Waves", kIdentityBox, fixed(wavesLabels()), byteAt(sg::waves));
    byteList("pilot", "Pilot", kIdentityBox, fixed(pilotLabels()), byteAt(sg::playerCraft));
    byteList("aiSkill", "AI Skill", kIdentityBox, fixed(aiSkillLabels()), byteAt(sg::aiSkill));
    byteList("markings", "Color", kIdentityBox, fixed(markingLabels()), byteAt(sg::markings));
    byteList(
        "radio", "Radio", kIdentityBox, [this] { return radioLabels(m_ctx.store); },
        byteAt(sg::radio));

    picture("picture", kType,
            [this] { return craftPicture(m_ctx, get(sg::craftType), get(sg::backdrop)); });
    dropDown("category", "", kType, [this] { return categoryNames(m_ctx.crafts); },
             {[this] { return m_category; },
              [this](int v) {
                  if (craftCodeAt(m_ctx.crafts, v, 0) < 0) return;
                  m_category = v;
                  m_entry = 0;
                  applyType();  // the first craft of the category is written at once
              }});
    dropDown("craft", "", kType, [this] { return craftNamesIn(m_ctx.crafts, m_category); },
             {[this] { return m_entry; },
              [this](int v) {
                  if (craftCodeAt(m_ctx.crafts, m_category, v) < 0) return;
                  m_entry = v;
                  applyType();
              }});
    label("flyability", "", kType,
          [this] { return flyabilityLabel(m_ctx.crafts, get(sg::craftType)); });
    byteList(
        "backdrop", "Backdrop:", kType, [] { return numberLabels(0, 255); }, byteAt(sg::backdrop),
        [this](int) { refreshed.notify(); })
        .enabledWhen([this] { return get(sg::craftType) == kBackdropCraft; });
    button("backdropNow", "Backdrop Now!", kType, [this] { backdropNow(); });

    byteList("status1", "Status", kInitial, fixed(statusLabels()), byteAt(sg::status1));
    byteList("status2", "", kInitial, fixed(statusLabels()), byteAt(sg::status2));
    byteList("warhead", "Warhead type", kInitial, fixed(warheadLabels()), byteAt(sg::warhead));
    byteList("beam", "Beam weapon type", kInitial, fixed(beamLabels()), byteAt(sg::beam));
    byteList("countermeasure", "Countermeasure type", kInitial, fixed(countermeasureLabels()),
             byteAt(sg::countermeasure));
    button("options", "Options...", "", [this] { m_ctx.port.openForm(FormKind::Options); });
    reload();
}

void BasicForm::receive(ShipgroupEvent event) {
    // Team and IFF names are read fresh on every refresh.
    if (event == ShipgroupEvent::Reload || event == ShipgroupEvent::TeamNames ||
        event == ShipgroupEvent::IffNames)
        reload();
}

void BasicForm::reload() {
    const CatalogueSpot spot = lookUpCraft(m_ctx.crafts, get(sg::craftType), m_ctx.prompter);
    m_category = spot.category;
    m_entry = spot.entry;
    relabel(false);
    refreshed.notify();
}

void BasicForm::relabel(bool afterTypeChange) {
    const bool backdrop = get(sg::craftType) == kBackdropCraft;
    find("name")->label =
        backdrop ? (afterTypeChange ? "Color intensity (RGB):" : "Color intensity (RGB)") : "Name";
    find("cargo")->label = backdrop ? "Brightness:" : "Default cargo";
    find("comment")->label = backdrop ? "Size:" : "Comment/Pilot/Etc.";
}

void BasicForm::applyType() {
    const int code = craftCodeAt(m_ctx.crafts, m_category, m_entry);
    if (code < 0) return;
    set(sg::craftType, code);
    relabel(true);
    m_ctx.repaint();
    refreshed.notify();
}

void BasicForm::backdropNow() {
    auto& s = m_ctx.store;
    const int i = currentIndex();
    set(sg::craftType, kBackdropCraft);
    set(sg::backdrop, 3);
    // Only the leading characters are replaced; the rest of each field stays.
    auto put = [&](int offset, std::string_view text) {
        for (size_t k = 0; k < text.size(); ++k)
            s.setByte(mission::Table::Shipgroups, i, offset + static_cast<int>(k),
                      static_cast<uint8_t>(text[k]));
    };
    put(sg::name, "1.0 1.0 1.0 ");
    put(sg::cargo, "1.0 ");
    put(sg::comment, "2.0 ");
    m_ctx.repaint();
    // CurrentChanged makes this form show the shipgroup again (through the relay).
    m_ctx.broadcast(ShipgroupEvent::Renamed);
    m_ctx.broadcast(ShipgroupEvent::CurrentChanged);
}

}  // namespace quendar::shipgroup
