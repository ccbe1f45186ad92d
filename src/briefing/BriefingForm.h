#pragma once

#include <string>

#include "core/FormModel.h"

namespace quendar::briefing {

// Base of the briefing forms: every one is modal and acts on the briefing
// model or the store the moment a control changes or a button is pressed.
class BriefingForm : public core::FormModel {
  protected:
    explicit BriefingForm(std::string title) : core::FormModel(std::move(title), true) {}
};

// A whole decimal number typed into an edit, optionally signed; anything
// else (empty text, letters, a number that does not fit) reads as 0.
long long typedNumber(const std::string& text, bool allowSign);

}  // namespace quendar::briefing
