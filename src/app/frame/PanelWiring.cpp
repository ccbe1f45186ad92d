#include "app/frame/PanelWiring.h"

#include "app/files/MissionIO.h"
#include "mission/FileIO.h"

namespace quendar::app {

PanelWiring::PanelWiring(Editor& editor, FrameLogic& logic, MapPort& map, FrameView& view,
                         SettleClock& problemsClock, SettleClock& changesClock)
    : m_editor(editor),
      m_logic(logic),
      m_map(map),
      m_view(view),
      m_problems(editor, *this, logic, problemsClock),
      m_changes(editor, *this, *this, logic, changesClock) {}

void PanelWiring::selectShipgroup(int index) {
    if (m_map.briefingMode()) m_logic.leaveBriefingMode();
    m_logic.selectShipgroup(index);
}

void PanelWiring::showShipgroup(int index) {
    lint::Location where;
    where.index = index;
    const ProblemTarget t = targetOf(where, m_editor.store);
    selectShipgroup(index);  // out of the briefing first
    if (t.region >= 0) m_map.setRegion(t.region);
    m_view.repaintMap();
}

void PanelWiring::setRegion(int region) {
    if (m_map.briefingMode()) return;
    m_map.setRegion(region);
    m_view.repaintMap();
}

core::FormModel* PanelWiring::openForm(FormKey key) {
    m_logic.openModeless(key);
    return m_view.openForm(key);
}

void PanelWiring::runCommand(CommandId command,
                             const std::function<void(core::FormModel&)>& prepare) {
    m_logic.runCommandWith(command, prepare);
}

void PanelWiring::showBriefing() {
    if (!m_map.briefingMode()) m_logic.enterBriefingMode();
    m_logic.refreshBriefingTime();
    if (m_map.briefingMode()) m_map.applyBriefingView();
    m_view.repaintMap();
}

void PanelWiring::goTo(const lint::Location& place) {
    m_problems.goTo(targetOf(place, m_editor.store));
}

bool PanelWiring::load(const std::string& path, Editor& into) {
    const auto bytes = mission::readWholeFile(path);
    if (!bytes) return false;
    resetEditorToNewMission(into);
    loadMissionBytes(into, *bytes);
    return true;
}

}  // namespace quendar::app
