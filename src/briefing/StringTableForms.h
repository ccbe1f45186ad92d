#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "briefing/BriefingForm.h"

namespace quendar::mission {
class MissionStore;
}

namespace quendar::briefing {

constexpr int kStringEntries = 128;
constexpr int kStringEntryLimit = 254;  // characters of a tag or text entry
constexpr int kCommentLimit = 99;       // characters of a text entry's comment

enum class StringTable { Tags, Texts };

// The entries of briefing 1's tag or text table, in order.
std::vector<std::string> briefingStrings(const mission::MissionStore& store, StringTable table);
std::string briefingString(const mission::MissionStore& store, StringTable table, int index);
void setBriefingString(mission::MissionStore& store, StringTable table, int index,
                       const std::string& text);
// The comment kept beside each text entry (the game never shows it).
std::string textComment(const mission::MissionStore& store, int index);
void setTextComment(mission::MissionStore& store, int index, const std::string& comment);

// "Briefing Tags" and "Briefing Texts": the 128 entries of one table with Add
// (into the entry after the selected one), Modify and Delete, each acting on
// the store at once. The Texts form also edits each entry's comment.
class BriefingStringsForm : public BriefingForm {
  public:
    BriefingStringsForm(mission::MissionStore& store, StringTable table);

    int selectedRow() const { return m_row; }

  private:
    void selectRow(int row);

    mission::MissionStore& m_store;
    StringTable m_table;
    int m_row = -1;
    std::string m_text;
    std::string m_comment;
};

// "Select text": the 128 text entries and "Ok". The form is accepted only when
// "Ok" closes it with a line selected; `chosen()` is that line.
class SelectTextForm : public BriefingForm {
  public:
    explicit SelectTextForm(const mission::MissionStore& store);
    std::optional<int> chosen() const;

  private:
    int m_row = -1;
};

// "Select text and colour": the 128 tag entries and the colour list ("Rebel",
// "Imperial" and the four further IFF names), which starts on colour 0. A tag
// line not chosen leaves the text index handed in (the tool's last pick).
class SelectTextColourForm : public BriefingForm {
  public:
    SelectTextColourForm(const mission::MissionStore& store,
                         std::function<std::vector<std::string>()> colourNames, int pickedText);
    int textIndex() const { return m_row >= 0 ? m_row : m_pickedText; }
    int colour() const { return m_colour; }

  private:
    int m_row = -1;
    int m_colour = 0;
    int m_pickedText;
};

}  // namespace quendar::briefing
