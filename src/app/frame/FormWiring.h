#pragma once

#include <functional>
#include <memory>

#include "app/frame/FrameLogic.h"
#include "core/Image.h"
#include "map/ViewSwitches.h"
#include "shipgroup/ShipgroupContext.h"

namespace quendar::app {

// What the forms need from the window beside the editor object.
struct FormServices {
    map::ViewSwitches& switches;
    std::function<core::RgbaImage(int craftType)> craftIcon;
    std::function<int()> currentRegion;
};

// Gives the frame the forms the other parts of the program build: each
// modeless form under its key and control-bar command, each modal menu form
// with the shipgroup event it sends afterwards. Commands whose form is not
// registered stay disabled. The object holds what the forms share (the
// shipgroup context), so it must outlive every form it made.
class FormWiring {
  public:
    FormWiring(FrameLogic& logic, Editor& editor, core::Prompter& prompter, FormServices services);
    ~FormWiring();
    FormWiring(const FormWiring&) = delete;
    FormWiring& operator=(const FormWiring&) = delete;

    const shipgroup::ShipgroupContext& shipgroupContext() const { return *m_shipgroups; }
    // The key and control-bar command of a shipgroup form.
    static FormKey keyOf(shipgroup::FormKind kind);
    static CommandId commandOf(shipgroup::FormKind kind);

  private:
    std::unique_ptr<shipgroup::ShipgroupPort> m_port;  // outlives the context
    std::unique_ptr<shipgroup::ShipgroupContext> m_shipgroups;
    Editor& m_editor;
};

}  // namespace quendar::app
