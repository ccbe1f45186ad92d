#include "app/mapedit/HyperbuoyWizard.h"

#include "core/ActionGroups.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/MissionNames.h"

namespace quendar::app {

namespace sg = mission::sg;

namespace {
constexpr uint8_t kSpecified = 0, kNotSpecified = 255;
constexpr int kEntryPointFrom = 12;  // "Entry point from " region 1..4
constexpr int kHyperTo = 16;         // "Hyper to " region 1..4
constexpr uint8_t kBuoyCraft = 85, kBuoyStatus = 20, kBeaconOrder = 49;
}  // namespace

void HyperbuoyWizard::start() {
    // A new run does not join the action of an earlier one.
    m_editor.journal.breakMerge();
    m_editor.mapTool = MapTool::BeaconStep;
    m_prompter.tell(kHyperbuoyWelcome, kHyperbuoyCaption, core::Icon::Information);
}

void HyperbuoyWizard::click(MapClick at) {
    // A full list takes neither shipgroup of the pair; the tool stays, so a
    // click after making room goes on.
    if (m_editor.store.shipgroupCount >= kMaxMapShipgroups) {
        m_prompter.tell(kHyperbuoyNoRoom, kHyperbuoyCaption, core::Icon::Exclamation);
        return;
    }
    // The two clicks of one run are one action: the second joins the first
    // unless something else was done in between.
    if (m_editor.mapTool == MapTool::BeaconStep) {
        if (beacon(at))
            m_prompter.tell(kHyperbuoySecondStep, kHyperbuoySecondCaption, core::Icon::Information);
    } else if (m_editor.mapTool == MapTool::EntryStep) {
        // The beacon must still be the last shipgroup: after an Undo or a list
        // operation the entry point would rename and link some other group,
        // so the run starts over with this click as the beacon.
        if (m_beaconIndex != m_editor.store.shipgroupCount - 1) {
            m_editor.mapTool = MapTool::BeaconStep;
            click(at);
            return;
        }
        if (!entryPoint(at)) return;
        m_editor.journal.breakMerge();
        m_prompter.tell(kHyperbuoyDone, kHyperbuoyCaption, core::Icon::Information);
    }
}

// Fields the beacon and the entry point share. IFF and team come from the
// first shipgroup of the mission, whichever shipgroup was current.
void HyperbuoyWizard::commonFields(int index) {
    mission::ShipgroupRecord r(m_editor.store, index);
    const mission::ShipgroupView first(m_editor.store, 0);
    r.set(sg::additionalInfo1Enable, kSpecified);
    r.set(sg::additionalInfo2Enable, kNotSpecified);
    r.set(sg::craftType, kBuoyCraft);
    r.set(sg::craftCount, 1);
    r.set(sg::status1, kBuoyStatus);
    r.set(sg::iff, static_cast<uint8_t>(first.iff()));
    r.set(sg::team, static_cast<uint8_t>(first.team()));
    r.set(sg::globalUnit, 0);
}

bool HyperbuoyWizard::beacon(MapClick at) {
    core::ActionScope action(m_editor.journal, "Hyperbuoy wizard", this);
    const int departure = m_editor.mapView.currentRegion();
    const bool made = addShipgroupAt(m_editor, at, [this, departure](int index) {
        commonFields(index);
        mission::ShipgroupRecord r(m_editor.store, index);
        r.set(sg::additionalInfo2, 0);
        r.set(sg::orderOffset(departure, 0), kBeaconOrder);
    });
    if (!made) return false;  // the tool stays
    m_departureRegion = departure;
    m_beaconIndex = m_editor.store.currentShipgroup;
    m_editor.mapTool = MapTool::EntryStep;
    m_editor.mapChanged.notify();
    return true;
}

bool HyperbuoyWizard::entryPoint(MapClick at) {
    core::ActionScope action(m_editor.journal, "Hyperbuoy wizard", this);
    const bool made = addShipgroupAt(m_editor, at, [this](int index) {
        commonFields(index);
        mission::ShipgroupRecord entry(m_editor.store, index);
        entry.setName("Entry point");
        const auto from = static_cast<uint8_t>(kEntryPointFrom + m_departureRegion);
        entry.set(sg::additionalInfo1, from);
        entry.set(sg::additionalInfo2, from);
    });
    if (!made) return false;
    const int index = m_editor.store.currentShipgroup;
    const int arrival = m_editor.mapView.currentRegion();

    // The beacon is the shipgroup just before the entry point.
    const int beaconIndex = index - 1;
    mission::ShipgroupRecord beacon(m_editor.store, beaconIndex);
    beacon.set(sg::additionalInfo1, static_cast<uint8_t>(kHyperTo + arrival));
    beacon.setName("To " + shipgroup::regionNames(m_editor.store)[arrival]);
    m_editor.store.currentShipgroup = beaconIndex;
    m_editor.shipgroupEvents.notify(ShipgroupEvent::Renamed);
    m_editor.shipgroupEvents.notify(ShipgroupEvent::CurrentChanged);
    writeHeaderShipgroupCount(m_editor);
    m_editor.mapTool = {};
    m_editor.mapChanged.notify();
    return true;
}

}  // namespace quendar::app
