#pragma once

#include <array>

#include "mission/MessageRecord.h"
#include "settings/SettingsForm.h"

namespace quendar::settings {

// The message record's fields, by name.
namespace msg = mission::msg;

// "In-flight messages": one message at a time. Lists, joins, team boxes and
// delays are stored as they change; the text and the note only when the form
// leaves the message ("<<", ">>", "OK"). Add and Delete act on the end of the
// list. Only the first 64 messages have a note slot: for the others the note
// edit is disabled and a line says why.
class MessagesForm : public SettingsForm {
  public:
    explicit MessagesForm(const shipgroup::ShipgroupContext& ctx);

    int current() const { return m_current; }
    // Steps to message `index` as "<<" and ">>" do; an index outside the
    // list is ignored.
    void showMessage(int index);

  private:
    void addTrigger(int k, const std::string& group, int row);
    ByteRef at(int offset) const { return {mission::Table::Messages, m_current, offset}; }
    core::Binding message(int offset);  // a byte of the shown message
    bool hasNote() const { return m_current < msg::noteSlots; }
    void show();
    void storeTextAndNote();

    int m_current = 0;
    std::string m_text;  // what the text edit holds
    std::string m_note;
    // The stored text and note as shown: an untouched edit writes nothing
    // back (a full 64-byte text would lose its last byte to the limit).
    std::string m_shownText;
    std::string m_shownNote;
    std::array<bool, 4> m_subjectCleared{};
};

}  // namespace quendar::settings
