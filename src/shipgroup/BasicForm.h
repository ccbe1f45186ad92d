#pragma once

#include "shipgroup/ShipgroupForm.h"

namespace quendar::shipgroup {

// "Shipgroup - Basic properties": identity and loadout of the current
// shipgroup, the craft type chosen by category and craft, and the backdrop
// settings.
class BasicForm : public ShipgroupForm {
  public:
    explicit BasicForm(const ShipgroupContext& ctx);
    void receive(ShipgroupEvent event) override;

    int shownCategory() const { return m_category; }
    int shownEntry() const { return m_entry; }

  protected:
    void reload() override;

  private:
    void applyType();
    void relabel(bool afterTypeChange);
    void backdropNow();

    int m_category = -1;  // form-local: the chosen category and entry
    int m_entry = -1;
};

}  // namespace quendar::shipgroup
