#include "settings/MessagesForm.h"

#include <algorithm>

#include "core/ActionGroups.h"
#include "mission/ChangeJournal.h"
#include "settings/GoalTables.h"
#include "shipgroup/ArrivalDepartureForm.h"
#include "shipgroup/MissionNames.h"

namespace quendar::settings {

using core::Control;
using core::ControlKind;
using mission::Table;
using shipgroup::LabelSet;

namespace {
const std::string kCondition1 = "Condition 1";
const std::string kCondition2 = "Condition 2";
const std::string kBetween = " ";
const std::string kTeams = "Teams";
const std::string kMessage = "Message && Delay";
// The moves through the list sit under the message, in a box of their own.
const std::string kList = "Messages";
}  // namespace

MessagesForm::MessagesForm(const shipgroup::ShipgroupContext& ctx)
    : SettingsForm(ctx, "In-flight messages") {
    addTrigger(0, kCondition1, 0);
    joinRadio("join12", "", kCondition1, [this] { return at(msg::join12); }).row = 2;
    addTrigger(1, kCondition1, 3);
    joinRadio("joinConditions", "", kBetween, [this] { return at(msg::joinConditions); });
    addTrigger(2, kCondition2, 0);
    joinRadio("join34", "", kCondition2, [this] { return at(msg::join34); }).row = 2;
    addTrigger(3, kCondition2, 3);

    for (int t = 0; t < 8; ++t) {
        Control c;
        c.id = "team" + std::to_string(t + 1);
        c.kind = ControlKind::CheckBox;
        c.group = kTeams;
        c.row = t / 4;
        c.column = t % 4;
        c.label = shipgroup::teamName(store(), t);
        c.value = [this, t] { return get(at(msg::teams + t)) == 1 ? 1 : 0; };
        c.setValue = [this, t](int) {
            put(at(msg::teams + t), get(at(msg::teams + t)) == 1 ? 0 : 1);
        };
        add(std::move(c));
    }

    {
        Control c;
        c.id = "text";
        c.kind = ControlKind::Edit;
        c.group = kMessage;
        c.row = 0;
        c.maxLength = msg::textLimit;
        c.width = 360;
        c.text = [this] { return m_text; };
        c.setText = [this](const std::string& t) { m_text = t; };
        add(std::move(c));
    }
    numberEdit("minutes", "Minute", kMessage, [this] { return at(msg::delayMinutes); }).row = 1;
    Control& seconds =
        numberEdit("seconds", "Second", kMessage, [this] { return at(msg::delaySeconds); });
    seconds.row = 1;
    seconds.column = 1;
    Control& colour = byteList(
        "colour", "Colour", kMessage, [this] { return shipgroup::iffSubjectLabels(store()); },
        [this] { return at(msg::colour); });
    colour.row = 1;
    colour.column = 2;
    label("noteCaption", "Comments, etc (This will be never shown in the mission):", kMessage).row =
        2;
    {
        Control c;
        c.id = "note";
        c.kind = ControlKind::Edit;
        c.group = kMessage;
        c.row = 3;
        c.maxLength = msg::noteLimit;
        c.width = 360;
        c.text = [this] { return m_note; };
        c.setText = [this](const std::string& t) { m_note = t; };
        c.enabled = [this] { return hasNote(); };
        add(std::move(c));
    }
    Control& noNote = label("noNote", "Only the first 64 messages have a comment.", kMessage);
    noNote.row = 4;
    noNote.visible = [this] { return !hasNote(); };

    Control& prev = button("previous", "<<", kList, [this] {
        if (m_current == 0) return;
        storeTextAndNote();
        --m_current;
        show();
    });
    prev.row = 0;
    Control& number =
        label("number", "XXX", kList, [this] { return std::to_string(m_current + 1); });
    number.row = 0;
    number.column = 1;
    Control& count =
        label("count", "XXX", kList, [this] { return std::to_string(store().messageCount); });
    count.row = 0;
    count.column = 2;
    Control& next = button("next", ">>", kList, [this] { showMessage(m_current + 1); });
    next.row = 0;
    next.column = 3;
    Control& addButton = button("add", "Add", kList, [this] {
        if (store().messageCount >= mission::kMaxMessages) return;
        core::ActionScope action(store().journal(), "Add message");
        const int index = store().messageCount++;
        store().setByte(Table::Messages, index, msg::number, static_cast<uint8_t>(index));
        refreshed.notify();
    });
    addButton.row = 1;
    Control& deleteButton = button("delete", "Delete", kList, [this] {
        if (store().messageCount <= 0) return;
        core::ActionScope action(store().journal(), "Delete message");
        --store().messageCount;
        refreshed.notify();
    });
    deleteButton.row = 1;
    deleteButton.column = 1;
    okButton([this] { storeTextAndNote(); });
    show();
}

void MessagesForm::addTrigger(int k, const std::string& group, int row) {
    const int base = msg::triggers[k];
    std::string p = "t";
    p += std::to_string(k + 1);
    p += '.';
    byteList(p + "amount", "", group, fixed(shipgroup::amountLabels()), [this, base] {
        return at(base + 3);
    }).row = row;
    Control& of = label(p + "of", "of", group);
    of.row = row;
    of.column = 1;
    Control& type = byteList(
        p + "subjectType", "", group, fixed(messageSubjectTypeLabels()),
        [this, base] { return at(base + 1); },
        [this, k](int) {
            m_subjectCleared[k] = true;
            refreshed.notify();
        });
    type.row = row;
    type.column = 2;
    Control& subject = byteList(
        p + "subject", "", group,
        [this, base] { return shipgroup::subjectItems(m_ctx, get(at(base + 1))); },
        [this, base] { return at(base + 2); }, [this, k](int) { m_subjectCleared[k] = false; });
    subject.value = [this, base, k] {
        if (m_subjectCleared[k]) return -1;
        return shown(get(at(base + 2)), shipgroup::subjectItems(m_ctx, get(at(base + 1))).size());
    };
    subject.row = row;
    subject.column = 3;
    Control& condition = byteList(p + "condition", "", group, fixed(shipgroup::conditionLabels()),
                                  [this, base] { return at(base + 0); });
    condition.row = row;
    condition.column = 4;
    Control& p1 = byteList(
        p + "param1", "", group,
        [this] {
            return shipgroup::param1Labels(shipgroup::regionNames(store()), LabelSet::Arrival);
        },
        [this, base] { return at(base + 4); });
    p1.row = row + 1;
    p1.column = 3;
    Control& p2 =
        byteList(p + "param2", "", group, fixed(shipgroup::param2Labels(LabelSet::Arrival)),
                 [this, base] { return at(base + 5); });
    p2.row = row + 1;
    p2.column = 4;
}

void MessagesForm::showMessage(int index) {
    if (index < 0 || index >= store().messageCount || index == m_current) return;
    storeTextAndNote();
    m_current = index;
    show();
}

void MessagesForm::show() {
    m_subjectCleared = {};
    forgetTyped();
    m_text = store().text(Table::Messages, m_current, msg::text, msg::textWidth);
    m_note = hasNote() ? store().text(Table::MessageNotes, m_current, 0, mission::kNoteSize) : "";
    m_shownText = m_text;
    m_shownNote = m_note;
    refreshed.notify();
}

void MessagesForm::storeTextAndNote() {
    if (m_text != m_shownText)
        store().setText(Table::Messages, m_current, msg::text, msg::textWidth,
                        std::string_view(m_text).substr(0, msg::textLimit));
    if (hasNote() && m_note != m_shownNote) {
        store().setText(Table::MessageNotes, m_current, 0, mission::kNoteSize,
                        std::string_view(m_note).substr(0, msg::noteLimit));
    }
}

}  // namespace quendar::settings
