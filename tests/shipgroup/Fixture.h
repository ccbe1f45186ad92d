#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "mission/CraftList.h"
#include "mission/MissionStore.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/ShipgroupContext.h"
#include "shipgroup/ShipgroupForm.h"
#include "shipgroup/ShipgroupList.h"
#include "support/FormFixture.h"
#include "support/StubPorts.h"

namespace quendar::shipgroup::test {

namespace sg = mission::sg;
using core::Answer;
using mission::Table;
using quendar::testing::chooseAll;
using quendar::testing::expectItems;

// A prompter that answers from a script and records every question.
class ScriptedPrompter : public core::Prompter {
  public:
    core::Answer ask(std::string_view text, std::string_view caption, core::Buttons,
                     core::Icon) override {
        asked.push_back(std::string(caption) + ": " + std::string(text));
        if (whileShown) whileShown();
        if (answers.empty()) return core::Answer::Ok;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<core::Answer> answers;
    std::vector<std::string> asked;
    std::function<void()> whileShown;  // runs while a box is up
};

inline std::string craftLine(int type, const std::string& name, const std::string& category,
                             const std::string& fly = "Flyable") {
    return "CRAFT    " + std::to_string(type) + "!" + name + "," + category + "," + fly +
           ",Known,Skirmish,\t 1,2,3,4,5,6,7,8\n";
}

// The events a fixture heard, in order.
using Sent = std::vector<ShipgroupEvent>;

// The frame's relay of the shipgroup events to the open shipgroup forms.
inline std::optional<ShipgroupEvent> relayed(FormKind form, ShipgroupEvent e) {
    using enum ShipgroupEvent;
    if (form == FormKind::Shipgroups || form == FormKind::ShipgroupsViewcontrol) return e;
    if (e == CurrentChanged || (e == Added && form == FormKind::Basic)) return Reload;
    if ((e == Advanced && form == FormKind::Advanced) ||
        (e == Waypoints && form == FormKind::Waypoints))
        return e;
    return std::nullopt;
}

// A mission in memory with `n` shipgroups named "G0" .. and the empty record
// in every other slot.
struct Fixture : quendar::testing::FormFixtureOf<ScriptedPrompter> {
    mission::CraftList crafts;
    std::vector<ShipgroupEvent> sent;
    core::Notifier<ShipgroupEvent>::Connection listen;
    std::vector<ShipgroupForm*> open;  // forms that get the relayed events
    quendar::testing::StubShipgroupPort port;
    ShipgroupContext ctx{store, events, prompter, port, &crafts};

    explicit Fixture(int n = 1) {
        for (int i = 0; i < mission::kMaxShipgroups; ++i) writeEmptyShipgroup(store, i, 0);
        store.shipgroupCount = n;
        store.currentShipgroup = 0;
        for (int i = 0; i < n; ++i) rec(i).setName("G" + std::to_string(i));
        crafts.parse(craftLine(1, "Kestrel", "Fighters") + craftLine(4, "Heron", "Fighters") +
                     craftLine(20, "Hauler", "Freighters", "Not flyable") +
                     craftLine(21, "Barge", "Freighters") +
                     craftLine(183, "Backdrop", "Backdrops", "Not flyable"));
        listen = events.connect([this](ShipgroupEvent e) {
            sent.push_back(e);
            for (ShipgroupForm* form : open)
                if (const auto r = relayed(form->kind(), e)) form->receive(*r);
        });
    }
    template <typename Form>
    Form& opened(Form& form) {
        open.push_back(&form);
        return form;
    }
    mission::ShipgroupRecord rec(int i) { return mission::ShipgroupRecord(store, i); }
    // The bytes of shipgroup `i`.
    using FormFixtureOf::at;
    using FormFixtureOf::chooseAndExpect;
    using FormFixtureOf::put;
    int at(int i, int offset) const { return at(mission::Table::Shipgroups, i, offset); }
    void put(int i, int offset, int v) { put(mission::Table::Shipgroups, i, offset, v); }
    // How often `form` read the mission again while the events were sent.
    int refreshesAfter(core::FormModel& form, std::initializer_list<ShipgroupEvent> sent) {
        int refreshes = 0;
        auto c = form.refreshed.connect([&] { ++refreshes; });
        for (ShipgroupEvent e : sent) events.notify(e);
        return refreshes;
    }
    void chooseAndExpect(core::FormModel& form, int i, std::initializer_list<Stored> rows) const {
        chooseAndExpect(form, mission::Table::Shipgroups, i, rows);
    }
};

}  // namespace quendar::shipgroup::test
