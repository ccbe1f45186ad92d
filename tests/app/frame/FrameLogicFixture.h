#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/frame/FrameLogic.h"
#include "mission/NewMission.h"
#include "support/ScriptedUi.h"
#include "support/StubFrameServices.h"

namespace quendar::app::test {

// The window as the frame logic sees it, recording what it was told.
struct FakeView : FrameView {
    std::string title;
    std::map<int, bool> bars{{128, true},  {145, true},  {135, true},
                             {147, false}, {153, false}, {151, false}};
    bool statusBar = true;
    std::map<Pane, std::string> panes;
    std::vector<std::string> selector;
    int selected = -1;
    int repaints = 0, sizeNotes = 0, scrollSyncs = 0;
    std::vector<std::string> modal;  // titles of the modal forms, in order
    std::function<void(core::FormModel&)> onModal;
    std::map<FormKey, std::shared_ptr<core::FormModel>> open;
    bool closed = false;

    void setTitle(const std::string& t) override { title = t; }
    bool isToolbarVisible(int id) const override { return bars.at(id); }
    void setToolbarVisible(int id, bool v) override { bars[id] = v; }
    bool isStatusBarVisible() const override { return statusBar; }
    void setStatusBarVisible(bool v) override { statusBar = v; }
    void setPaneText(Pane p, const std::string& t) override { panes[p] = t; }
    void fillSelector(const std::vector<std::string>& n, int c) override {
        selector = n;
        selected = c;
    }
    void selectInSelector(int i) override { selected = i; }
    void appendToSelector(const std::string& n) override { selector.push_back(n); }
    void replaceInSelector(int i, const std::string& n) override { selector.at(i) = n; }
    void repaintMap() override { ++repaints; }
    void mapSizeChanged() override { ++sizeNotes; }
    void mapScrollChanged() override { ++scrollSyncs; }
    bool runModal(core::FormModel& f) override {
        modal.push_back(f.title());
        if (onModal) onModal(f);
        return f.accepted;
    }
    void showModeless(FormKey k, std::shared_ptr<core::FormModel> f) override {
        open[k] = std::move(f);
    }
    void closeModeless(FormKey k) override { open.erase(k); }
    core::FormModel* openForm(FormKey k) override {
        auto it = open.find(k);
        return it == open.end() ? nullptr : it->second.get();
    }
    void showFirstRunPicture() override { modal.push_back("picture"); }
    void closeWindow() override { closed = true; }
    int sliderTime = -1, sliderEnd = -1;
    void showBriefingTime(int t, int end) override {
        sliderTime = t;
        sliderEnd = end;
    }
};

struct FakeMap : MapPort {
    int z = 100, reg = 0, proj = 0;
    bool mode = false, lock = true;
    int zoom() const override { return z; }
    void setZoom(int v) override { z = v; }
    bool briefingMode() const override { return mode; }
    void setBriefingMode(bool on) override {
        mode = on;
        if (on) proj = 0;
    }
    bool briefingLock() const override { return lock; }
    int region() const override { return reg; }
    void setRegion(int r) override { reg = r; }
    int projection() const override { return proj; }
    void setProjection(int p) override { proj = p; }
    void zoomStep(int s) override { z += s; }
    void centre() override {}
    std::pair<std::string, std::string> readout() const override { return {"-0.05", "2.50"}; }
};

using Events = std::vector<ShipgroupEvent>;

struct RecordingForm : core::FormModel {
    explicit RecordingForm(std::string t) : FormModel(std::move(t), false) {}
    void receive(ShipgroupEvent event) override { got.push_back(event); }
    Events got;
};

struct Fixture {
    Editor editor;
    CommandTable commands;
    FakeView view;
    FakeMap map;
    quendar::testing::ScriptedPrompter prompter;
    int writes = 0;
    bool prefsValid = true;
    quendar::testing::StubFrameServices stubServices = services();
    FrameLogic logic;

    quendar::testing::StubFrameServices services() {
        quendar::testing::StubFrameServices s;
        s.fn.readPreferences = [this] { return prefsValid; };
        s.fn.writePreferences = [this] { ++writes; };
        s.fn.resetMission = [this] { mission::resetToNewMission(editor.store); };
        struct Titled : core::FormModel {
            explicit Titled(std::string t) : FormModel(std::move(t), true) {}
        };
        s.fn.coordinatesForm = [] { return std::make_unique<Titled>("Coordinates Properties"); };
        s.fn.mapPropertiesForm = [] { return std::make_unique<Titled>("Map Properties"); };
        s.fn.axisForm = [] { return std::make_unique<Titled>("Axis properties"); };
        return s;
    }
    Fixture() : logic(editor, commands, view, map, prompter, stubServices) {}

    std::shared_ptr<RecordingForm> openForm(FormKey key) {
        auto f = std::make_shared<RecordingForm>(formName(key));
        view.open[key] = f;
        return f;
    }
};

}  // namespace quendar::app::test
