// A long random session through the program's own operations — form controls
// on many forms, the list operations, map clicks, wizard runs, correction
// passes, with undo and redo mixed in — must undo back to the opened mission
// byte for byte and redo forward to the edited one.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "UndoFixture.h"
#include "app/files/MissionChecks.h"
#include "settings/GlobalGoalsForm.h"
#include "settings/MessagesForm.h"
#include "settings/MissionForms.h"
#include "settings/TextForms.h"
#include "support/LargestMission.h"

using namespace quendar;
using core::ControlKind;
using map::PointerAction;
using map::PointerButton;
using shipgroup::FormKind;

namespace {

class RandomSession : public app::test::UndoFixture {
  public:
    explicit RandomSession(unsigned seed) : m_rng(seed) {
        for (FormKind k :
             {FormKind::Shipgroups, FormKind::ShipgroupsViewcontrol, FormKind::Basic,
              FormKind::Advanced, FormKind::Arrival, FormKind::Departure, FormKind::Orders,
              FormKind::Waypoints, FormKind::Goals, FormKind::Options})
            openShipgroupForm(k);
        add(std::make_unique<settings::MessagesForm>(ctx));
        add(std::make_unique<settings::GlobalGoalsForm>(ctx));
        add(std::make_unique<settings::MissionPropertiesForm>(ctx));
        add(std::make_unique<settings::TeamsPropertiesForm>(ctx));
        add(std::make_unique<settings::SystemsForm>(ctx));
        add(std::make_unique<settings::GlobalGroupsForm>(ctx));
        add(std::make_unique<settings::CargoesForm>(ctx));
        add(std::make_unique<settings::LongTextForm>(ctx, settings::LongTextForm::Which::Hints));
    }

    // One user operation, chosen at random.
    void step() {
        const int r = pick(100);
        if (r < 66) {
            formControl();
        } else if (r < 74) {
            listOperation();
        } else if (r < 88) {
            mapClick();
        } else if (r < 90) {
            hyperbuoyRun();
        } else if (r < 91) {
            app::validateMission(editor, prompter);
        } else if (r < 97) {
            // Back a few steps and forward again.
            const int k = 1 + pick(4);
            for (int i = 0; i < k; ++i) undo();
            for (int i = 0; i < k; ++i) redo();
        } else {
            // Back a few steps and go on from there: the undone steps are gone.
            const int k = 1 + pick(3);
            for (int i = 0; i < k; ++i) undo();
        }
    }

  private:
    int pick(int n) { return n <= 0 ? 0 : static_cast<int>(m_rng() % static_cast<unsigned>(n)); }
    std::string word(int maxLength) {
        const int n = pick(std::min(maxLength > 0 ? maxLength : 30, 24) + 1);
        std::string t;
        for (int i = 0; i < n; ++i) t += static_cast<char>(pick(3) == 0 ? ' ' : 'a' + pick(26));
        return t;
    }

    void formControl() {
        core::FormModel& form = *forms[pick(static_cast<int>(forms.size()))];
        std::vector<const core::Control*> usable;
        for (const auto& c : form.controls()) {
            if (!c.isEnabled() || !c.isVisible()) continue;
            // The buttons that close the form or open others are the frame's.
            if (c.kind == ControlKind::Button && !isListButton(c.id)) continue;
            if (c.kind == ControlKind::StaticText || c.kind == ControlKind::Picture) continue;
            usable.push_back(&c);
        }
        if (usable.empty()) return;
        const core::Control& c = *usable[pick(static_cast<int>(usable.size()))];
        const std::string id = c.id;
        switch (c.kind) {
            case ControlKind::DropDown:
            case ControlKind::ListBox:
            case ControlKind::RadioGroup:
                form.choose(id, pick(static_cast<int>(form.itemsOf(id).size())));
                break;
            case ControlKind::CheckBox: form.choose(id, pick(2)); break;
            case ControlKind::TriState: form.choose(id, pick(3)); break;
            case ControlKind::MultiList: {
                std::vector<int> rows;
                const int n = static_cast<int>(form.itemsOf(id).size());
                for (int i = 0; i < n; ++i)
                    if (pick(3) == 0) rows.push_back(i);
                form.select(id, rows);
                break;
            }
            case ControlKind::Edit: {
                // A run of keystrokes, left or not.
                const std::string target = word(c.maxLength);
                for (size_t i = 1; i <= target.size(); ++i) form.type(id, target.substr(0, i));
                if (target.empty()) form.type(id, "");
                if (pick(2) == 0) form.finishEditing(id);
                break;
            }
            case ControlKind::NumberEdit:
                form.type(id, std::to_string(pick(300) - 20));
                if (pick(2) == 0) form.finishEditing(id);
                break;
            case ControlKind::Slider: {
                const int v = c.minimum + pick(c.maximum - c.minimum + 1);
                if (c.thumbMoved && pick(2) == 0)
                    form.dragThumb(id, v);
                else
                    form.choose(id, v);
                break;
            }
            case ControlKind::Button: form.click(id); break;
            default: break;
        }
    }
    static bool isListButton(const std::string& id) {
        static const char* ids[] = {"add",      "copy", "deleteSelected", "deleteLast", "delete",
                                    "previous", "next"};
        return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
    }

