#include "settings/GlobalGoalsForm.h"

#include "mission/TriggerRecord.h"
#include "settings/GoalTables.h"
#include "shipgroup/ArrivalDepartureForm.h"
#include "shipgroup/MissionNames.h"

namespace quendar::settings {

using mission::Table;

namespace {
const std::string kTrigger = "Goal trigger", kJoins = "Joins", kTexts = "Goal texts",
                  kPoints = "Points";
}  // namespace

GlobalGoalsForm::GlobalGoalsForm(const shipgroup::ShipgroupContext& ctx)
    : SettingsForm(ctx, "Global Goals") {
    dropDown(
        "team", "Team", "", [this] { return shipgroup::teamLabels(store()); }, m_team,
        [this](int) { show(); })
        .at(0);
    dropDown("kind", "Goal kind", "", fixed(goalKindLabels()), m_kind, [this](int) {
        show();
    }).at(0, 1);
    for (int g = 0; g < 4; ++g) {
        button("goal" + std::to_string(g + 1), "Goal " + std::to_string(g + 1), "",
               [this, g] {
                   m_goal = g;
                   show();
               })
            .at(1, g)
            .enabledWhen([this, g] { return m_goal != g; });
    }

    // The trigger of the goal shown.
    label("shownGoal", "", kTrigger, [this] {
        return "Goal " + std::to_string(m_goal + 1) + ":";
    }).at(0);
    namespace tr = mission::trigger;
    byteList("amount", "", kTrigger, fixed(goalAmountLabels()), trigger(tr::amount)).at(1);
    label("of", "of", kTrigger).at(1, 1);
    byteList("subjectType", "", kTrigger, fixed(goalSubjectTypeLabels()), trigger(tr::subjectType),
             [this](int) { show(); })
        .at(1, 2);
    byteList(
        "subject", "", kTrigger,
        [this] { return shipgroup::subjectItems(m_ctx, get(triggerByte(tr::subjectType))); },
        trigger(tr::subject))
        .at(1, 3);
    byteList(
        "condition", "", kTrigger, [this] { return goalKindConditionLabels(m_kind == 1); },
        trigger(tr::condition))
        .at(2, 2);
    byteList(
        "parameter", "", kTrigger,
        [this] { return goalParameterLabels(shipgroup::regionNames(store())); },
        trigger(tr::param1))
        .at(2, 3);

    // How the four goals combine.
    joinRadio("join12", "Goal 1 with Goal 2:", kJoins, block(goal::join12)).at(0);
    joinRadio("joinPairs", "(Goals 1, 2) with (Goals 3, 4):", kJoins, block(goal::joinPairs)).at(1);
    joinRadio("join34", "Goal 3 with Goal 4:", kJoins, block(goal::join34)).at(2);

    // Keyboard and clicks beside the thumb move the slider but store nothing.
    slider("points", kPoints,
           {[this] { return m_sliderPos; }, [this](int v) { m_sliderPos = std::clamp(v, 0, 255); }})
        .at(0)
        .wide(300)
        .thumbMoved = [this](int v) {
        m_sliderPos = std::clamp(v, 0, 255);
        put(blockByte(goal::points), m_sliderPos);
    };
    label("pointsText", "", kPoints, [this] {
        return std::to_string(get(blockByte(goal::points)) * goal::pointsStep);
    }).at(0, 1);

    for (int s = 0; s < 3; ++s) {
        core::Control& text =
            textEdit("text" + std::to_string(s + 1), "Text " + std::to_string(s + 1), kTexts,
                     textAt(
                         [this, s] {
                             return ByteRef{Table::GlobalGoalStrings, textEntry(s), 0};
                         },
                         mission::kShortStringSize, goal::textLimit));
        text.wide(360);
        // Prevent and secondary goals have two texts.
        if (s == 2) text.enabledWhen([this] { return m_kind == 0; });
    }
    closeButton("ok", "OK", true);
    show();
}

core::Binding GlobalGoalsForm::block(int offset) {
    return byteAt([this, offset] { return blockByte(offset); });
}

core::Binding GlobalGoalsForm::trigger(int field) {
    return byteAt([this, field] { return triggerByte(field); });
}

ByteRef GlobalGoalsForm::blockByte(int offset) const {
    return {Table::GlobalGoals, m_team, goal::blockOffset(m_kind) + offset};
}

ByteRef GlobalGoalsForm::triggerByte(int field) const {
    return blockByte(goal::triggerOffsets[m_goal] + field);
}

int GlobalGoalsForm::textEntry(int s) const {
    return mission::globalGoalStringIndex(m_team, m_kind, m_goal, s);
}

void GlobalGoalsForm::show() {
    m_sliderPos = get(blockByte(goal::points));
    refreshed.notify();
}

}  // namespace quendar::settings
