#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/briefedit/BriefingBar.h"
#include "app/editor/CommandTable.h"
#include "app/editor/Editor.h"
#include "app/editor/FramePorts.h"
#include "briefing/ShipPicking.h"
#include "core/FormModel.h"
#include "core/Prompter.h"
#include "map/PointerEvent.h"

namespace quendar::app {

class MotionWizardForm;

// The Motion Wizard's steps.
enum MotionStep : int {
    kPickShip = 0,
    kShipPicked = 1,
    kRepositioning = 2,
    kRepositioned = 3,
    kSimpleMoving = 10,
    kMoved = 11
};

// The briefing tools: the toolbar commands and what a click on the map does
// in briefing mode. Each tool appends briefing commands at the current time,
// records them in the undo log and says what it did in the status pane. The
// limits refuse silently; a picker closed without its Ok button adds nothing
// and leaves the tool as it was.
class BriefingTools : public BriefingMapPort, public LockQuestion {
  public:
    static constexpr int kToolLimit = 499;
    static constexpr int kMoveLimit = 999;

    // The window shows the pickers, the panes, the map and the Motion Wizard;
    // the time display refreshes the time and command panes; the toggles of
    // images and hints are written to the preferences file.
    BriefingTools(Editor& editor, core::Prompter& prompter, FrameView& view,
                  BriefingTimeListener& time, PreferencesPort& preferences);

    void bindCommands(CommandTable& commands);
    // The waypoint buttons are the slot buttons of the selection and text
    // tools in briefing mode (k 0..7 is slot k + 1).
    bool pointEnabled(int k) const override;
    bool pointChecked(int k) const override;
    void choosePoint(int k) override { chooseSlot(k + 1); }
    // A pointer event on the map in briefing mode.
    void pointer(const map::PointerEvent& event) override;

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

    // The map shows what the tools changed (the Motion Wizard asks it too).
    void redraw();

    // While hints are on in briefing mode, shows a tool's hint first; false
    // when the user answered No and the tool must not start.
    bool hintSaysYes(std::string_view text);
    // The lock's own hint.
    bool confirmLock() override;

  private:
    bool inBriefing() const { return m_editor.viewSwitches.briefingMode; }
    bool room(briefing::Kind kind, int limit = kToolLimit) const;
    int now() const { return m_editor.briefing.currentTime(); }
    void say(const std::string& text);
    void done();  // back to the select tool, panes refreshed
    // Appends one command at the current time as the action `action`.
    void appendNow(briefing::Kind kind, std::initializer_list<int> params, const char* text,
                   const char* action);
    // A tool's click that placed its command: appended at the current time as
    // the action `action`, the tool back to select, the map redrawn (and the
    // time and command panes refreshed) and the addition recorded in the
    // tools' undo log as `entry`.
    enum class Panes { Keep, Refresh };
    void place(briefing::Kind kind, std::initializer_list<int> params, const char* action,
               int entry, Panes panes = Panes::Refresh);
    // The clicks of the tools that pick a ship first, once it is picked.
    void tagClick(int slot, int x, int y);
    void selectionClick(int slot, const briefing::PickedShip& hit);
    void shipClick(BriefingTool tool, const briefing::PickedShip& hit);
    // The parts of run(): the buttons that arm a tool, those that append a
    // command about the view at once, and the instruction picker.
    bool armTool(CommandId id);
    bool appendViewCommand(CommandId id);
    void addInstruction();
    void motionClick(int x, int y);
    void chooseSlot(int k);
    void techDataButton();
    void openMotionWizard();
    // The wizard's poll of the step, run after every event that may change it
    // (the tools change the step only inside their event handlers).
    void pollMotionWizard();

    bool runModal(core::FormModel& form) { return m_view.runModal(form); }
    void refreshStatus() { m_time.refreshBriefingTime(); }

    Editor& m_editor;
    core::Prompter& m_prompter;
    FrameView& m_view;
    BriefingTimeListener& m_time;
    PreferencesPort& m_preferences;
    int m_pickedText = 0;
    int m_pickedColour = 0;
    int m_motionStep = kPickShip;
    int m_motionStart = 0;
    int m_motionShip = 0;
    std::weak_ptr<MotionWizardForm> m_wizard;
};

}  // namespace quendar::app
