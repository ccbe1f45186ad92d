#pragma once

#include <functional>
#include <string>

#include "core/FormModel.h"
#include "mission/MissionStore.h"
#include "shipgroup/ShipgroupContext.h"
#include "shipgroup/ShipgroupForm.h"

namespace quendar::settings {

using shipgroup::ByteRef;

// Base of the mission-wide forms. They are modal and work on the store
// directly: each control reads its field when the form shows it and writes it
// when the user changes it. Filling an edit when the form opens writes
// nothing, so opening and closing a form leaves the mission as it was.
class SettingsForm : public core::FormModel {
  protected:
    SettingsForm(const shipgroup::ShipgroupContext& ctx, std::string title)
        : core::FormModel(std::move(title), true), m_ctx(ctx) {}

    mission::MissionStore& store() const { return m_ctx.store; }
    uint8_t get(const ByteRef& r) const { return store().byte(r.table, r.slot, r.offset); }
    void put(const ByteRef& r, int v) {
        store().setByte(r.table, r.slot, r.offset, static_cast<uint8_t>(v));
    }

    using RefFn = std::function<ByteRef()>;
    // The byte `ref` names when it is read or written, for the core builders.
    core::Binding byteAt(RefFn ref) { return shipgroup::storedByte(store(), std::move(ref)); }
    // A zero-padded text field of `width` bytes: every keystroke clears the
    // field and writes the first `limit` characters of the text.
    core::TextBinding textAt(RefFn ref, int width, int limit) {
        return shipgroup::storedText(store(), std::move(ref), width, limit);
    }

    const shipgroup::ShipgroupContext& m_ctx;
};

}  // namespace quendar::settings
