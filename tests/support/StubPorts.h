#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/editor/FramePorts.h"
#include "app/editor/StatusPort.h"
#include "core/Image.h"
#include "shipgroup/ShipgroupContext.h"

namespace quendar::testing {

// The window as a room sees it, counting what the room asks: repaints, pane
// texts, modal forms (answered by `modal`, else closed unaccepted) and the
// modeless forms shown under their keys.
class StubFrameView : public app::FrameView {
  public:
    void setTitle(const std::string&) override {}
    bool isToolbarVisible(int) const override { return true; }
    void setToolbarVisible(int, bool) override {}
    bool isStatusBarVisible() const override { return true; }
    void setStatusBarVisible(bool) override {}
    void setPaneText(app::Pane p, const std::string& t) override { panes[p] = t; }
    void fillSelector(const std::vector<std::string>&, int) override {}
    void selectInSelector(int) override {}
    void appendToSelector(const std::string&) override {}
    void replaceInSelector(int, const std::string&) override {}
    void repaintMap() override { ++repaints; }
    void mapSizeChanged() override {}
    bool runModal(core::FormModel& f) override {
        if (modal) modal(f);
        return f.accepted;
    }
    void showModeless(app::FormKey key, std::shared_ptr<core::FormModel> f) override {
        modeless[key] = std::move(f);
    }
    void closeModeless(app::FormKey key) override { modeless.erase(key); }
    core::FormModel* openForm(app::FormKey key) override {
        auto it = modeless.find(key);
        return it == modeless.end() ? nullptr : it->second.get();
    }
    void showFirstRunPicture() override {}
    void closeWindow() override {}
    void showBriefingTime(int, int) override {}

    int repaints = 0;
    std::map<app::Pane, std::string> panes;
    std::function<void(core::FormModel&)> modal;
    std::map<app::FormKey, std::shared_ptr<core::FormModel>> modeless;
};

// What the map tools hand to the frame and to the briefing tools, counted.
struct StubMapListeners : app::MapToolsListener, app::BriefingMapPort {
    void mouseMoved() override { ++moves; }
    void reopenBasic() override { ++basics; }
    void pointer(const map::PointerEvent& e) override { briefingEvents.push_back(e); }
    bool pointEnabled(int k) const override { return enabled && enabled(k); }
    bool pointChecked(int) const override { return false; }
    void choosePoint(int) override {}

    int moves = 0, basics = 0;
    std::vector<map::PointerEvent> briefingEvents;
    std::function<bool(int)> enabled;
};

// The message pane, keeping every text a room told it.
struct StubStatus : app::StatusPort {
    void showStatus(const std::string& text) override { told.push_back(text); }
    std::vector<std::string> told;
};

// The window as the shipgroup forms see it: repaints and opened forms
// recorded, one icon for every craft type (empty: none), a fixed shown region.
struct StubShipgroupPort : shipgroup::ShipgroupPort {
    void repaintMap() override { ++repaints; }
    void openForm(shipgroup::FormKind kind) override { opened.push_back(kind); }
    core::RgbaImage craftIcon(int) const override { return icon; }
    int currentRegion() const override { return region; }

    int repaints = 0;
    std::vector<shipgroup::FormKind> opened;
    core::RgbaImage icon;
    int region = 0;
};

}  // namespace quendar::testing
