#pragma once

#include "app/editor/Editor.h"
#include "app/mapedit/MapEdits.h"
#include "core/Prompter.h"

namespace quendar::app {

// The two map tools that build a one-way hyperspace link: a beacon where the
// player leaves (MapTool::BeaconStep) and an entry point where the player
// arrives, in the region shown at the second click (MapTool::EntryStep). The
// armed tool is the wizard's state; choosing another tool abandons it.

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
    // A plain left click in map mode while one of its two tools is armed.
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
