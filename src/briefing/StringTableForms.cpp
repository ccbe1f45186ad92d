#include "briefing/StringTableForms.h"

#include "mission/MissionStore.h"

namespace quendar::briefing {

using core::heldText;
using mission::Table;

namespace {

Table tableOf(StringTable t) {
    return t == StringTable::Tags ? Table::Briefing1Tags : Table::Briefing1Texts;
}

std::string cut(const std::string& s, int limit) {
    return s.size() > static_cast<size_t>(limit) ? s.substr(0, limit) : s;
}

}  // namespace

std::vector<std::string> briefingStrings(const mission::MissionStore& store, StringTable table) {
    std::vector<std::string> out;
    out.reserve(kStringEntries);
    for (int i = 0; i < kStringEntries; ++i) out.push_back(briefingString(store, table, i));
    return out;
}

std::string briefingString(const mission::MissionStore& store, StringTable table, int index) {
    if (index < 0 || index >= kStringEntries) return {};
    return store.text(tableOf(table), index, 0, mission::kCountedStringSlot - 1);
}

void setBriefingString(mission::MissionStore& store, StringTable table, int index,
                       const std::string& text) {
    if (index < 0 || index >= kStringEntries) return;
    // The whole slot is rewritten, so nothing of a longer old text stays.
    store.setText(tableOf(table), index, 0, mission::kCountedStringSlot,
                  cut(text, kStringEntryLimit));
}

std::string textComment(const mission::MissionStore& store, int index) {
    if (index < 0 || index >= kStringEntries) return {};
    return store.text(Table::BriefingTextNotes, index, 0, mission::kNoteSize - 1);
}

void setTextComment(mission::MissionStore& store, int index, const std::string& comment) {
    if (index < 0 || index >= kStringEntries) return;
    store.setText(Table::BriefingTextNotes, index, 0, mission::kNoteSize,
                  cut(comment, kCommentLimit));
}

// --- Briefing Tags / Briefing Texts

BriefingStringsForm::BriefingStringsForm(mission::MissionStore& store, StringTable table)
    : BriefingForm(table == StringTable::Tags ? "Briefing Tags" : "Briefing Texts"),
      m_store(store),
      m_table(table) {
    const bool texts = table == StringTable::Texts;
    selectionList(
        "entries", "", "", [this] { return briefingStrings(m_store, m_table); }, m_row,
        [this](int row) { selectRow(row); });
    textEdit("text", "", "", heldText(m_text, kStringEntryLimit));
    if (texts) textEdit("comment", "Text / Comments:", "", heldText(m_comment, kCommentLimit));
    button("add", "Add", "", [this, texts] {
        if (m_row >= kStringEntries - 1) return;  // the last entry has nothing after it
        const int target = m_row + 1;             // entry 0 when nothing is selected
        setBriefingString(m_store, m_table, target, m_text);
        if (texts) setTextComment(m_store, target, m_comment);
        selectRow(target);
        m_text.clear();
        refresh();
    });
    button("modify", "Modify", "", [this, texts] {
        if (m_row < 0) return;
        setBriefingString(m_store, m_table, m_row, m_text);
        if (texts) setTextComment(m_store, m_row, m_comment);
        refresh();
    });
    button("delete", "Delete", "", [this, texts] {
        if (m_row < 0) return;
        setBriefingString(m_store, m_table, m_row, {});
        if (texts) setTextComment(m_store, m_row, {});
        refresh();
    });
    closeButton("ok", "OK", true);
}

void BriefingStringsForm::selectRow(int row) {
    m_row = row >= 0 && row < kStringEntries ? row : -1;
    if (m_row < 0) return;
    m_text = briefingString(m_store, m_table, m_row);
    if (m_table == StringTable::Texts) m_comment = textComment(m_store, m_row);
    refresh();
}

// --- Select text

SelectTextForm::SelectTextForm(const mission::MissionStore& store) : BriefingForm("Select text") {
    selectionList(
        "texts", "", "", [&store] { return briefingStrings(store, StringTable::Texts); }, m_row);
    // "Ok" without a line would hand the tool no text at all: the form then
    // closes as not accepted and the tool adds nothing.
    button("ok", "Ok", "", [this] { requestClose(m_row >= 0); });
}

std::optional<int> SelectTextForm::chosen() const {
    if (!accepted || m_row < 0) return std::nullopt;
    return m_row;
}

// --- Select text and colour

SelectTextColourForm::SelectTextColourForm(const mission::MissionStore& store,
                                           std::function<std::vector<std::string>()> colourNames,
                                           int pickedText)
    : BriefingForm("Select text and colour"), m_pickedText(pickedText) {
    selectionList(
        "tags", "", "", [&store] { return briefingStrings(store, StringTable::Tags); }, m_row);
    listBox("colour", "", "", colourNames, m_colour);
    closeButton("ok", "Ok", true);
}

}  // namespace quendar::briefing
