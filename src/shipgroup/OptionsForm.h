#pragma once

#include "shipgroup/ShipgroupForm.h"

namespace quendar::shipgroup {

// A packed list of codes (1-based, 0 ends the list) as list rows (code - 1),
// and back: the rows in list order, from the front, zero-filled.
std::vector<int> unpackCodes(const mission::ShipgroupRecord& r, int offset, int width, int codes);
void packCodes(mission::ShipgroupRecord r, int offset, int width, int codes, std::vector<int> rows);

// "Options": the optional warheads, beams and countermeasures, and the
// optional craft of the box "Optional ships".
class OptionsForm : public ShipgroupForm {
  public:
    explicit OptionsForm(const ShipgroupContext& ctx);
    void receive(ShipgroupEvent event) override;
    int chosenLine() const { return m_line; }

  protected:
    void reload() override;

  private:
    void addAccessories(std::string id, std::string label, int offset, int width,
                        const std::vector<std::string>& labels);
    std::string lineText(int line) const;
    bool userDefined() const;

    int m_line = 0;
    int m_category = -1;
    int m_entry = -1;
};

}  // namespace quendar::shipgroup
