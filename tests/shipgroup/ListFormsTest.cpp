#include <gtest/gtest.h>

#include <set>

#include "Fixture.h"
#include "shipgroup/BasicForm.h"
#include "shipgroup/FormFactory.h"
#include "shipgroup/ListForms.h"

namespace quendar::shipgroup::test {
namespace {

TEST(ListForms, ShipgroupsFormDrivesTheListAndOpenFormsFollow) {
    Fixture f(3);
    ShipgroupsForm list(f.ctx);
    f.open.push_back(&list);
    BasicForm basic(f.ctx);
    f.open.push_back(&basic);
    int listRefreshes = 0, basicRefreshes = 0;
    auto c1 = list.refreshed.connect([&] { ++listRefreshes; });
    auto c2 = basic.refreshed.connect([&] { ++basicRefreshes; });

    EXPECT_EQ(list.itemsOf("list"), (std::vector<std::string>{"G0", "G1", "G2"}));
    list.choose("list", 2);
    EXPECT_EQ(f.store.currentShipgroup, 2);
    EXPECT_EQ(basic.textOf("name"), "G2");
    EXPECT_EQ(basicRefreshes, 1);

    list.type("name", "Escort wing");
    list.click("add");
    EXPECT_EQ(list.itemsOf("list").back(), "Escort wing");
    EXPECT_EQ(list.valueOf("list"), 3);
    EXPECT_EQ(basic.textOf("name"), "Escort wing");
    list.click("copy");
    EXPECT_EQ(f.store.shipgroupCount, 5);
    EXPECT_EQ(f.rec(4).name(), "Escort wing");

    // The last one selected and deleted: the new last one becomes current and
    // every open form shows it.
    f.prompter.answers = {Answer::Yes};
    list.click("deleteSelected");
    EXPECT_EQ(f.store.shipgroupCount, 4);
    EXPECT_EQ(f.store.currentShipgroup, 3);
    EXPECT_EQ(list.valueOf("list"), 3);
    basic.type("cargo", "Fuel");
    EXPECT_EQ(f.store.text(Table::Shipgroups, 3, sg::cargo, 20), "Fuel");
    EXPECT_EQ(f.store.text(Table::Shipgroups, 4, sg::cargo, 20), "");

    f.prompter.answers = {Answer::Yes};
    list.click("deleteLast");
    EXPECT_EQ(f.store.shipgroupCount, 3);
    EXPECT_EQ(basic.textOf("name"), "G2");
    EXPECT_GT(listRefreshes, 5);

    for (int k = 0; k < 8; ++k) list.click("open" + std::to_string(k));
    EXPECT_EQ(f.port.opened,
              (std::vector<FormKind>{FormKind::Basic, FormKind::Advanced, FormKind::Arrival,
                                     FormKind::Departure, FormKind::Orders, FormKind::Waypoints,
                                     FormKind::Goals, FormKind::Options}));
    EXPECT_EQ(list.find("open4")->label, "Shipgroup orders...");
}

TEST(ListForms, ViewcontrolTogglesTheMapSwitches) {
    Fixture f(2);
    bool order[4] = {}, iff[6] = {true, false, false, false, false, false}, backdrops = false;
    for (int k = 0; k < 4; ++k) f.ctx.view.orderWaypoints[k] = &order[k];
    for (int k = 0; k < 6; ++k) f.ctx.view.iffWaypoints[k] = &iff[k];
    f.ctx.view.backdrops = &backdrops;
    f.store.setText(Table::Header, 0, 20 + 20 * 3, 20, "Smugglers");

    ViewcontrolForm form(f.ctx);

    f.open.push_back(&form);
    EXPECT_EQ(form.title(), "Shipgroups&Viewcontrol");
    EXPECT_EQ(form.find("iff0")->label, "Rebel");
    EXPECT_EQ(form.find("iff5")->label, "Smugglers");
    EXPECT_EQ(form.valueOf("iff0"), 1);
    form.choose("order3", 1);
    form.choose("iff0", 0);
    form.choose("backdrop", 1);
    EXPECT_TRUE(order[2]);
    EXPECT_FALSE(iff[0]);
    EXPECT_TRUE(backdrops);
    EXPECT_EQ(f.port.repaints, 3);
    EXPECT_FALSE(form.find("ships")->isEnabled());

    f.store.setText(Table::Header, 0, 20, 20, "Traders");
    f.events.notify(ShipgroupEvent::IffNames);
    EXPECT_EQ(form.find("iff2")->label, "Traders");

    form.choose("list", 1);
    EXPECT_EQ(f.store.currentShipgroup, 1);
}

TEST(ListForms, EveryFormCanBeCreatedAndFollowsTheCurrentShipgroup) {
    Fixture f(2);
    const FormKind kinds[] = {FormKind::Shipgroups, FormKind::ShipgroupsViewcontrol,
                              FormKind::Basic,      FormKind::Advanced,
                              FormKind::Arrival,    FormKind::Departure,
                              FormKind::Orders,     FormKind::Waypoints,
                              FormKind::Goals,      FormKind::Options};
    for (FormKind k : kinds) {
        auto form = createForm(k, f.ctx);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->kind(), k);
        int refreshes = 0;
        auto c = form->refreshed.connect([&] { ++refreshes; });
        f.open = {form.get()};
        f.events.notify(ShipgroupEvent::CurrentChanged);
        f.open.clear();
        EXPECT_GE(refreshes, 1) << form->title();
        // Every control id is unique within its form.
        std::set<std::string> ids;
        for (const auto& ctl : form->controls()) EXPECT_TRUE(ids.insert(ctl.id).second) << ctl.id;
    }
}

}  // namespace
}  // namespace quendar::shipgroup::test
