#include "app/mapedit/ShipgroupClipboard.h"

#include <random>

#include "core/ActionGroups.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/ShipgroupSet.h"

namespace quendar::app {

namespace {
constexpr const char* kPasteCaption = "Paste shipgroups";
constexpr const char* kCutCaption = "Cut shipgroups";
constexpr const char* kTooManyText =
    "The shipgroups were not pasted: a mission holds at most 200 shipgroups.";
constexpr const char* kKeepOneText = "A mission keeps at least one shipgroup.";

std::string counted(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}
}  // namespace

ShipgroupClipboard::ShipgroupClipboard(Editor& editor, MapSelection& selection,
                                       core::Prompter& prompter, Clipboard& clipboard,
                                       StatusPort& status)
    : m_editor(editor),
      m_selection(selection),
      m_prompter(prompter),
      m_clipboard(clipboard),
      m_status(status) {
    std::random_device random;
    m_editorToken = std::to_string(random()) + "-" + std::to_string(random());
    m_replaced = editor.missionReplaced.connect([this] { ++m_missionSerial; });
}

std::string ShipgroupClipboard::missionIdentity() const {
    return m_editorToken + "/" + std::to_string(m_missionSerial) + "@" +
           std::to_string(m_editor.journal.revision());
}

bool ShipgroupClipboard::copyTargets(bool cut) {
    const auto numbers = m_selection.targets();
    if (numbers.empty()) return false;
    if (cut && static_cast<int>(numbers.size()) >= m_editor.store.shipgroupCount) {
        m_prompter.tell(kKeepOneText, kCutCaption, core::Icon::Exclamation);
        return false;
    }
    auto set = shipgroup::takeSet(m_editor.store, numbers, missionIdentity());
    set.cut = cut;
    const std::string text =
        shipgroup::describeShipgroups(m_editor.store, numbers, &m_editor.craftList);
    const int n = static_cast<int>(numbers.size());
    if (!cut) {
        m_clipboard.put(shipgroup::encodeSet(set), text);
        say("Copied " + counted(n, "shipgroup", "shipgroups") + ".");
        return true;
    }
    {
        core::ActionScope action(m_editor.journal, "Cut shipgroups");
        shipgroup::removeSet(m_editor.store, numbers);
        listRebuilt(m_editor);
    }
    // The cut set names the mission as the cut left it: only there do the
    // references to the shipgroups behind the cut ones count lower. An undo
    // of the cut, or any other change, moves the journal on and the paste
    // clears them.
    set.source = missionIdentity();
    m_clipboard.put(shipgroup::encodeSet(set), text);
    m_selection.clear();
    say("Cut " + counted(n, "shipgroup", "shipgroups") + ".");
    return true;
}

bool ShipgroupClipboard::copy() { return copyTargets(false); }
bool ShipgroupClipboard::cut() { return copyTargets(true); }
bool ShipgroupClipboard::paste() { return pasteImpl(nullptr); }

bool ShipgroupClipboard::pasteAt(int x, int y) {
    const MapClick at = clickAt(m_editor, x, y);
    return pasteImpl(&at);
}

bool ShipgroupClipboard::pasteImpl(const MapClick* at) {
    if (m_editor.viewSwitches.briefingMode) return false;
    const auto bytes = m_clipboard.records();
    const auto set = bytes ? shipgroup::decodeSet(*bytes) : std::nullopt;
    if (!set) {
        say("The clipboard holds no shipgroups.");
        return false;
    }
    const int n = static_cast<int>(set->members.size());
    if (m_editor.store.shipgroupCount + n > shipgroup::kMaxPastedShipgroups) {
        m_prompter.tell(kTooManyText, kPasteCaption, core::Icon::Exclamation);
        return false;
    }
    shipgroup::PasteOutcome out;
    {
        core::ActionScope action(m_editor.journal, "Paste shipgroups");
        out = shipgroup::pasteSet(m_editor.store, *set, missionIdentity());
        if (!out.pasted) return false;
        std::vector<int> pasted;
        for (int k = 0; k < out.count; ++k) pasted.push_back(out.first + k);
        if (at) {
            // The first pasted shipgroup lands on the mouse; the others keep
            // their offsets from it, and every route its shape.
            const auto from = startPointsOf(m_editor, pasted);
            const int proj = map::MapView::normalProjection(m_editor.settings.projection);
            const mission::Point3 first = from.front().point;
            const int dh =
                at->horizontal - map::MapView::component(first, map::MapView::horizontalAxis(proj));
            const int dv =
                at->vertical - map::MapView::component(first, map::MapView::verticalAxis(proj));
            moveStartPoints(m_editor, from, dh, dv);
            for (int i : pasted) moveRoutePoints(m_editor, i, dh, dv);
        }
        m_editor.store.currentShipgroup = pasted.back();
        listRebuilt(m_editor);
        m_selection.select(std::move(pasted));
    }
    std::string text = "Pasted " + counted(out.count, "shipgroup", "shipgroups");
    if (out.cleared > 0)
        text += "; " + counted(out.cleared, "reference to shipgroups not pasted was cleared",
                               "references to shipgroups not pasted were cleared");
    say(text + ".");
    return true;
}

void ShipgroupClipboard::bindCommands(CommandTable& c) {
    auto inMap = [this] { return !m_editor.viewSwitches.briefingMode; };
    c.bind(
        cmd::Copy, [this] { copy(); }, inMap);
    c.bind(
        cmd::Cut, [this] { cut(); }, inMap);
    c.bind(
        cmd::Paste, [this] { paste(); }, inMap);
}

}  // namespace quendar::app
