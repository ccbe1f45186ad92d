#include "settings/MessagesForm.h"

#include <algorithm>

#include "core/ActionGroups.h"
#include "mission/ChangeJournal.h"
#include "settings/GoalTables.h"
#include "shipgroup/ArrivalDepartureForm.h"
#include "shipgroup/MissionNames.h"

namespace quendar::settings {

using mission::Table;
using shipgroup::LabelSet;

namespace {
const std::string kCondition1 = "Condition 1", kCondition2 = "Condition 2", kBetween = " ";
const std::string kTeams = "Teams", kMessage = "Message && Delay";
// The moves through the list sit under the message, in a box of their own.
const std::string kList = "Messages";
}  // namespace

MessagesForm::MessagesForm(const shipgroup::ShipgroupContext& ctx)
    : SettingsForm(ctx, "In-flight messages") {
    addTrigger(0, kCondition1, 0);
    joinRadio("join12", "", kCondition1, message(msg::join12)).at(2);
    addTrigger(1, kCondition1, 3);
    joinRadio("joinConditions", "", kBetween, message(msg::joinConditions));
    addTrigger(2, kCondition2, 0);
    joinRadio("join34", "", kCondition2, message(msg::join34)).at(2);
    addTrigger(3, kCondition2, 3);

    for (int t = 0; t < 8; ++t)
        toggleBox("team" + std::to_string(t + 1), shipgroup::teamName(store(), t), kTeams,
                  message(msg::teams + t))
            .at(t / 4, t % 4);

    textEdit("text", "", kMessage, core::heldText(m_text, msg::textLimit)).at(0).wide(360);
    numberEdit("minutes", "Minute", kMessage, message(msg::delayMinutes)).at(1);
    numberEdit("seconds", "Second", kMessage, message(msg::delaySeconds)).at(1, 1);
    byteList(
        "colour", "Colour", kMessage, [this] { return shipgroup::iffSubjectLabels(store()); },
        message(msg::colour))
        .at(1, 2);
    label("noteCaption", "Comments, etc (This will be never shown in the mission):", kMessage)
        .at(2);
    textEdit("note", "", kMessage, core::heldText(m_note, msg::noteLimit))
        .at(3)
        .wide(360)
        .enabledWhen([this] { return hasNote(); });
    label("noNote", "Only the first 64 messages have a comment.", kMessage)
        .at(4)
        .visibleWhen([this] { return !hasNote(); });

    button("previous", "<<", kList, [this] {
        if (m_current == 0) return;
        storeTextAndNote();
        --m_current;
        show();
    }).at(0);
    label("number", "XXX", kList, [this] { return std::to_string(m_current + 1); }).at(0, 1);
    label("count", "XXX", kList, [this] { return std::to_string(store().messageCount); }).at(0, 2);
    button("next", ">>", kList, [this] { showMessage(m_current + 1); }).at(0, 3);
    button("add", "Add", kList, [this] {
        if (store().messageCount >= mission::kMaxMessages) return;
        core::ActionScope action(store().journal(), "Add message");
        const int index = store().messageCount++;
        store().setByte(Table::Messages, index, msg::number, static_cast<uint8_t>(index));
        refreshed.notify();
    }).at(1);
    button("delete", "Delete", kList, [this] {
        if (store().messageCount <= 0) return;
        core::ActionScope action(store().journal(), "Delete message");
        --store().messageCount;
        refreshed.notify();
    }).at(1, 1);
    closeButton("ok", "OK", true, [this] { storeTextAndNote(); });
    show();
}

void MessagesForm::addTrigger(int k, const std::string& group, int row) {
    const int base = msg::triggers[k];
    std::string p = "t";
    p += std::to_string(k + 1);
    p += '.';
    shipgroup::addTriggerLists(*this, m_ctx,
                               {p, group, row, LabelSet::Arrival, fixed(messageSubjectTypeLabels()),
                                [this, base](int f) { return message(base + f); }},
                               m_subjectCleared[k]);
}

core::Binding MessagesForm::message(int offset) {
    return byteAt([this, offset] { return at(offset); });
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
