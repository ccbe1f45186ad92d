#pragma once

#include <functional>
#include <string>
#include <vector>

#include "briefing/BriefingForm.h"
#include "core/Image.h"
#include "core/Prompter.h"

namespace quendar::mission {
class CraftList;
}

namespace quendar::briefing {

inline constexpr std::string_view kShipNotInDatabaseText = "Ship is not in the database";
inline constexpr std::string_view kUnknownShiptypeCaption = "Unknown shiptype";

// "Select ship": a craft type by category and type, and an IFF. Opened preset
// with a type and an IFF; a preset type the craft list does not hold is
// reported once, when the form opens (call `opened`), and leaves both lists
// without a selection. Accepted only when "Ok" closes it.
class SelectShipForm : public BriefingForm {
  public:
    SelectShipForm(const mission::CraftList& craftList,
                   std::function<std::vector<std::string>()> iffNames, int presetType,
                   int presetIff, std::function<core::RgbaImage(int craftType)> picture = {});

    // Shows the unknown-type message when the preset was not found.
    void opened(core::Prompter& prompter) const;
    bool presetFound() const { return m_category >= 0; }

    int craftType() const { return m_type; }
    int iff() const { return m_iff; }

  private:
    std::vector<std::string> typeNames() const;
    void chooseType(int member);

    const mission::CraftList& m_craft;
    std::function<core::RgbaImage(int)> m_picture;
    int m_category = -1;
    int m_member = -1;
    int m_type;
    int m_iff;
};

}  // namespace quendar::briefing
