#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/editor/Editor.h"
#include "app/editor/FormKeys.h"
#include "core/FormModel.h"
#include "map/PointerEvent.h"

// What the rooms of the editor ask of the window and of each other. The frame
// above them implements these; a room never includes another room.
namespace quendar::app {

// Status bar panes (message pane first, then the four read-outs).
enum class Pane { Message, PositionX, PositionY, BrTime, CurrentCommand };

// What the frame logic asks of the window. CMainFrame implements it; tests
// use a recording fake.
class FrameView {
  public:
    virtual ~FrameView() = default;
    virtual void setTitle(const std::string& title) = 0;
    virtual bool isToolbarVisible(int id) const = 0;
    virtual void setToolbarVisible(int id, bool visible) = 0;  // re-lays out the frame
    virtual bool isStatusBarVisible() const = 0;
    virtual void setStatusBarVisible(bool visible) = 0;
    virtual void setPaneText(Pane pane, const std::string& text) = 0;
    // The shipgroup selector on toolbar 145.
    virtual void fillSelector(const std::vector<std::string>& names, int current) = 0;
    virtual void selectInSelector(int index) = 0;
    virtual void appendToSelector(const std::string& name) = 0;
    virtual void replaceInSelector(int index, const std::string& name) = 0;
    virtual void repaintMap() = 0;
    virtual void mapSizeChanged() = 0;
    // The view changed its zoom and scroll itself (a zoom step has already sent
    // its size notification): the scroll bars follow, nothing is counted again.
    virtual void mapScrollChanged() {}
    // Forms. Modal: returns the model's `accepted`. Modeless: any window open
    // under the key is destroyed first.
    virtual bool runModal(core::FormModel& form) = 0;
    virtual void showModeless(FormKey key, std::shared_ptr<core::FormModel> form) = 0;
    virtual void closeModeless(FormKey key) = 0;
    virtual core::FormModel* openForm(FormKey key) = 0;
    virtual void showFirstRunPicture() = 0;  // modal; closed by a left click
    // The briefing time slider: its range and position.
    virtual void showBriefingTime(int time, int endTime) = 0;
    virtual void closeWindow() = 0;
};

// The map view operations the frame's commands and mode switches use.
class MapPort {
  public:
    virtual ~MapPort() = default;
    virtual int zoom() const = 0;
    virtual void setZoom(int zoom) = 0;
    virtual bool briefingMode() const = 0;
    virtual void setBriefingMode(bool on) = 0;  // entering also sets the X-Y projection
    virtual bool briefingLock() const = 0;
    virtual int region() const = 0;
    virtual void setRegion(int region) = 0;
    virtual int projection() const = 0;
    virtual void setProjection(int projection) = 0;
    virtual void zoomStep(int step) = 0;  // +20 / -20, within the limits
    virtual void centre() = 0;
    // The "Position X" and "Position Y" read-outs of the last mouse position.
    virtual std::pair<std::string, std::string> readout() const = 0;
    // Applies the briefing view at the current briefing time (briefing mode).
    virtual void applyBriefingView() {}
};

using FormFactory = std::function<std::shared_ptr<core::FormModel>(Editor&)>;

// The briefing time read-outs follow the briefing: the bar and the briefing
// dialogs call this after they moved its time.
class BriefingTimeListener {
  public:
    virtual ~BriefingTimeListener() = default;
    virtual void refreshBriefingTime() = 0;
};

// Writes the preferences file after a setting changed outside its dialogs
// (a briefing toolbar toggle); it reports its own failure.
class PreferencesPort {
  public:
    virtual ~PreferencesPort() = default;
    virtual void writePreferences() = 0;
};

// What the map tools hand on to the frame: the position read-out follows the
// mouse, and a right click without a drag opens Basic again.
class MapToolsListener {
  public:
    virtual ~MapToolsListener() = default;
    virtual void mouseMoved() = 0;
    virtual void reopenBasic() = 0;
};

// The briefing room's side of the map, which the briefing tools implement:
// the pointer events in briefing mode (a move after the map stored the
// position), and the waypoint buttons k (0..7), which choose briefing slots
// there: enabled, checked and chosen.
class BriefingMapPort {
  public:
    virtual ~BriefingMapPort() = default;
    virtual void pointer(const map::PointerEvent& event) = 0;
    virtual bool pointEnabled(int k) const = 0;
    virtual bool pointChecked(int k) const = 0;
    virtual void choosePoint(int k) = 0;
};

}  // namespace quendar::app
