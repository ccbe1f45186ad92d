#include "app/frame/FrameLogic.h"

#include "app/files/PreferencesForm.h"
#include "mission/ShipgroupRecord.h"

namespace quendar::app {

using core::Answer;
using core::Buttons;
using core::Icon;

FrameLogic::FrameLogic(Editor& editor, CommandTable& commands, FrameView& view, MapPort& map,
                       core::Prompter& prompter, FrameServices& services)
    : m_editor(editor),
      m_commands(commands),
      m_view(view),
      m_map(map),
      m_prompter(prompter),
      m_services(services) {
    m_eventConn =
        m_editor.shipgroupEvents.connect([this](ShipgroupEvent e) { onShipgroupEvent(e); });
    m_closeFormsConn = m_editor.closeModelessForms.connect([this] {
        for (FormKey k : kAllForms) m_view.closeModeless(k);
    });
    m_replacedConn = m_editor.missionReplaced.connect([this] {
        retitle();
        refreshBriefingTime();
        m_view.repaintMap();
    });
    m_openFormConn = m_editor.openFormRequested.connect([this](FormKey key) { openModeless(key); });
    m_mapChangedConn = m_editor.mapChanged.connect([this] { m_view.repaintMap(); });
    // The "*" of the title follows the journal.
    m_journalConn = m_editor.journal.changed.connect([this] { retitle(); });
    bindCommands();
}

void FrameLogic::retitle() {
    if (has(Service::WindowTitle)) m_view.setTitle(m_services.windowTitle());
}

std::string FrameLogic::selectorName(int index) const {
    return mission::ShipgroupView(m_editor.store, index).name().substr(0, 19);
}

// --- start-up -------------------------------------------------------------

void FrameLogic::startUp() {
    if (has(Service::ResetMission)) m_services.resetMission();
    m_view.setTitle(kStartTitle);
    std::vector<std::string> names;
    for (int i = 0; i < m_editor.store.shipgroupCount; ++i) names.push_back(selectorName(i));
    m_view.fillSelector(names, m_editor.store.currentShipgroup);
    refreshBriefingTime();
    const bool valid = has(Service::ReadPreferences) && m_services.readPreferences();
    if (!valid) firstRunSequence();
    // The projection the preferences keep is the one the map starts in.
    m_map.setProjection(m_editor.settings.projection);
    m_view.repaintMap();
}

bool FrameLogic::offerRecovery() {
    if (!has(Service::OfferRecovery) || !m_services.offerRecovery()) return false;
    // The restored mission's own events retitled the window and reset the
    // briefing time; the map follows.
    if (m_map.briefingMode()) m_map.applyBriefingView();
    m_view.repaintMap();
    return true;
}

void FrameLogic::firstRunSequence() {
    m_view.showFirstRunPicture();
    PreferencesForm prefs(m_editor.settings);
    m_view.runModal(prefs);
    for (Service s : {Service::CoordinatesForm, Service::MapPropertiesForm, Service::AxisForm})
        if (auto f = displayForm(s)) m_view.runModal(*f);
    writePreferences();
}

std::unique_ptr<core::FormModel> FrameLogic::displayForm(Service service) {
    if (!has(service)) return nullptr;
    switch (service) {
        case Service::CoordinatesForm: return m_services.coordinatesForm();
        case Service::MapPropertiesForm: return m_services.mapPropertiesForm();
        case Service::AxisForm: return m_services.axisForm();
        default: return nullptr;
    }
}

// --- the shipgroup event relay ----------------------------------------------

void FrameLogic::relay(FormKey key, ShipgroupEvent event) {
    if (core::FormModel* f = m_view.openForm(key)) f->receive(event);
}

void FrameLogic::onShipgroupEvent(ShipgroupEvent event) {
    relay(form::Shipgroups, event);
    relay(form::ShipgroupsView, event);
    const int current = m_editor.store.currentShipgroup;
    switch (event) {
        case ShipgroupEvent::Added:
            m_view.appendToSelector(selectorName(current));
            m_view.selectInSelector(current);
            relay(form::Basic, ShipgroupEvent::Reload);
            break;
        case ShipgroupEvent::CurrentChanged:
            m_view.selectInSelector(current);
            for (FormKey k :
                 {form::OrdersWizard, form::Basic, form::Advanced, form::Arrival, form::Departure,
                  form::Goals, form::Waypoints, form::Orders, form::Options})
                relay(k, ShipgroupEvent::Reload);
            break;
        case ShipgroupEvent::Renamed:
            m_view.replaceInSelector(current, selectorName(current));
            break;
        case ShipgroupEvent::Advanced: relay(form::Advanced, ShipgroupEvent::Advanced); break;
        case ShipgroupEvent::Waypoints: relay(form::Waypoints, ShipgroupEvent::Waypoints); break;
        case ShipgroupEvent::ListCleared: {
            std::vector<std::string> names;
            for (int i = 0; i < m_editor.store.shipgroupCount; ++i)
                names.push_back(selectorName(i));
            m_view.fillSelector(names, current);
            break;
        }
        default: break;
    }
}

void FrameLogic::selectShipgroup(int index) {
    if (index < 0 || index >= m_editor.store.shipgroupCount) return;
    m_editor.store.currentShipgroup = index;
    m_editor.shipgroupEvents.notify(ShipgroupEvent::CurrentChanged);
}

// --- modes ---------------------------------------------------------------------

void FrameLogic::setBriefingBars(bool visible) {
    for (int id : {kBriefingToolsBar, kBriefingCommandsBar, kBriefingEditBar})
        m_view.setToolbarVisible(id, visible);
}

void FrameLogic::enterBriefingMode() {
    if (m_map.briefingMode()) return;
    m_map.setBriefingMode(true);
    m_editor.mapTool = {};
    m_view.repaintMap();
    if (!m_view.isToolbarVisible(kBriefingToolsBar) && m_editor.autoBriefingBars)
        setBriefingBars(true);
    m_editor.savedMapZoom = m_map.zoom();
    m_map.applyBriefingView();
    m_view.repaintMap();
}

void FrameLogic::leaveBriefingMode() {
    if (!m_map.briefingMode()) return;
    m_map.setBriefingMode(false);
    m_editor.mapTool = {};
    if (m_view.isToolbarVisible(kBriefingToolsBar) && m_editor.autoBriefingBars)
        setBriefingBars(false);
    m_map.setZoom(m_editor.savedMapZoom);
    m_view.mapSizeChanged();
    m_view.repaintMap();
}

void FrameLogic::windowActivated() {
    const auto& disk = m_editor.diskFile;
    if (!disk || disk->path != m_editor.store.missionPath) return;
    const auto now = mission::identityOf(disk->path);
    if (!now || *now == disk->identity || now == m_changeTold) return;
    m_changeTold = now;
    m_view.setPaneText(Pane::Message, fileNameOf(disk->path) + " changed on disk");
}

bool FrameLogic::confirmClose() { return mayLeaveMission(&kExitQuestion); }

bool FrameLogic::mayLeaveMission(const LeaveQuestion* plain) {
    const bool ok = confirmLeaving(m_editor, m_prompter, plain, [this] {
        const bool saved = has(Service::SaveMission) && m_services.saveMission();
        if (saved) retitle();
        return saved;
    });
    return ok;
}

void FrameLogic::mouseMoved() {
    auto [x, y] = m_map.readout();
    m_view.setPaneText(Pane::PositionX, x);
    m_view.setPaneText(Pane::PositionY, y);
}

void FrameLogic::refreshBriefingTime() {
    const int t = m_editor.briefing.currentTime();
    m_view.setPaneText(Pane::BrTime, briefingTimeText(t));
    m_view.setPaneText(Pane::CurrentCommand, currentCommandText(m_editor.briefing, t));
    m_view.showBriefingTime(t, m_editor.briefing.briefingEndTime());
}

int FrameLogic::timeSliderInput(SliderRequest request, int position) {
    if (sliderInput(m_editor.briefing, request, position)) {
        refreshBriefingTime();
        m_view.repaintMap();
    }
    // Any slider notification recomputes the locked view.
    if (m_map.briefingMode()) m_map.applyBriefingView();
    return m_editor.briefing.currentTime();
}

bool FrameLogic::undoOrRedo(bool undo) {
    if (!(undo ? m_editor.journal.undo() : m_editor.journal.redo())) return false;
    rereadViews();
    return true;
}

void FrameLogic::rereadViews() {
    auto& s = m_editor.store;
    // Undoing an Add leaves fewer shipgroups than the selection may name.
    if (s.currentShipgroup >= s.shipgroupCount) s.currentShipgroup = s.shipgroupCount - 1;
    if (s.currentShipgroup < 0) s.currentShipgroup = 0;
    // What New does to the views: the selector and the list forms refill, the
    // shipgroup forms reload; the other open forms re-read every control.
    m_editor.shipgroupEvents.notify(ShipgroupEvent::ListCleared);
    m_editor.shipgroupEvents.notify(ShipgroupEvent::ListRefilled);
    m_editor.shipgroupEvents.notify(ShipgroupEvent::CurrentChanged);
    for (FormKey k : kAllForms)
        if (core::FormModel* f = m_view.openForm(k)) f->refreshed.notify();
    refreshBriefingTime();
    if (m_map.briefingMode()) m_map.applyBriefingView();
    m_view.repaintMap();
    retitle();
}

void FrameLogic::reopenBasic() {
    if (m_factories.count(form::Basic)) openModeless(form::Basic);
}

// --- forms ----------------------------------------------------------------------

void FrameLogic::registerForm(FormKey key, CommandId command, FormFactory factory) {
    m_factories[key] = std::move(factory);
    if (command != CommandId::None) m_commands.bind(command, [this, key] { openModeless(key); });
}

void FrameLogic::openModeless(FormKey key) {
    auto it = m_factories.find(key);
    if (it == m_factories.end()) return;
    m_view.closeModeless(key);
    if (auto f = it->second(m_editor)) m_view.showModeless(key, std::move(f));
}

void FrameLogic::bindModalForm(CommandId command, ModalFactory factory,
                               std::optional<ShipgroupEvent> eventAfter) {
    m_commands.bind(command, [this, factory = std::move(factory), eventAfter] {
        auto form = factory(m_editor);
        if (!form) return;
        if (m_prepareModal) std::exchange(m_prepareModal, {})(*form);
        m_view.runModal(*form);
        if (eventAfter) m_editor.shipgroupEvents.notify(*eventAfter);
        m_view.repaintMap();
    });
}

void FrameLogic::runCommandWith(CommandId command, std::function<void(core::FormModel&)> prepare) {
    m_prepareModal = std::move(prepare);
    m_commands.execute(command);
    m_prepareModal = {};
}

void FrameLogic::runDisplayDialog(CommandId command) {
    const Service service = command == cmd::Coordinates     ? Service::CoordinatesForm
                            : command == cmd::MapProperties ? Service::MapPropertiesForm
                                                            : Service::AxisForm;
    if (!has(service)) return;
    if (auto f = displayForm(service)) m_view.runModal(*f);
    // Map Properties may change the centre mode: the scroll ranges follow.
    // (A stored centre mode "At 128,128" does not force the zoom down to 1
    // here: no zoom step could work from there.)
    if (command == cmd::MapProperties) m_view.mapSizeChanged();
    m_view.repaintMap();
    writePreferences();
}

void FrameLogic::runPreferences() {
    PreferencesForm prefs(m_editor.settings);
    m_view.runModal(prefs);
    // Whichever button closed it: the check boxes already changed.
    writePreferences();
}

bool FrameLogic::openPath(const std::string& path, bool ask) {
    if (!has(Service::OpenMissionPath)) return false;
    if (ask && !mayLeaveMission(&kDiscardQuestion)) return false;
    const bool ok = m_services.openMissionPath(path);
    if (ok) {
        retitle();
        m_view.setPaneText(Pane::Message, "");
    }
    m_view.repaintMap();
    return ok;
}

}  // namespace quendar::app
