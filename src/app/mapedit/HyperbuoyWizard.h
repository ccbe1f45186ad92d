#pragma once

#include "app/editor/Editor.h"
#include "app/mapedit/MapEdits.h"
#include "core/Prompter.h"

namespace quendar::app {

// The two map tools that build a one-way hyperspace link: a beacon where the
// player leaves (tool 100) and an entry point where the player arrives, in
// the region shown at the second click (tool 101). The tool number in the
// editor is the wizard's state; choosing another tool abandons it.
namespace tool {
constexpr int Select = 0, StartPoint1 = 1, StartPoint4 = 4, Waypoint1 = 5, Waypoint8 = 12,
              Rendezvous = 20, Hyperspace = 30, BeaconStep = 100, EntryStep = 101,
              FirstBriefingTool = 200;
}

inline constexpr const char* kHyperbuoyCaption = "Hyperbouy Wizard";
inline constexpr const char* kHyperbuoySecondCaption = "Hyperbouy Wizard #2";
inline constexpr const char* kHyperbuoyWelcome =
    "Welcome to the Hyperbouy Wizard. This Wizard will create you automaticly a "
    "one-directional hyperbouy which is usable by the player. Specify the location of the "
    "Hyperbouy where you want to go to hyperspace. Simply click somewhere in the map.";
inline constexpr const char* kHyperbuoySecondStep =
    "Now select another region by pushing one of the four red buttons (I , II , III , IV). "
    "Then specify the place of the hyperbouy by left mouse button where you exit from "
    "hyperspace.";
inline constexpr const char* kHyperbuoyDone = "Task completed.";
inline constexpr const char* kHyperbuoyNoRoom = "No room for the hyperbuoy pair: 200 shipgroups.";

class HyperbuoyWizard {
  public:
    HyperbuoyWizard(Editor& editor, core::Prompter& prompter)
        : m_editor(editor), m_prompter(prompter) {}

    // The wizard's button: waits for the beacon's position.
    void start();
    // A plain left click in map mode while the tool is 100 or 101.
    void click(MapClick at);
    int departureRegion() const { return m_departureRegion; }

  private:
    // Each returns whether it added its shipgroup.
    bool beacon(MapClick at);
    bool entryPoint(MapClick at);
    void commonFields(int index);

    Editor& m_editor;
    core::Prompter& m_prompter;
    int m_departureRegion = 0;
    int m_beaconIndex = -1;  // the shipgroup the first click added
};

}  // namespace quendar::app