    void listOperation() {
        auto& list = *forms[0];
        list.choose("list", pick(editor.store.shipgroupCount));
        const char* ops[] = {"add", "copy", "deleteSelected", "deleteLast"};
        if (pick(2) == 0) list.type("name", word(19));
        list.click(ops[pick(4)]);
    }

    void click(PointerAction a, PointerButton b, int x, int y, bool shift, bool control) {
        tools.pointer({a, b, shift, control, x, y});
    }
    void mapClick() {
        const int x = 20 + pick(760), y = 20 + pick(560);
        editor.mapView.setRegion(pick(4), false);
        switch (pick(6)) {
            case 0: click(PointerAction::Press, PointerButton::Left, x, y, true, false); break;
            case 1: click(PointerAction::Press, PointerButton::Left, x, y, false, true); break;
            case 2:
                editor.mapTool = app::MapTool::StartPoint1;
                click(PointerAction::Press, PointerButton::Left, x, y, false, false);
                break;
            case 3:
                editor.viewSwitches.currentOrder = pick(5);
                editor.mapTool = std::array{
                    app::MapTool::Waypoint1, app::MapTool::Waypoint2, app::MapTool::Waypoint3,
                    app::MapTool::Waypoint4, app::MapTool::Waypoint5, app::MapTool::Waypoint6,
                    app::MapTool::Waypoint7, app::MapTool::Waypoint8}[pick(8)];
                click(PointerAction::Press, PointerButton::Left, x, y, false, false);
                editor.mapTool = {};
                break;
            case 4:
                click(PointerAction::DoubleClick, PointerButton::Left, x, y, false, false);
                break;
            default:
                click(PointerAction::DoubleClick, PointerButton::Right, x, y, false, false);
                click(PointerAction::Release, PointerButton::Right, x, y, false, false);
                break;
        }
        click(PointerAction::Release, PointerButton::Left, x, y, false, false);
    }

    void hyperbuoyRun() {
        tools.hyperbuoy().start();
        click(PointerAction::Press, PointerButton::Left, 100 + pick(600), 300, false, false);
        editor.mapView.setRegion(pick(4), false);
        click(PointerAction::Press, PointerButton::Left, 100 + pick(600), 200, false, false);
        editor.mapTool = {};
    }

    std::mt19937 m_rng;
};

void runSession(std::span<const uint8_t> file, unsigned seed, int edits) {
    RandomSession session(seed);
    session.open(file);
    const auto opened = session.image();
    for (int i = 0; i < edits; ++i) session.step();
    const auto edited = session.image();
    ASSERT_NE(edited, opened) << "the session changed nothing";
    ASSERT_GT(session.editor.journal.actionCount(), static_cast<size_t>(edits) / 3);

    int undone = 0;
    while (session.undo()) ++undone;
    EXPECT_EQ(undone, static_cast<int>(session.editor.journal.actionCount()));
    EXPECT_TRUE(session.image() == opened) << "undo did not give the opened mission back";
    EXPECT_FALSE(session.editor.journal.modified());
    while (session.redo()) {
    }
    EXPECT_TRUE(session.image() == edited) << "redo did not give the edited mission back";
    EXPECT_TRUE(session.editor.journal.modified());
}

}  // namespace

TEST(UndoRandomEdits, ThousandEditsOnTheLargestMissionUndoAndRedoByteForByte) {
    runSession(quendar::testing::largestMissionFile(), 13, 1000);
}

TEST(UndoRandomEdits, ThousandEditsOnTheSampleUndoAndRedoByteForByte) {
    runSession(app::test::sampleMissionFile(), 2026, 1000);
}
