#include "settings/GlobalGoalsForm.h"

#include "settings/GoalTables.h"
#include "shipgroup/ArrivalDepartureForm.h"
#include "shipgroup/MissionNames.h"

namespace quendar::settings {

using core::Control;
using core::ControlKind;
using mission::Table;

namespace {
const std::string kTrigger = "Goal trigger";
const std::string kJoins = "Joins";
const std::string kTexts = "Goal texts";
const std::string kPoints = "Points";
}  // namespace

GlobalGoalsForm::GlobalGoalsForm(const shipgroup::ShipgroupContext& ctx)
    : SettingsForm(ctx, "Global Goals") {
    {
        Control c;
        c.id = "team";
        c.kind = ControlKind::DropDown;
        c.label = "Team";
        c.row = 0;
        c.items = [this] { return shipgroup::teamLabels(store()); };
        c.value = [this] { return m_team; };
        c.setValue = [this](int v) {
            if (v < 0 || v >= mission::kTeams) return;
            m_team = v;
            show();
        };
        add(std::move(c));
    }
    {
        Control c;
        c.id = "kind";
        c.kind = ControlKind::DropDown;
        c.label = "Goal kind";
        c.row = 0;
        c.column = 1;
        c.items = [] { return goalKindLabels(); };
        c.value = [this] { return m_kind; };
        c.setValue = [this](int v) {
            if (v < 0 || v > 2) return;
            m_kind = v;
            show();
        };
        add(std::move(c));
    }
    for (int g = 0; g < 4; ++g) {
        Control& b =
            button("goal" + std::to_string(g + 1), "Goal " + std::to_string(g + 1), "", [this, g] {
                m_goal = g;
                show();
            });
        b.row = 1;
        b.column = g;
        b.enabled = [this, g] { return m_goal != g; };
    }

    // The trigger of the goal shown.
    Control& shownGoal = label("shownGoal", "", kTrigger,
                               [this] { return "Goal " + std::to_string(m_goal + 1) + ":"; });
    shownGoal.row = 0;
    byteList("amount", "", kTrigger, fixed(goalAmountLabels()), [this] {
        return triggerByte(3);
    }).row = 1;
    Control& of = label("of", "of", kTrigger);
    of.row = 1;
    of.column = 1;
    Control& type = byteList(
        "subjectType", "", kTrigger, fixed(goalSubjectTypeLabels()),
        [this] { return triggerByte(1); }, [this](int) { show(); });
    type.row = 1;
    type.column = 2;
    Control& subject = byteList(
        "subject", "", kTrigger,
        [this] { return shipgroup::subjectItems(m_ctx, get(triggerByte(1))); },
        [this] { return triggerByte(2); });
    subject.row = 1;
    subject.column = 3;
    Control& condition = byteList(
        "condition", "", kTrigger, [this] { return goalKindConditionLabels(m_kind == 1); },
        [this] { return triggerByte(0); });
    condition.row = 2;
    condition.column = 2;
    Control& parameter = byteList(
        "parameter", "", kTrigger,
        [this] { return goalParameterLabels(shipgroup::regionNames(store())); },
        [this] { return triggerByte(4); });
    parameter.row = 2;
    parameter.column = 3;

    // How the four goals combine.
    joinRadio("join12", "Goal 1 with Goal 2:", kJoins, [this] {
        return blockByte(goal::join12);
    }).row = 0;
    joinRadio("joinPairs", "(Goals 1, 2) with (Goals 3, 4):", kJoins, [this] {
        return blockByte(goal::joinPairs);
    }).row = 1;
    joinRadio("join34", "Goal 3 with Goal 4:", kJoins, [this] {
        return blockByte(goal::join34);
    }).row = 2;

    {
        Control c;
        c.id = "points";
        c.kind = ControlKind::Slider;
        c.group = kPoints;
        c.row = 0;
        c.width = 300;
        c.minimum = 0;
        c.maximum = 255;
        c.value = [this] { return m_sliderPos; };
        // Keyboard and clicks beside the thumb move the slider but store nothing.
        c.setValue = [this](int v) { m_sliderPos = std::clamp(v, 0, 255); };
        c.thumbMoved = [this](int v) {
            m_sliderPos = std::clamp(v, 0, 255);
            put(blockByte(goal::points), m_sliderPos);
        };
        add(std::move(c));
        Control& shownPoints = label("pointsText", "", kPoints, [this] {
            return std::to_string(get(blockByte(goal::points)) * goal::pointsStep);
        });
        shownPoints.row = 0;
        shownPoints.column = 1;
    }

    for (int s = 0; s < 3; ++s) {
        Control c;
        c.id = "text" + std::to_string(s + 1);
        c.kind = ControlKind::Edit;
        c.label = "Text " + std::to_string(s + 1);
        c.group = kTexts;
        c.maxLength = goal::textLimit;
        c.width = 360;
        c.text = [this, s] {
            return store().text(Table::GlobalGoalStrings, textEntry(s), 0,
                                mission::kShortStringSize);
        };
        c.setText = [this, s](const std::string& t) {
            store().setText(Table::GlobalGoalStrings, textEntry(s), 0, mission::kShortStringSize,
                            std::string_view(t).substr(0, goal::textLimit));
        };
        // Prevent and secondary goals have two texts.
        if (s == 2) c.enabled = [this] { return m_kind == 0; };
        add(std::move(c));
    }
    okButton();
    show();
}

ByteRef GlobalGoalsForm::blockByte(int offset) const {
    return {Table::GlobalGoals, m_team, goal::blockStart + goal::blockSize * m_kind + offset};
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
