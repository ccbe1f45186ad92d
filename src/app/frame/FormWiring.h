#pragma once

#include <memory>

#include "app/frame/FrameLogic.h"
#include "app/frame/SettingsWiring.h"
#include "shipgroup/ShipgroupContext.h"

namespace quendar::app {

// Gives the frame the forms the other parts of the program build: each
// modeless form under its key and control-bar command, each modal menu form
// with the shipgroup event it sends afterwards. Commands whose form is not
// registered stay disabled. The object holds what the forms share (the
// shipgroup context: the view switches, the craft pictures drawn from the
// editor's icons in the current shipgroup's colour, the map's region), so it
// must outlive every form it made.
class FormWiring {
  public:
    FormWiring(FrameLogic& logic, Editor& editor, core::Prompter& prompter);
    ~FormWiring();
    FormWiring(const FormWiring&) = delete;
    FormWiring& operator=(const FormWiring&) = delete;

    const shipgroup::ShipgroupContext& shipgroupContext() const { return *m_shipgroups; }
    // The check before a save, in the "&Validate" box.
    ChecksBeforeSave& checksBeforeSave() { return m_checks; }
    // The key and control-bar command of a shipgroup form.
    static FormKey keyOf(shipgroup::FormKind kind);
    static CommandId commandOf(shipgroup::FormKind kind);

  private:
    std::unique_ptr<shipgroup::ShipgroupPort> m_port;  // outlives the context
    std::unique_ptr<shipgroup::ShipgroupContext> m_shipgroups;
    BoxedChecks m_checks;
};

}  // namespace quendar::app
