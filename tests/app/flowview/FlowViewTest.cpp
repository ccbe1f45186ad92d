// The Flow view and Find References without their windows: the settle and the
// layout handed to a layouter, the filter, where clicks go, the references.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/flowview/FlowView.h"
#include "mission/NewMission.h"

namespace quendar::app {
namespace {

using mission::Table;

struct Port : FlowPort {
    std::vector<std::string> calls;
    void selectShipgroup(int i) override { calls.push_back("select " + std::to_string(i)); }
    void goTo(const lint::Location& at) override {
        calls.push_back("goTo " + std::to_string(static_cast<int>(at.area)) + " " +
                        std::to_string(at.index) + " " + std::to_string(at.offset) + " " +
                        at.field.str());
    }
    void findReferences(int g) override { calls.push_back("find " + std::to_string(g)); }
    void schedule(int) override {}
};

struct Fixture {
    Editor editor;
    Port port;
    std::vector<std::string> texts;  // what the layouter was given
    Fixture() {
        mission::resetToNewMission(editor.store);
        editor.store.shipgroupCount = 3;
        const char* names[] = {"Ash Kite", "Brine Owl", "Cinder Moth"};
        for (int i = 0; i < 3; ++i) {
            mission::setEmptyShipgroup(editor.store, i);
            editor.store.setText(Table::Shipgroups, i, 0, 20, names[i]);
        }
        editor.store.setByte(Table::Shipgroups, 1, 136, 2);  // #1 arrives when #0 is destroyed
        editor.store.setByte(Table::Shipgroups, 1, 137, 1);
        editor.store.messageCount = 1;
        editor.store.setByte(Table::GlobalGoals, 2, 2 + 122 * 2, 10);  // team 3 secondary: FALSE
    }
};

void waitForLayout(FlowView& v) {
    for (int k = 0; k < 500 && v.layoutRunning(); ++k) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        v.tick();
    }
}

TEST(FlowViewTest, LayoutFilterAndClicks) {
    Fixture f;
    FlowView v(f.editor, f.port, [&f](const std::string& dot) {
        f.texts.push_back(dot);
        flow::Layout l;
        l.nodes.push_back({0, {50, 20}, 80, 30});
        return l;
    });
    int changes = 0;
    auto conn = v.changed.connect([&] { ++changes; });
    v.refresh();
    waitForLayout(v);
    ASSERT_EQ(f.texts.size(), 1u);
    EXPECT_EQ(changes, 2) << "when it starts and when it is in";
    EXPECT_NE(f.texts[0].find("n0 -> n1 [id=\"e0\", label=\"destroyed\"]"), std::string::npos);
    EXPECT_EQ(v.analysis().nodes.size(), 5u) << "three groups, a message, team 3's secondary goals";

    v.setFilter("OWL");
    waitForLayout(v);
    ASSERT_EQ(f.texts.size(), 2u);
    EXPECT_EQ(f.texts[1].find("n0 "), std::string::npos)
        << "Ash Kite is filtered out, and its edge";
    EXPECT_NE(f.texts[1].find(
                  "n1 [label=\"#1 \\\"Brine Owl\\\"\\nafter #0 \\\"Ash Kite\\\" is destroyed\""),
              std::string::npos);

    // The node's box: 10..90 x 5..35.
    EXPECT_EQ(v.nodeAt(10, 5), 0);
    EXPECT_EQ(v.nodeAt(90, 35), 0);
    EXPECT_EQ(v.nodeAt(91, 20), -1);
    EXPECT_EQ(v.nodeAt(50, 36), -1);

    v.click(0);
    v.click(3);  // a message: no shipgroup to select
    v.doubleClick(1);
    v.doubleClick(3);
    v.doubleClick(4);
    v.doubleClick(-1);
    EXPECT_EQ(f.port.calls,
              (std::vector<std::string>{"select 0", "goTo 0 1 136 arrival", "goTo 1 0 92 triggers",
                                        "goTo 2 " + std::to_string((2 * 3 + 2) * 4) + " 246 "}));
}

TEST(FlowViewTest, ReferencesListAndTitle) {
    Fixture f;
    f.editor.store.setByte(Table::Shipgroups, 2, 202 + 12, 1);  // region 1 order 1 target 1: #0
    ReferenceList refs(f.editor, f.port);
    refs.find(0);
    ASSERT_EQ(refs.size(), 2);
    EXPECT_EQ(refs.title(), "References to #0 \"Ash Kite\": 2");
    EXPECT_EQ(refs.row(0),
              (std::vector<std::string>{"arrival trigger",
                                        "shipgroup #1 \"Brine Owl\" arrival.trigger1.subject"}));
    EXPECT_EQ(refs.row(1),
              (std::vector<std::string>{"order target",
                                        "shipgroup #2 \"Cinder Moth\" region1.order1.target1"}));
    EXPECT_EQ(refs.location(1).region, 0);
    EXPECT_EQ(refs.location(1).slot, 0);
    refs.goTo(0);
    EXPECT_EQ(f.port.calls, (std::vector<std::string>{"goTo 0 1 138 arrival.trigger1.subject"}));
    refs.find(2);
    EXPECT_EQ(refs.title(), "Nothing names #2 \"Cinder Moth\"");
}

}  // namespace
}  // namespace quendar::app
