#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/FormModel.h"

namespace quendar::briefing {

// The small building blocks the briefing forms share. Every briefing form is
// modal and acts on the briefing model or the store the moment a control
// changes or a button is pressed.
class BriefingForm : public core::FormModel {
  protected:
    explicit BriefingForm(std::string title) : core::FormModel(std::move(title), true) {}

    core::Control& button(std::string id, std::string label, std::function<void()> press,
                          std::string group = {});
    core::Control& label(std::string id, std::string text, std::string group = {});
    // A list box whose selection lives in `row` (-1 = none).
    core::Control& listBox(std::string id, std::string label,
                           std::function<std::vector<std::string>()> items, int& row,
                           std::function<void(int)> after = {});
    // Closes the form; `accept` says whether the accepting button closed it.
    core::Control& closeButton(std::string id, std::string label, bool accept,
                               std::function<void()> before = {});
    void refresh() { refreshed.notify(); }
};

// A whole decimal number typed into an edit, optionally signed; anything
// else (empty text, letters, a number that does not fit) reads as 0.
long long typedNumber(const std::string& text, bool allowSign);

}  // namespace quendar::briefing
