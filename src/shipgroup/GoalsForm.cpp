#include "shipgroup/GoalsForm.h"

#include "shipgroup/CodeTables.h"
#include "shipgroup/MissionNames.h"

namespace quendar::shipgroup {

namespace sg = mission::sg;
using core::Control;
using core::ControlKind;
using mission::Table;

namespace {
// Goal record fields; the other 75 bytes of a goal are kept as read.
constexpr int kArgument = 0, kCondition = 1, kAmount = 2, kPoints = 3, kEnabled = 4;
constexpr int kBonusStep = 25;
}  // namespace

GoalsForm::GoalsForm(const ShipgroupContext& ctx)
    : ShipgroupForm(ctx, FormKind::Goals, "Shipgroup - goals") {
    Control sel;
    sel.id = "goal";
    sel.kind = ControlKind::DropDown;
    sel.items = [] {
        std::vector<std::string> t;
        for (int g = 1; g <= 8; ++g) t.push_back("Goal " + std::to_string(g));
        return t;
    };
    sel.row = 0;
    sel.value = [this] { return m_goal; };
    // The messages are written as they are typed, so nothing of the shown
    // goal is pending when another goal is chosen.
    sel.setValue = [this](int v) {
        if (v < 0 || v > 7) return;
        m_goal = v;
        refreshed.notify();
    };
    add(std::move(sel));

    int column = 0;
    auto list = [this, &column](std::string id, const Labels& labels, int field,
                                std::function<void(int)> after = {}) {
        Control c;
        c.id = std::move(id);
        c.row = 1;
        c.column = column++;
        c.kind = ControlKind::DropDown;
        c.items = [&labels] { return labels; };
        c.value = [this, field, &labels] { return shown(goal(field), labels.size()); };
        c.setValue = [this, field, after, &labels](int v) {
            if (v < 0 || v >= static_cast<int>(labels.size())) return;
            setGoal(field, v);
            if (after) after(v);
        };
        c.enabled = [this] { return controlsEnabled(); };
        add(std::move(c));
    };
    list("amount", amountLabels(), kAmount);
    list("argument", goalArgumentLabels(), kArgument);
    list("condition", goalConditionLabels(), kCondition, [this](int v) {
        // A real condition switches the goal on.
        if (v != 0) setGoal(kEnabled, 1);
        refreshed.notify();
    });

    staticText("pointsCaption", "Bonus point:", "").row = 2;
    Control& points =
        staticText("points", "", "", [this] { return std::to_string(goal(kPoints) * kBonusStep); });
    points.row = 2;
    points.column = 1;
    Control slider;
    slider.id = "slider";
    slider.kind = ControlKind::Slider;
    slider.minimum = 0;
    slider.maximum = 255;
    slider.row = 2;
    slider.column = 2;
    slider.value = [this] { return goal(kPoints); };
    // Every way of moving the slider stores the position, so the slider and
    // the points shown never disagree with the mission.
    slider.setValue = [this](int v) {
        if (v < 0 || v > 255) return;
        setGoal(kPoints, v);
        refreshed.notify();
    };
    slider.enabled = [this] { return controlsEnabled(); };
    add(std::move(slider));

    addMessage("before", "Custom goal message before completion:", 0);
    addMessage("after", "Custom goal message after completion:", 1);
    addMessage("failure", "Custom goal message after failure:", 2);
    staticText("note",
               "If you don't specify these custom goal messages VXN will automaticly specify "
               "them.",
               "")
        .row = 6;

    Control en;
    en.id = "enabled";
    en.kind = ControlKind::TriState;
    en.label = "Enable this goal";
    en.row = 7;
    en.value = [this] {
        const int v = goal(kEnabled);
        return v == 1 ? 1 : v == 0 ? 0 : 2;
    };
    en.setValue = [this](int) {
        setGoal(kEnabled, goal(kEnabled) == 1 ? 0 : 1);
        refreshed.notify();
    };
    add(std::move(en));
}

bool GoalsForm::controlsEnabled() const {
    // Unchecked disables the goal's controls; undetermined leaves them enabled.
    return goal(kEnabled) != 0;
}

void GoalsForm::addMessage(std::string id, std::string label, int kind) {
    Control c;
    c.id = std::move(id);
    c.kind = ControlKind::Edit;
    c.label = std::move(label);
    c.maxLength = 63;
    c.row = 3 + kind;
    c.width = 360;
    auto index = [this, kind] {
        return mission::shipgroupGoalStringIndex(currentIndex(), m_goal, kind);
    };
    c.text = [this, index] {
        return m_ctx.store.text(Table::ShipgroupGoalStrings, index(), 0, mission::kShortStringSize);
    };
    c.setText = [this, index](const std::string& t) {
        m_ctx.store.setText(Table::ShipgroupGoalStrings, index(), 0, mission::kShortStringSize,
                            std::string_view(t).substr(0, 63));
    };
    c.enabled = [this] { return controlsEnabled(); };
    add(std::move(c));
}

// --- Advanced options

namespace {
const std::string kFormation = "Flight formation";
const std::string kCargo = "Special Cargo";
const std::string kInfo = "Additional information && Hyperbouy settings";
const std::string kGlobal = "Global group && global unit number";
}  // namespace

AdvancedForm::AdvancedForm(const ShipgroupContext& ctx)
    : ShipgroupForm(ctx, FormKind::Advanced, "Shipgroup - Advanced options") {
    byteList(
        "formation", "", kFormation,
        [] {
            std::vector<std::string> t;
            for (int i = 0; i <= 255; ++i) t.push_back("Formation " + std::to_string(i));
            return t;
        },
        sg::formation);
    byteList(
        "distance", "m distance", kFormation, [] { return numberLabels(0, 255); },
        sg::formationDistance);
    Control numbered;
    numbered.id = "numbered";
    numbered.kind = ControlKind::CheckBox;
    numbered.label = "Ships are numbered";
    numbered.group = kFormation;
    numbered.value = [this] { return get(sg::globalUnit) != 0 ? 1 : 0; };
    numbered.enabled = [] { return false; };
    add(std::move(numbered));

    Control& cargo = byteList(
        "cargo", "", kCargo, [this] { return specialCargoNames(m_ctx.store); },
        sg::specialCargoIndex, [this](int) { refreshed.notify(); });
    cargo.enabled = [this] { return get(sg::specialCargoIndex) != kNoSpecialCargo; };
    Control none;
    none.id = "noCargo";
    none.kind = ControlKind::CheckBox;
    none.label = "No Special Cargo";
    none.group = kCargo;
    none.value = [this] { return get(sg::specialCargoIndex) == kNoSpecialCargo ? 1 : 0; };
    none.setValue = [this](int) {
        if (get(sg::specialCargoIndex) == kNoSpecialCargo) {
            set(sg::specialCargoIndex, 0);
        } else {
            set(sg::specialCargoIndex, kNoSpecialCargo);
            set(sg::specialCargoCraft, get(sg::craftCount));
        }
        refreshed.notify();
    };
    add(std::move(none));
    Control& craft = byteList(
        "cargoCraft", "", kCargo, [] { return numberLabels(0, 255); }, sg::specialCargoCraft);
    craft.enabled = [this] { return get(sg::specialCargoRandom) == 0; };
    Control random;
    random.id = "randomize";
    random.kind = ControlKind::CheckBox;
    random.label = "Randomize";
    random.group = kCargo;
    // Any non-zero value counts as checked, matching what a click does with it.
    random.value = [this] { return get(sg::specialCargoRandom) != 0 ? 1 : 0; };
    random.setValue = [this](int) {
        set(sg::specialCargoRandom, get(sg::specialCargoRandom) != 0 ? 0 : 1);
        refreshed.notify();
    };
    add(std::move(random));

    addSpecified(1, sg::additionalInfo1Enable, sg::additionalInfo1);
    addSpecified(2, sg::additionalInfo2Enable, sg::additionalInfo2);

    byteList(
        "globalGroup", "Global group", kGlobal, [] { return numberLabels(0, 254); },
        sg::globalGroup);
    byteList(
        "globalUnit", "Global unit", kGlobal, [] { return numberLabels(0, 254); }, sg::globalUnit,
        [this](int) { refreshed.notify(); });
    staticText("warning", "Warning: ships are automaticly numbered when Global unit > 0", kGlobal);
}

void AdvancedForm::addSpecified(int k, int enableOffset, int infoOffset) {
    const std::string n = std::to_string(k);
    Control& info = byteList(
        "info" + n, "", kInfo, [this] { return additionalInfoLabels(regionNames(m_ctx.store)); },
        infoOffset);
    info.row = k - 1;
    info.enabled = [this, enableOffset] { return get(enableOffset) != kNotSpecified; };
    Control c;
    c.id = "specified" + n;
    c.kind = ControlKind::CheckBox;
    c.label = "Specified";
    c.group = kInfo;
    c.row = k - 1;
    c.column = 1;
    c.value = [this, enableOffset] { return get(enableOffset) != kNotSpecified ? 1 : 0; };
    c.setValue = [this, enableOffset](int) {
        set(enableOffset, get(enableOffset) == kNotSpecified ? 0 : kNotSpecified);
        refreshed.notify();
    };
    add(std::move(c));
}

}  // namespace quendar::shipgroup
