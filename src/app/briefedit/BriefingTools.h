#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/editor/CommandTable.h"
#include "app/editor/Editor.h"
#include "app/editor/FramePorts.h"
#include "core/FormModel.h"
#include "core/Prompter.h"
#include "map/PointerEvent.h"

namespace quendar::app {

class MotionWizardForm;

// Values of `mapTool` the briefing tools use.
namespace btool {
constexpr int ShowShip = 200, SelectionSlot = 201, Rotate = 202, TextSlot = 204, HideShip = 207,
              MoveShip = 214, TechData = 215;
constexpr int selection(int slot) { return 400 + slot; }  // slot 1..8
constexpr int tag(int slot) { return 410 + slot; }        // slot 1..8
}  // namespace btool

// The Motion Wizard's steps.
enum MotionStep : int {
    kPickShip = 0, kShipPicked = 1, kRepositioning = 2, kRepositioned = 3, kSimpleMoving = 10,
    kMoved = 11
};

// The briefing tools: the toolbar commands and what a click on the map does
// in briefing mode. Each tool appends briefing commands at the current time,
// records them in the undo log and says what it did in the status pane. The
// limits refuse silently; a picker closed without its Ok button adds nothing
// and leaves the tool as it was.
class BriefingTools {
  public:
    static constexpr int kToolLimit = 499;
    static constexpr int kMoveLimit = 999;

    BriefingTools(Editor& editor, core::Prompter& prompter);

    // What the tools ask of the window and the frame.
    std::function<bool(core::FormModel&)> runModal;        // true when accepted
    std::function<void(const std::string&)> status;        // "Current Briefing Command" pane
    std::function<void(const std::string&)> message;       // message pane
    std::function<void()> refreshStatus;                   // the time and command panes
    std::function<void()> repaint;
    std::function<void()> savePreferences;
    // The Motion Wizard window: opened (replacing an open one) with its model,
    // and closed.
    std::function<void(std::shared_ptr<core::FormModel>)> showMotionWizard;
    std::function<void()> closeMotionWizard;

    void bindCommands(CommandTable& commands);
    // The slot buttons of the selection and text tools, for MapTools.
    BriefingPoints slotButtons();
    // A pointer event on the map in briefing mode.
    void pointer(const map::PointerEvent& event);

    // The Motion Wizard's state, polled by its window.
    int motionStep() const { return m_motionStep; }
    int motionStart() const { return m_motionStart; }
    int motionShip() const { return m_motionShip; }
    void setMotionStep(int step) { m_motionStep = step; }
    // The picked values the next command takes.
    int pickedText() const { return m_pickedText; }
    int pickedColour() const { return m_pickedColour; }

    // One of the tool buttons, as the command table runs it.
    void run(CommandId command);
    // A left click at a map point (briefing units), and a right click.
    void leftClickAt(int x, int y);
    void rightClick();

    // While hints are on in briefing mode, shows a tool's hint first; false
    // when the user answered No and the tool must not start.
    bool hintSaysYes(std::string_view text);

  private:
    bool inBriefing() const { return m_editor.viewSwitches.briefingMode; }
    bool room(briefing::Kind kind, int limit = kToolLimit) const;
    int now() const { return m_editor.briefing.currentTime(); }
    void say(const std::string& text);
    void done();  // mapTool back to 0, panes refreshed
    void redraw();
    // Appends one command at the current time as the action `action`.
    void appendNow(briefing::Kind kind, std::initializer_list<int> params, const char* text,
                   const char* action);
    void motionClick(int x, int y);
    void chooseSlot(int k);
    void techDataButton();
    void openMotionWizard();
    // The wizard's poll of the step, run after every event that may change it
    // (the tools change the step only inside their event handlers).
    void pollMotionWizard();

    Editor& m_editor;
    core::Prompter& m_prompter;
    int m_pickedText = 0;
    int m_pickedColour = 0;
    int m_motionStep = kPickShip;
    int m_motionStart = 0;
    int m_motionShip = 0;
    std::weak_ptr<MotionWizardForm> m_wizard;
};

}  // namespace quendar::app
