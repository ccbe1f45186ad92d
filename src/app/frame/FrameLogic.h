#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/briefedit/BriefingTimeDisplay.h"
#include "app/editor/CommandTable.h"
#include "app/editor/Editor.h"
#include "app/editor/FileChooser.h"
#include "app/editor/FramePorts.h"
#include "app/files/FileCommands.h"
#include "core/FormModel.h"
#include "core/Prompter.h"

namespace quendar::app {

// The services the frame delegates to other parts of the program.
enum class Service {
    ReadPreferences,
    WritePreferences,
    ResetMission,
    NewMission,
    OpenMission,
    OpenMissionPath,
    SaveMission,
    SaveMissionAs,
    WindowTitle,
    OfferRecovery,
    CoordinatesForm,
    MapPropertiesForm,
    AxisForm
};

// Work the frame delegates to other parts of the program: the mission files,
// the preferences file, the recovery files and the display dialogs. The
// window provides every service; a test may leave some out, and `provides`
// says so: the commands of a missing service stay disabled, and start-up,
// Save and the title skip it.
class FrameServices {
  public:
    virtual ~FrameServices() = default;
    virtual bool provides(Service service) const = 0;
    virtual bool readPreferences() = 0;   // false: no valid qd.dat, run the first-run sequence
    virtual void writePreferences() = 0;  // reports its own failure
    virtual void resetMission() = 0;      // the new-mission state at start-up
    virtual bool newMission(bool ask) = 0;
    virtual bool openMission() = 0;
    virtual bool openMissionPath(const std::string& path) = 0;
    virtual bool saveMission() = 0;
    virtual bool saveMissionAs() = 0;
    virtual std::string windowTitle() = 0;
    // Offers the recovery files crashed editors left; true when one was restored.
    virtual bool offerRecovery() = 0;
    // The three display dialogs of the View menu.
    virtual std::unique_ptr<core::FormModel> coordinatesForm() = 0;
    virtual std::unique_ptr<core::FormModel> mapPropertiesForm() = 0;
    virtual std::unique_ptr<core::FormModel> axisForm() = 0;
};

constexpr const char* kStartTitle = "Quendar - Vexion Mission Editor";
constexpr const char* kZoomLocked = "You can't change zoom because briefing lock-position engaged.";
constexpr const char* kRegionLocked =
    "You can't change region because briefing lock-position engaged.";

// The toolkit-free half of the main frame: start-up order, the command
// handlers it owns, the shipgroup event relay, map and briefing mode and the
// close request.
class FrameLogic : public BriefingTimeListener,
                   public PreferencesPort,
                   public MapToolsListener,
                   public MissionViews {
  public:
    FrameLogic(Editor& editor, CommandTable& commands, FrameView& view, MapPort& map,
               core::Prompter& prompter, FrameServices& services);

    // Start-up after the window built its parts: fill the selector, make the
    // new mission, read qd.dat and run the first-run sequence when needed.
    void startUp();
    // The last step of start-up (after the splash): offers what crashed
    // editors left. True when a mission was restored.
    bool offerRecovery();
    void firstRunSequence();

    // Shipgroup event (message 0x465 of the old frame): relay and selector.
    void onShipgroupEvent(ShipgroupEvent event);
    // The selector's choice.
    void selectShipgroup(int index);
    void enterBriefingMode();
    void leaveBriefingMode();
    // "Are you sure?", or with unsaved changes Save / Discard / Cancel; true
    // when the window may close.
    bool confirmClose();
    // The question before the mission is given up (see confirmLeaving); a
    // Save it runs is the File menu's.
    bool mayLeaveMission(const LeaveQuestion* plain);
    // The window got the focus back: the message pane says once when
    // another program changed the open mission's file.
    void windowActivated();
    void mouseMoved() override;
    // The briefing time display: "Br Time", "Current Briefing Command" and
    // the slider follow the briefing's current time.
    void refreshBriefingTime() override;
    // The slider's request; returns the time the slider shows afterwards.
    int timeSliderInput(SliderRequest request, int position);
    // Map window's right click without drag: the Basic form shows again.
    void reopenBasic() override;
    // Edit > Undo and Redo: a whole action of the journal, then every view
    // reads the mission again.
    bool undoOrRedo(bool undo);
    // What follows an edit made outside the forms (an undo, a fix from the
    // Problems panel): every view reads the mission again.
    void rereadViews() override;
    // Wheel on the map: refused silently under the briefing lock.
    bool wheelAllowed() const { return !lockedInBriefing(); }

    // The control bar's forms come from the shipgroup editor.
    void registerForm(FormKey key, CommandId command, FormFactory factory);
    void openModeless(FormKey key);
    // A menu command that shows a modal form, then sends a shipgroup event
    // (when given), as the mission-wide forms do.
    using ModalFactory = std::function<std::unique_ptr<core::FormModel>(Editor&)>;
    void bindModalForm(CommandId command, ModalFactory factory,
                       std::optional<ShipgroupEvent> eventAfter = std::nullopt);
    bool runModal(core::FormModel& form) { return m_view.runModal(form); }
    // Runs a menu command; a modal form it shows is first handed to `prepare`
    // (a double-click on a problem steps the form to the problem's entry).
    void runCommandWith(CommandId command, std::function<void(core::FormModel&)> prepare);
    void runDisplayDialog(CommandId command);
    void runPreferences();
    // qd.dat, written through the file services (nothing without them).
    void writePreferences() override {
        if (has(Service::WritePreferences)) m_services.writePreferences();
    }

    // A dropped or command-line mission path. `ask` = the New confirmation.
    bool openPath(const std::string& path, bool ask);
    void retitle();

  private:
    void bindCommands();
    bool has(Service service) const { return m_services.provides(service); }
    std::unique_ptr<core::FormModel> displayForm(Service service);
    bool lockedInBriefing() const { return m_map.briefingMode() && m_map.briefingLock(); }
    void relay(FormKey key, ShipgroupEvent event);
    void setBriefingBars(bool visible);
    std::string selectorName(int index) const;

    Editor& m_editor;
    CommandTable& m_commands;
    FrameView& m_view;
    MapPort& m_map;
    core::Prompter& m_prompter;
    FrameServices& m_services;
    std::map<FormKey, FormFactory> m_factories;
    std::function<void(core::FormModel&)> m_prepareModal;
    core::Notifier<ShipgroupEvent>::Connection m_eventConn;
    core::Notifier<>::Connection m_closeFormsConn;
    core::Notifier<>::Connection m_replacedConn;
    core::Notifier<FormKey>::Connection m_openFormConn;
    core::Notifier<>::Connection m_mapChangedConn;
    core::Notifier<>::Connection m_journalConn;
    std::optional<mission::FileIdentity> m_changeTold;  // the change the pane told of
};

}  // namespace quendar::app
