#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/FormModel.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/ShipgroupContext.h"

namespace quendar::shipgroup {

// Base of the modeless shipgroup forms. The frame relays the shipgroup events
// to the open forms through receive(): the list forms get every code as it is;
// on 2 every property form gets 6 (reload), on 1 the Basic form does; 10 goes
// to the Advanced options form and 19 to the Waypoints form. Every control
// reads and writes the current shipgroup through the store's checked API at the
// moment it changes.
class ShipgroupForm : public core::FormModel {
  public:
    ~ShipgroupForm() override = default;
    FormKind kind() const { return m_kind; }
    // A relayed code; the default reloads on 6 and 10.
    void receive(int code) override;
    // Called by the window just before it destroys the form.
    void closing() override {}

  protected:
    ShipgroupForm(const ShipgroupContext& ctx, FormKind kind, std::string title);

    // Re-reads the shown shipgroup and asks the window to refresh.
    virtual void reload() { refreshed.notify(); }

    int currentIndex() const;
    mission::ShipgroupRecord current() const;
    uint8_t get(int offset) const { return current().get(offset); }
    void set(int offset, int value) { current().set(offset, static_cast<uint8_t>(value)); }

    using ItemsFn = std::function<std::vector<std::string>()>;
    // A drop-down that stores its index in one byte of the current shipgroup.
    // A stored value outside the list shows no selection.
    core::Control& byteList(std::string id, std::string label, std::string group, ItemsFn items,
                               int offset, std::function<void(int)> after = {});
    // A text edit over a zero-padded text field of the current shipgroup.
    core::Control& textField(std::string id, std::string label, std::string group, int offset,
                                int width, int maxLength, std::function<void()> after = {});
    // A number field over one byte (the offset may depend on form state). It
    // shows the stored byte, unsigned or as a signed byte; while the user types,
    // it keeps showing the typed text as long as that text stands for the
    // stored byte ("-", "007"), so a refresh never fights the typing.
    core::Control& numberField(std::string id, std::string label, std::string group,
                                  std::function<int()> offset, bool isSigned,
                                  std::function<void()> after = {});
    core::Control& button(std::string id, std::string label, std::string group,
                             std::function<void()> press);
    core::Control& staticText(std::string id, std::string label, std::string group,
                                 std::function<std::string()> text = {});

    static ItemsFn fixed(const std::vector<std::string>& labels) {
        return [&labels] { return labels; };
    }
    static int shown(int value, size_t count) {
        return value >= 0 && static_cast<size_t>(value) < count ? value : -1;
    }

    const ShipgroupContext& m_ctx;

  private:
    struct Typed {
        std::string text;
        int shipgroup = -1;
        int offset = -1;
    };
    std::map<std::string, Typed> m_typed;
    FormKind m_kind;
};

// A number typed into a number field: leading blanks and a sign allowed,
// conversion stops at the first non-digit; text that is not a number is 0.
int parseNumber(const std::string& text);

}  // namespace quendar::shipgroup
