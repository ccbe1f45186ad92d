#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/editor/CommandTable.h"
#include "app/editor/Editor.h"
#include "app/editor/StatusPort.h"
#include "app/mapedit/MapSelection.h"
#include "core/Prompter.h"

namespace quendar::app {

// The type under which the clipboard carries shipgroups between editors.
inline constexpr const char* kShipgroupsMimeType = "application/x-quendar-shipgroups";

// The system clipboard as the editor uses it: shipgroup records in their
// private type beside a readable text. The window implements it.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void put(const std::vector<uint8_t>& records, const std::string& text) = 0;
    // The records in the private type; none when the clipboard holds other things.
    virtual std::optional<std::vector<uint8_t>> records() const = 0;
};

// Edit > Cut, Copy and Paste of shipgroups: the selection on the map, or the
// current shipgroup when nothing is selected. Each is one action; pasted
// shipgroups become the selection and the last of them current.
class ShipgroupClipboard {
  public:
    // What a cut, copy or paste did is told to `status` (the message pane).
    ShipgroupClipboard(Editor& editor, MapSelection& selection, core::Prompter& prompter,
                       Clipboard& clipboard, StatusPort& status);

    bool copy();
    bool cut();
    // Appends the clipboard's shipgroups where they were.
    bool paste();
    // The same with the first of them at window pixel (x, y) of the shown
    // region and the others at their offsets from it.
    bool pasteAt(int x, int y);

    void bindCommands(CommandTable& commands);

    // Names the open mission as it is now: this editor, the number of the New
    // or Open that brought the mission in and the journal's revision, which
    // moves on with every change, undo and redo. A paste keeps references to
    // shipgroups outside the set only while this is what the set recorded.
    std::string missionIdentity() const;

  private:
    bool copyTargets(bool cut);
    bool pasteImpl(const MapClick* at);
    void say(const std::string& text) { m_status.showStatus(text); }

    Editor& m_editor;
    MapSelection& m_selection;
    core::Prompter& m_prompter;
    Clipboard& m_clipboard;
    StatusPort& m_status;
    std::string m_editorToken;
    unsigned m_missionSerial = 0;
    core::Notifier<>::Connection m_replaced;
};

}  // namespace quendar::app
