#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/FormModel.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/ShipgroupContext.h"

namespace quendar::shipgroup {

// Base of the modeless shipgroup forms. The frame relays the shipgroup events
// to the open forms through receive(): the list forms get every event as it
// is; on CurrentChanged every property form gets Reload, on Added the Basic form
// does; Advanced goes to the Advanced options form and Waypoints to the
// Waypoints form. Every control
// reads and writes the current shipgroup through the store's checked API at the
// moment it changes.
class ShipgroupForm : public core::FormModel {
  public:
    ~ShipgroupForm() override = default;
    FormKind kind() const { return m_kind; }
    // A relayed event; the default reloads on Reload and Advanced.
    void receive(ShipgroupEvent event) override;
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

    // The byte at `offset` of the current shipgroup (the offset may follow
    // the form's state), for the core builders.
    // `after` runs after every write.
    core::Binding byteAt(int offset);
    core::Binding byteAt(std::function<int()> offset, std::function<void()> after = {});
    // The zero-padded text field of `width` bytes at `offset`: typing clears
    // the whole field and writes the first `maxLength` characters.
    core::TextBinding textAt(int offset, int width, int maxLength,
                             std::function<void()> after = {});

    const ShipgroupContext& m_ctx;

  private:
    FormKind m_kind;
};

// Where one byte or text field of the mission lives: a table, a slot and an offset.
struct ByteRef {
    mission::Table table;
    int slot = 0;
    int offset = 0;
};

// A byte of the store, and a zero-padded text field of `width` bytes there
// (typing clears the field and writes the first `limit` characters); the
// place is asked again on every read and write.
core::Binding storedByte(mission::MissionStore& store, std::function<ByteRef()> ref);
core::TextBinding storedText(mission::MissionStore& store, std::function<ByteRef()> ref, int width,
                             int limit);

}  // namespace quendar::shipgroup
