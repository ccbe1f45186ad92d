#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "app/editor/Editor.h"
#include "app/files/MissionIO.h"
#include "app/mapedit/MapTools.h"
#include "mission/MissionFile.h"
#include "shipgroup/FormFactory.h"
#include "shipgroup/ShipgroupContext.h"
#include "support/ScriptedUi.h"
#include "support/StubPorts.h"

namespace quendar::app::test {

// An editor with a mission opened from a file image (journal empty, nothing
// modified), the map tools on an 800 × 600 map, and the forms a test opens
// wired as the frame wires them: every form's changes are actions of the
// editor's journal and every shipgroup event reaches the open forms.
struct UndoFixture {
    Editor editor;
    quendar::testing::ScriptedPrompter prompter;
    quendar::testing::StubFrameView view;
    quendar::testing::StubMapListeners listeners;
    MapTools tools{editor, prompter, view, listeners, listeners};
    quendar::testing::StubShipgroupPort port;
    shipgroup::ShipgroupContext ctx{editor.store, editor.shipgroupEvents, prompter, port,
                                    &editor.craftList};
    std::vector<std::unique_ptr<core::FormModel>> forms;
    std::vector<shipgroup::ShipgroupForm*> shipgroupForms;
    core::Notifier<ShipgroupEvent>::Connection relay;

    UndoFixture() {
        editor.craftListPath = QUENDAR_DATA_DIR "/SHIPLIST.TXT";
        for (int i = 0; i < map::MapView::kCentringNotifications; ++i)
            editor.mapView.resize(800, 600);
        relay = editor.shipgroupEvents.connect([this](ShipgroupEvent event) {
            for (auto* f : shipgroupForms)
                if (const auto r = relayed(f->kind(), event)) f->receive(*r);
        });
    }

    void open(std::span<const uint8_t> file) {
        {
            mission::ChangeJournal::Pause pause(editor.journal);
            loadMissionBytes(editor, file);
        }
        editor.journal.clear();
    }

    // The frame's relay of the shipgroup events to the open forms.
    static std::optional<ShipgroupEvent> relayed(shipgroup::FormKind kind, ShipgroupEvent e) {
        using shipgroup::FormKind;
        using enum ShipgroupEvent;
        if (kind == FormKind::Shipgroups || kind == FormKind::ShipgroupsViewcontrol) return e;
        if (e == CurrentChanged) return Reload;
        if (e == Added && kind == FormKind::Basic) return Reload;
        if (e == Advanced && kind == FormKind::Advanced) return Advanced;
        if (e == Waypoints && kind == FormKind::Waypoints) return Waypoints;
        return std::nullopt;
    }

    template <typename Form>
    Form& add(std::unique_ptr<Form> form) {
        form->setActionGroups(&editor.journal);
        Form& f = *form;
        forms.push_back(std::move(form));
        return f;
    }
    shipgroup::ShipgroupForm& openShipgroupForm(shipgroup::FormKind kind) {
        auto& f = add(shipgroup::createForm(kind, ctx));
        shipgroupForms.push_back(&f);
        return f;
    }

    // What Undo's refresh does for the views the tests keep: the current
    // shipgroup stays in the list and the open forms re-read.
    void refresh() {
        auto& s = editor.store;
        if (s.currentShipgroup >= s.shipgroupCount) s.currentShipgroup = s.shipgroupCount - 1;
        if (s.currentShipgroup < 0) s.currentShipgroup = 0;
        for (auto* f : shipgroupForms) f->receive(ShipgroupEvent::Reload);
    }
    bool undo() {
        const bool done = editor.journal.undo();
        refresh();
        return done;
    }
    bool redo() {
        const bool done = editor.journal.redo();
        refresh();
        return done;
    }

    // The file the mission would be saved as, built from a copy of the store
    // into which briefing 1 is packed: the live store and lists stay as they are.
    std::vector<uint8_t> image() const {
        mission::MissionStore copy(editor.store);
        editor.briefing.packInto(copy);
        return mission::writeMission(copy);
    }
};

// The bundled sample mission's bytes.
inline std::vector<uint8_t> sampleMissionFile() {
    std::ifstream in(QUENDAR_DATA_DIR "/samples/lantern-run.tie", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace quendar::app::test
