#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "core/FormModel.h"
#include "core/Notifier.h"
#include "core/ShipgroupEvent.h"
#include "mission/MissionStore.h"
#include "support/ScriptedUi.h"

namespace quendar::testing {

// A choice made on a form: the control's id and the entry picked.
struct Pick {
    const char* id;
    int value;
};

// Makes the picks on `form` in order, as the user's clicks would.
inline void chooseAll(core::FormModel& form, std::initializer_list<Pick> picks) {
    for (const Pick& p : picks) form.choose(p.id, p.value);
}

// A list control's entries: how many, then the text of the rows named.
inline void expectItems(const core::FormModel& form, std::string_view id, std::size_t count,
                        std::initializer_list<std::pair<int, const char*>> rows) {
    const auto items = form.itemsOf(id);
    ASSERT_EQ(items.size(), count) << id;
    for (const auto& [row, text] : rows) EXPECT_EQ(items[row], text) << id << " row " << row;
}

// What every form-model test works on: a mission in memory, the events the
// forms send and the prompter their boxes go to, and the close requests of
// the forms it watches.
template <typename Prompter = ScriptedPrompter>
struct FormFixtureOf {
    mission::MissionStore store;
    core::Notifier<core::ShipgroupEvent> events;
    Prompter prompter;
    int closes = 0;

    int at(mission::Table t, int slot, int offset) const { return store.byte(t, slot, offset); }
    void put(mission::Table t, int slot, int offset, int v) {
        store.setByte(t, slot, offset, static_cast<uint8_t>(v));
    }
    std::string bytesOf(mission::Table t, int slot) const {
        auto s = store.slot(t, slot);
        return std::string(s.begin(), s.end());
    }
    void putBytes(mission::Table t, int slot,
                  std::initializer_list<std::pair<int, int>> offsetsAndValues) {
        for (const auto& [offset, value] : offsetsAndValues) put(t, slot, offset, value);
    }
    // The bytes of one record, each given by its offset and the value it must hold.
    void expectBytes(mission::Table t, int slot,
                     std::initializer_list<std::pair<int, int>> offsetsAndValues) const {
        for (const auto& [offset, value] : offsetsAndValues)
            EXPECT_EQ(at(t, slot, offset), value) << "byte " << offset << " of slot " << slot;
    }
    // Each pick made on the form, then the byte that must hold the value picked.
    struct Stored {
        const char* id;
        int value;
        int offset;
    };
    void chooseAndExpect(core::FormModel& form, mission::Table t, int slot,
                         std::initializer_list<Stored> rows) const {
        for (const Stored& r : rows) {
            form.choose(r.id, r.value);
            EXPECT_EQ(at(t, slot, r.offset), r.value) << r.id;
        }
    }
    // Counts the form's close requests in `closes`.
    void watch(core::FormModel& f) {
        m_watched.push_back(f.closeRequested.connect([this] { ++closes; }));
    }

  private:
    std::vector<core::Notifier<>::Connection> m_watched;
};

using FormFixture = FormFixtureOf<>;

}  // namespace quendar::testing
