#pragma once

#include <memory>

#include "shipgroup/ShipgroupForm.h"

namespace quendar::shipgroup {

// A fresh model of one of the modeless shipgroup forms. The window destroys
// the old one and calls this again when a form is opened a second time.
std::unique_ptr<ShipgroupForm> createForm(FormKind kind, const ShipgroupContext& ctx);

}  // namespace quendar::shipgroup
