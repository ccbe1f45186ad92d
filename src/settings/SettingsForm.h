#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/FormModel.h"
#include "mission/MissionStore.h"
#include "shipgroup/ShipgroupContext.h"

namespace quendar::settings {

// Where one byte of a control lives: a table, a slot and an offset.
struct ByteRef {
    mission::Table table;
    int slot = 0;
    int offset = 0;
};

// Base of the mission-wide forms. They are modal and work on the store
// directly: each control reads its field when the form shows it and writes it
// when the user changes it. Filling an edit when the form opens writes
// nothing, so opening and closing a form leaves the mission as it was.
class SettingsForm : public core::FormModel {
  protected:
    SettingsForm(const shipgroup::ShipgroupContext& ctx, std::string title);

    mission::MissionStore& store() const { return m_ctx.store; }
    uint8_t get(const ByteRef& r) const { return store().byte(r.table, r.slot, r.offset); }
    void put(const ByteRef& r, int v) {
        store().setByte(r.table, r.slot, r.offset, static_cast<uint8_t>(v));
    }

    using ItemsFn = std::function<std::vector<std::string>()>;
    using RefFn = std::function<ByteRef()>;

    // An edit over a zero-padded text field of `width` bytes: every keystroke
    // clears the field and writes the first `limit` characters of the text.
    core::Control& textEdit(std::string id, std::string label, std::string group,
                            std::function<ByteRef()> field, int width, int limit);
    // A drop-down storing its index in one byte; a stored value outside the
    // list shows no selection.
    core::Control& byteList(std::string id, std::string label, std::string group, ItemsFn items,
                            RefFn ref, std::function<void(int)> after = {});
    // "And" / "Or" over one byte: Or when the byte is 1.
    core::Control& joinRadio(std::string id, std::string label, std::string group, RefFn ref);
    // An unsigned number over one byte; text that is not a number stores 0.
    core::Control& numberEdit(std::string id, std::string label, std::string group, RefFn ref);
    core::Control& button(std::string id, std::string label, std::string group,
                          std::function<void()> press);
    core::Control& label(std::string id, std::string text, std::string group,
                         std::function<std::string()> shown = {});
    // "OK": runs `before`, then closes the form as accepted.
    core::Control& okButton(std::function<void()> before = {});
    // Forgets what is being typed into the number edits (a new record shows).
    void forgetTyped() { m_typed.clear(); }

    static ItemsFn fixed(const std::vector<std::string>& labels) {
        return [&labels] { return labels; };
    }
    static int shown(int value, size_t count) {
        return value >= 0 && static_cast<size_t>(value) < count ? value : -1;
    }

    const shipgroup::ShipgroupContext& m_ctx;

  private:
    std::map<std::string, std::string> m_typed;
};

}  // namespace quendar::settings
