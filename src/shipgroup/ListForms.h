#pragma once

#include <memory>
#include <string>

#include "shipgroup/ShipgroupForm.h"
#include "shipgroup/ShipgroupList.h"

namespace quendar::shipgroup {

// "Shipgroups": the list of shipgroups, the name for Add, the four list
// operations and the buttons that open the other shipgroup forms.
class ShipgroupsForm : public ShipgroupForm {
  public:
    explicit ShipgroupsForm(const ShipgroupContext& ctx);
    void receive(ShipgroupEvent event) override;

  private:
    ShipgroupList m_list;
    std::string m_name;  // the edit box; taken by Add
};

// "Shipgroups&Viewcontrol": the same list, plus the map's view switches.
class ViewcontrolForm : public ShipgroupForm {
  public:
    explicit ViewcontrolForm(const ShipgroupContext& ctx);
    void receive(ShipgroupEvent event) override;

  private:
    void labelIffBoxes();
    ShipgroupList m_list;
};

}  // namespace quendar::shipgroup
