#include "shipgroup/ShipgroupForm.h"

#include <algorithm>

namespace quendar::shipgroup {

ShipgroupForm::ShipgroupForm(const ShipgroupContext& ctx, FormKind kind, std::string title)
    : FormModel(std::move(title), false), m_ctx(ctx), m_kind(kind) {}

void ShipgroupForm::receive(ShipgroupEvent event) {
    if (event == ShipgroupEvent::Reload || event == ShipgroupEvent::Advanced) reload();
}

int ShipgroupForm::currentIndex() const {
    const int n = std::max(1, m_ctx.store.shipgroupCount);
    return std::clamp(m_ctx.store.currentShipgroup, 0, n - 1);
}

mission::ShipgroupRecord ShipgroupForm::current() const {
    return mission::ShipgroupRecord(m_ctx.store, currentIndex());
}

core::Binding ShipgroupForm::byteAt(int offset) {
    return byteAt([offset] { return offset; });
}

core::Binding ShipgroupForm::byteAt(std::function<int()> offset, std::function<void()> after) {
    return {[this, offset] { return static_cast<int>(get(offset())); },
            [this, offset, after](int v) {
                set(offset(), v);
                if (after) after();
            },
            [this, offset] { return static_cast<long long>(currentIndex()) << 16 | offset(); }};
}

core::TextBinding ShipgroupForm::textAt(int offset, int width, int maxLength,
                                        std::function<void()> after) {
    const auto field = [this, offset] {
        return ByteRef{mission::Table::Shipgroups, currentIndex(), offset};
    };
    core::TextBinding b = storedText(m_ctx.store, field, width, maxLength);
    if (after)
        b.set = [set = b.set, after](const std::string& t) {
            set(t);
            after();
        };
    return b;
}

core::Binding storedByte(mission::MissionStore& store, std::function<ByteRef()> ref) {
    return {[&store, ref] {
                const ByteRef r = ref();
                return static_cast<int>(store.byte(r.table, r.slot, r.offset));
            },
            [&store, ref](int v) {
                const ByteRef r = ref();
                store.setByte(r.table, r.slot, r.offset, static_cast<uint8_t>(v));
            }};
}

core::TextBinding storedText(mission::MissionStore& store, std::function<ByteRef()> ref, int width,
                             int limit) {
    return {[&store, ref, width] {
                const ByteRef r = ref();
                return store.text(r.table, r.slot, r.offset, width);
            },
            [&store, ref, width, limit](const std::string& t) {
                // The whole field is cleared, then the text copied in.
                const ByteRef r = ref();
                store.setText(r.table, r.slot, r.offset, width,
                              std::string_view(t).substr(0, limit));
            },
            limit};
}

}  // namespace quendar::shipgroup
