#pragma once

#include "app/mapedit/ShipgroupClipboard.h"

namespace quendar::ui {

// The system clipboard: shipgroup records in their private type beside the
// readable text, so that another editor window (another process) can paste them.
class QtClipboard : public app::Clipboard {
  public:
    void put(const std::vector<uint8_t>& records, const std::string& text) override;
    std::optional<std::vector<uint8_t>> records() const override;
};

}  // namespace quendar::ui
