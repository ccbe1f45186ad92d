#include "shipgroup/GoalsForm.h"

#include "shipgroup/CodeTables.h"
#include "shipgroup/MissionNames.h"

namespace quendar::shipgroup {

namespace sg = mission::sg;
using core::ControlKind;
using mission::Table;

namespace {
// Goal record fields; the other 75 bytes of a goal are kept as read.
constexpr int kArgument = 0, kCondition = 1, kAmount = 2, kPoints = 3, kEnabled = 4;
constexpr int kBonusStep = 25;
}  // namespace

GoalsForm::GoalsForm(const ShipgroupContext& ctx)
    : ShipgroupForm(ctx, FormKind::Goals, "Shipgroup - goals") {
    // The messages are written as they are typed, so nothing of the shown
    // goal is pending when another goal is chosen.
    dropDown(
        "goal", "", "",
        [] {
            std::vector<std::string> t;
            for (int g = 1; g <= 8; ++g) t.push_back("Goal " + std::to_string(g));
            return t;
        },
        m_goal, [this](int) { refreshed.notify(); })
        .at(0);

    const auto onGoal = [this] { return controlsEnabled(); };
    int column = 0;
    auto list = [this, &column, onGoal](std::string id, const Labels& labels, int field,
                                        std::function<void(int)> after = {}) {
        // Only an entry of the list is stored.
        dropDown(std::move(id), "", "", fixed(labels),
                 {[this, field, &labels] { return shown(goal(field), labels.size()); },
                  [this, field, after, &labels](int v) {
                      if (shown(v, labels.size()) < 0) return;
                      setGoal(field, v);
                      if (after) after(v);
                  }})
            .at(1, column++)
            .enabledWhen(onGoal);
    };
    list("amount", amountLabels(), kAmount);
    list("argument", goalArgumentLabels(), kArgument);
    list("condition", goalConditionLabels(), kCondition, [this](int v) {
        // A real condition switches the goal on.
        if (v != 0) setGoal(kEnabled, 1);
        refreshed.notify();
    });

    label("pointsCaption", "Bonus point:", "").at(2);
    label("points", "", "", [this] { return std::to_string(goal(kPoints) * kBonusStep); }).at(2, 1);
    // Every way of moving the slider stores the position, so the slider and
    // the points shown never disagree with the mission.
    slider("slider", "",
           {[this] { return goal(kPoints); },
            [this](int v) {
                if (v < 0 || v > 255) return;
                setGoal(kPoints, v);
                refreshed.notify();
            }})
        .at(2, 2)
        .enabledWhen(onGoal);

    addMessage("before", "Custom goal message before completion:", 0);
    addMessage("after", "Custom goal message after completion:", 1);
    addMessage("failure", "Custom goal message after failure:", 2);
    label("note",
          "If you don't specify these custom goal messages VXN will automaticly specify them.", "")
        .at(6);

    checkBox("enabled", "Enable this goal", "",
             {[this] {
                  const int v = goal(kEnabled);
                  return v == 1 ? 1 : v == 0 ? 0 : 2;
              },
              [this](int) {
                  setGoal(kEnabled, goal(kEnabled) == 1 ? 0 : 1);
                  refreshed.notify();
              }})
        .at(7)
        .kind = ControlKind::TriState;
}

bool GoalsForm::controlsEnabled() const {
    // Unchecked disables the goal's controls; undetermined leaves them enabled.
    return goal(kEnabled) != 0;
}

void GoalsForm::addMessage(std::string id, std::string label, int kind) {
    textEdit(std::move(id), std::move(label), "",
             shipgroup::storedText(
                 m_ctx.store,
                 [this, kind] {
                     return ByteRef{Table::ShipgroupGoalStrings,
                                    mission::shipgroupGoalStringIndex(currentIndex(), m_goal, kind),
                                    0};
                 },
                 mission::kShortStringSize, 63))
        .at(3 + kind)
        .wide(360)
        .enabledWhen([this] { return controlsEnabled(); });
}

// --- Advanced options

namespace {
const std::string kFormation = "Flight formation", kCargo = "Special Cargo";
const std::string kInfo = "Additional information && Hyperbouy settings",
                  kGlobal = "Global group && global unit number";
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
        byteAt(sg::formation));
    byteList(
        "distance", "m distance", kFormation, [] { return numberLabels(0, 255); },
        byteAt(sg::formationDistance));
    checkBox("numbered", "Ships are numbered", kFormation,
             {[this] { return get(sg::globalUnit) != 0 ? 1 : 0; }, {}})
        .disabled();

    byteList(
        "cargo", "", kCargo, [this] { return specialCargoNames(m_ctx.store); },
        byteAt(sg::specialCargoIndex), [this](int) { refreshed.notify(); })
        .enabledWhen([this] { return get(sg::specialCargoIndex) != kNoSpecialCargo; });
    checkBox("noCargo", "No Special Cargo", kCargo,
             {[this] { return get(sg::specialCargoIndex) == kNoSpecialCargo ? 1 : 0; },
              [this](int) {
                  if (get(sg::specialCargoIndex) == kNoSpecialCargo) {
                      set(sg::specialCargoIndex, 0);
                  } else {
                      set(sg::specialCargoIndex, kNoSpecialCargo);
                      set(sg::specialCargoCraft, get(sg::craftCount));
                  }
                  refreshed.notify();
              }});
    byteList(
        "cargoCraft", "", kCargo, [] { return numberLabels(0, 255); },
        byteAt(sg::specialCargoCraft))
        .enabledWhen([this] { return get(sg::specialCargoRandom) == 0; });
    // Any non-zero value counts as checked, matching what a click does with it.
    checkBox("randomize", "Randomize", kCargo,
             {[this] { return get(sg::specialCargoRandom) != 0 ? 1 : 0; },
              [this](int) {
                  set(sg::specialCargoRandom, get(sg::specialCargoRandom) != 0 ? 0 : 1);
                  refreshed.notify();
              }});

    addSpecified(1, sg::additionalInfo1Enable, sg::additionalInfo1);
    addSpecified(2, sg::additionalInfo2Enable, sg::additionalInfo2);

    byteList(
        "globalGroup", "Global group", kGlobal, [] { return numberLabels(0, 254); },
        byteAt(sg::globalGroup));
    byteList(
        "globalUnit", "Global unit", kGlobal, [] { return numberLabels(0, 254); },
        byteAt(sg::globalUnit), [this](int) { refreshed.notify(); });
    label("warning", "Warning: ships are automaticly numbered when Global unit > 0", kGlobal);
}

void AdvancedForm::addSpecified(int k, int enableOffset, int infoOffset) {
    const std::string n = std::to_string(k);
    const auto specified = [this, enableOffset] { return get(enableOffset) != kNotSpecified; };
    byteList(
        "info" + n, "", kInfo, [this] { return additionalInfoLabels(regionNames(m_ctx.store)); },
        byteAt(infoOffset))
        .at(k - 1)
        .enabledWhen(specified);
    checkBox("specified" + n, "Specified", kInfo,
             {[specified] { return specified() ? 1 : 0; },
              [this, enableOffset](int) {
                  set(enableOffset, get(enableOffset) == kNotSpecified ? 0 : kNotSpecified);
                  refreshed.notify();
              }})
        .at(k - 1, 1);
}

}  // namespace quendar::shipgroup
