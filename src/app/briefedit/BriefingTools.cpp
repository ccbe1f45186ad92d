#include "app/briefedit/BriefingTools.h"

#include "app/briefedit/BriefingHints.h"
#include "app/briefedit/MotionWizardForm.h"
#include "briefing/SelectShipForm.h"
#include "briefing/ShipPicking.h"
#include "briefing/StringTableForms.h"
#include "map/IconImages.h"
#include "map/RasterCanvas.h"
#include "map/RotatingCraftForm.h"
#include "shipgroup/MissionNames.h"

namespace quendar::app {

using namespace briefing;
using map::PointerAction;
using map::PointerButton;

namespace {

// Select ship's picture of a craft type: its icon, full size, on a dark
// 118 × 74 background.
std::function<core::RgbaImage(int)> craftPicture(const map::IconTable& icons) {
    return [&icons](int craftType) {
        map::RasterCanvas canvas(118, 74, false);
        canvas.fill(core::rgb(16, 16, 24));
        const map::IconImage img = map::renderIconImage(icons.icon(craftType), 0, 100);
        if (!img.image.empty()) canvas.drawImage(59 + img.offsetX, 37 + img.offsetY, img.image);
        return canvas.image();
    };
}

constexpr std::array<BriefingTool, 8> kSelectionTools{
    BriefingTool::Selection1, BriefingTool::Selection2, BriefingTool::Selection3,
    BriefingTool::Selection4, BriefingTool::Selection5, BriefingTool::Selection6,
    BriefingTool::Selection7, BriefingTool::Selection8};
constexpr std::array<BriefingTool, 8> kTagTools{
    BriefingTool::Tag1, BriefingTool::Tag2, BriefingTool::Tag3, BriefingTool::Tag4,
    BriefingTool::Tag5, BriefingTool::Tag6, BriefingTool::Tag7, BriefingTool::Tag8};

}  // namespace

BriefingTools::BriefingTools(Editor& editor, core::Prompter& prompter, FrameView& view,
                             BriefingTimeListener& time, PreferencesPort& preferences)
    : m_editor(editor),
      m_prompter(prompter),
      m_view(view),
      m_time(time),
      m_preferences(preferences) {}

bool BriefingTools::confirmLock() { return hintSaysYes(hint::kLockBriefing); }

bool BriefingTools::hintSaysYes(std::string_view text) {
    if (!inBriefing() || !m_editor.settings.briefingHints) return true;
    return m_prompter.ask(text, hint::kCaption, core::Buttons::YesNo, core::Icon::Information) ==
           core::Answer::Yes;
}

bool BriefingTools::room(Kind kind, int limit) const {
    return m_editor.briefing.count(kind) < limit;
}

void BriefingTools::say(const std::string& text) { m_view.setPaneText(Pane::CurrentCommand, text); }

void BriefingTools::done() {
    m_editor.mapTool = {};
    refreshStatus();
}

void BriefingTools::redraw() { m_view.repaintMap(); }

void BriefingTools::appendNow(Kind kind, std::initializer_list<int> params, const char* text,
                              const char* action) {
    if (!room(kind)) return;
    core::ActionScope scope(m_editor.journal, action);
    m_editor.briefing.appendCommand(kind, now(), params);
    redraw();
    say(text);
}

void BriefingTools::place(Kind kind, std::initializer_list<int> params, const char* action,
                          int entry, Panes panes) {
    core::ActionScope scope(m_editor.journal, action);
    m_editor.briefing.appendCommand(kind, now(), params);
    m_editor.mapTool = {};
    redraw();
    if (panes == Panes::Refresh) refreshStatus();
    m_editor.briefing.undoLog().record(entry, 1);
}

void BriefingTools::bindCommands(CommandTable& c) {
    auto briefingOnly = [this] { return inBriefing(); };
    auto toolIs = [this](CurrentTool t) { return [this, t] { return m_editor.mapTool == t; }; };
    c.bind(
        cmd::SelectMove, [this] { run(cmd::SelectMove); }, {}, toolIs({}));
    const CommandId plain[] = {cmd::ShowShip,     cmd::MoveShip,       cmd::TechData,
                               cmd::AddSelection, cmd::RotateCraft,    cmd::AddInstruction,
                               cmd::AddTexts,     cmd::MoveBriefing,   cmd::ZoomBriefing,
                               cmd::HideShip,     cmd::HideSelections, cmd::DeleteTexts,
                               cmd::ChangeRegion, cmd::SkipTo,         cmd::EndMark};
    for (CommandId id : plain) {
        std::function<bool()> checked;
        if (id == cmd::ShowShip) checked = toolIs(BriefingTool::ShowShip);
        if (id == cmd::MoveShip) checked = toolIs(BriefingTool::MoveShip);
        if (id == cmd::TechData) checked = toolIs(BriefingTool::TechData);
        if (id == cmd::AddSelection) checked = toolIs(BriefingTool::SelectionSlot);
        if (id == cmd::RotateCraft) checked = toolIs(BriefingTool::Rotate);
        if (id == cmd::AddTexts) checked = toolIs(BriefingTool::TextSlot);
        if (id == cmd::HideShip) checked = toolIs(BriefingTool::HideShip);
        c.bind(
            id, [this, id] { run(id); }, briefingOnly, checked);
    }
    c.bind(
        cmd::ToggleImages, [this] { run(cmd::ToggleImages); }, briefingOnly,
        [this] { return m_editor.settings.briefingImages != 0; });
    c.bind(
        cmd::ToggleHints, [this] { run(cmd::ToggleHints); }, briefingOnly,
        [this] { return m_editor.settings.briefingHints != 0; });
}

namespace {
// The buttons that arm a tool for the next click on the map: the hint they
// ask first (none: empty), the tool and what the command pane says.
struct ArmingButton {
    CommandId id;
    std::string_view hint;
    BriefingTool tool;
    const char* status;
};
const ArmingButton kArmingButtons[] = {
    {cmd::ShowShip, hint::kShowShip, BriefingTool::ShowShip, "R-click:new,or select"},
    {cmd::AddSelection, hint::kAddSelection, BriefingTool::SelectionSlot,
     "Choose a slot on the upper toolbar"},
    {cmd::RotateCraft, {}, BriefingTool::Rotate, "Select ship on the map"},
    {cmd::AddTexts, hint::kAddTexts, BriefingTool::TextSlot, "Choose a slot on the upper toolbar."},
    {cmd::HideShip, hint::kHideShip, BriefingTool::HideShip, "Select ship to delete"},
};
}  // namespace

bool BriefingTools::armTool(CommandId id) {
    for (const ArmingButton& b : kArmingButtons) {
        if (b.id != id) continue;
        if (!b.hint.empty() && !hintSaysYes(b.hint)) return true;
        if (b.tool == BriefingTool::ShowShip && !room(BRC_SHOW)) return true;
        m_editor.mapTool = b.tool;
        say(b.status);
        return true;
    }
    return false;
}

bool BriefingTools::appendViewCommand(CommandId id) {
    const map::MapView& v = m_editor.mapView;
    switch (id) {
        case cmd::MoveBriefing: {
            if (!hintSaysYes(hint::kMoveBriefing)) return true;
            const int z = v.zoom() > 0 ? v.zoom() : 1;
            const int x = v.scrollX() * 160 / z + (v.width() / 2) * 160 / z;
            const int y = v.scrollY() * 160 / z + (v.height() / 2) * 160 / z;
            appendNow(BRC_MOVEMAP, {x, y}, "Moving", "Move map");
            return true;
        }
        case cmd::ZoomBriefing:
            if (hintSaysYes(hint::kZoom))
                appendNow(BRC_ZOOM, {v.zoom(), v.zoom()}, "Zooming", "Zoom map");
            return true;
        case cmd::HideSelections:
            if (hintSaysYes(hint::kHideSelections))
                appendNow(BRC_CLEARSEL, {}, "Clear selections", "Hide selections");
            return true;
        case cmd::DeleteTexts:
            if (hintSaysYes(hint::kDeleteTexts))
                appendNow(BRC_CLEARTAGS, {}, "Clear texts", "Delete texts");
            return true;
        case cmd::ChangeRegion:
            if (hintSaysYes(hint::kChangeRegion))
                appendNow(BRC_REGION, {v.currentRegion()}, "Changing system", "Change region");
            return true;
        default: return false;
    }
}

void BriefingTools::addInstruction() {
    if (!room(BRC_LOWER)) return;
    SelectTextForm form(m_editor.store);
    runModal(form);
    const auto chosen = form.chosen();
    if (!chosen) return;  // closed without a line: nothing to add
    m_pickedText = *chosen;
    appendNow(BRC_LOWER, {*chosen}, "Bottom Text", "Add instruction text");
}

void BriefingTools::run(CommandId id) {
    if (armTool(id) || appendViewCommand(id)) return;
    Editor& e = m_editor;
    BriefingModel& m = e.briefing;
    switch (id) {
        case cmd::SelectMove:
            e.mapTool = {};
            refreshStatus();
            return;
        case cmd::MoveShip:
            e.mapTool = BriefingTool::MoveShip;
            m_motionStep = kPickShip;
            openMotionWizard();
            return;
        case cmd::TechData:
            if (hintSaysYes(hint::kTechData)) techDataButton();
            return;
        case cmd::AddInstruction: addInstruction(); return;
        case cmd::SkipTo: {
            if (!room(BRC_SKIP)) return;
            core::ActionScope scope(e.journal, "Skip to point");
            m.appendCommand(BRC_SKIP, now());
            say("Skip to point");
            return;
        }
        case cmd::EndMark: {
            core::ActionScope scope(e.journal, "End mark");
            m.setBriefingLength(now());
            say("END BRIEFING");
            return;
        }
        case cmd::ToggleImages:
            e.settings.briefingImages = e.settings.briefingImages ? 0 : 1;
            redraw();
            m_preferences.writePreferences();
            return;
        case cmd::ToggleHints:
            e.settings.briefingHints = e.settings.briefingHints ? 0 : 1;
            m_preferences.writePreferences();
            if (e.settings.briefingHints) m_view.setPaneText(Pane::Message, "Briefing hints on");
            return;
        default: return;
    }
}

void BriefingTools::techDataButton() {
    BriefingModel& m = m_editor.briefing;
    const Record* latest = nullptr;
    for (const Record& r : m.records(BRC_TECH))
        if (r.time >= 0 && r.time <= now() && (!latest || r.time >= latest->time)) latest = &r;
    if (latest && latest->param(0) == 1) {
        if (!room(BRC_TECH)) return;
        say("End techdata");
        place(BRC_TECH, {0, latest->param(1)}, "Technical data", undo::Tech, Panes::Keep);
        return;
    }
    say("Select ship");
    m_editor.mapTool = BriefingTool::TechData;
}

bool BriefingTools::pointEnabled(int) const {
    return m_editor.mapTool == BriefingTool::SelectionSlot ||
           m_editor.mapTool == BriefingTool::TextSlot;
}

bool BriefingTools::pointChecked(int k) const {
    if (k < 0 || k >= 8) return false;
    return m_editor.mapTool == kSelectionTools[k] || m_editor.mapTool == kTagTools[k];
}

void BriefingTools::chooseSlot(int k) {
    if (k < 1 || k > 8) return;
    if (m_editor.mapTool == BriefingTool::SelectionSlot) {
        m_editor.mapTool = kSelectionTools[k - 1];
        say("Select ship on the map");
    } else if (m_editor.mapTool == BriefingTool::TextSlot) {
        say("Select text");
        SelectTextColourForm form(
            m_editor.store, [this] { return shipgroup::iffLabels(m_editor.store); }, m_pickedText);
        const bool ok = runModal(form) && form.accepted;
        if (!ok) return;  // the tool keeps waiting for a slot
        m_pickedText = form.textIndex();
        m_pickedColour = form.colour();
        say("Click on the map");
        m_editor.mapTool = kTagTools[k - 1];
    }
}

void BriefingTools::pointer(const map::PointerEvent& e) {
    if (!inBriefing() || e.action != PointerAction::Press) return;
    if (e.button == PointerButton::Left) {
        leftClickAt(m_editor.mapView.positionFromX(e.x), m_editor.mapView.positionFromY(e.y));
    } else if (e.button == PointerButton::Right) {
        rightClick();
    }
}

void BriefingTools::rightClick() {
    if (m_editor.mapTool != BriefingTool::ShowShip || !room(BRC_SHOW)) return;
    const auto slot = lowestFreeSlot(m_editor.briefing, now());
    if (!slot) return;
    SelectShipForm form(
        m_editor.craftList, [this] { return shipgroup::iffLabels(m_editor.store); }, 1, 0,
        craftPicture(m_editor.icons));
    form.opened(m_prompter);
    if (!runModal(form) || !form.accepted) return;
    place(BRC_SHOW, {*slot, form.craftType(), form.iff()}, "Show ship", undo::Show);
}

void BriefingTools::leftClickAt(int x, int y) {
    const CurrentTool tool = m_editor.mapTool;
    if (const int tag = indexOf(kTagTools, tool); tag >= 0) {
        tagClick(tag + 1, x, y);
        return;
    }
    if (tool == BriefingTool::MoveShip) {
        motionClick(x, y);
        pollMotionWizard();
        return;
    }
    const int selection = indexOf(kSelectionTools, tool);
    const bool picking = selection >= 0 || tool == BriefingTool::ShowShip ||
                         tool == BriefingTool::Rotate || tool == BriefingTool::HideShip ||
                         tool == BriefingTool::TechData;
    if (!picking) return;
    const auto hit = hitTest(m_editor.briefing, now(), x, y);
    if (!hit) {
        // A miss leaves every tool waiting, except rotate, which is done.
        if (tool == BriefingTool::Rotate) {
            redraw();
            done();
        }
        return;
    }
    if (selection >= 0)
        selectionClick(selection + 1, *hit);
    else
        shipClick(*tool.briefingTool(), *hit);
}

void BriefingTools::tagClick(int k, int x, int y) {
    if (!room(tagKind(k))) return;
    place(tagKind(k), {m_pickedText, x, y, m_pickedColour}, "Add text", undo::tag(k));
}

void BriefingTools::selectionClick(int k, const PickedShip& hit) {
    if (!room(selectKind(k))) return;
    place(selectKind(k), {hit.slot}, "Add selection", undo::select(k));
}

void BriefingTools::shipClick(BriefingTool tool, const PickedShip& hit) {
    Editor& e = m_editor;
    switch (tool) {
        case BriefingTool::ShowShip: {
            if (hit.craftType == 0 || !room(BRC_SHOW)) return;
            SelectShipForm form(
                e.craftList, [this] { return shipgroup::iffLabels(m_editor.store); }, hit.craftType,
                hit.iff, craftPicture(e.icons));
            form.opened(m_prompter);
            if (!runModal(form) || !form.accepted) return;
            place(BRC_SHOW, {hit.slot, form.craftType(), form.iff()}, "Show ship", undo::Show);
            return;
        }
        case BriefingTool::Rotate: {
            if (!room(BRC_ORIENT)) {
                redraw();
                done();
                return;
            }
            map::RotatingCraftForm form(e.icons, hit.craftType, hit.iff);
            if (!runModal(form) || !form.accepted) return;
            place(BRC_ORIENT, {hit.slot, form.direction()}, "Rotate ship", undo::Orient);
            return;
        }
        case BriefingTool::HideShip:
            if (room(BRC_SHOW))
                place(BRC_SHOW, {hit.slot, 0, 0}, "Hide ship", undo::Show, Panes::Keep);
            return;
        case BriefingTool::TechData:
            if (room(BRC_TECH)) place(BRC_TECH, {1, hit.slot}, "Technical data", undo::Tech);
            return;
        default: return;
    }
}

void BriefingTools::openMotionWizard() {
    m_motionStart = now();
    m_motionStep = kPickShip;
    m_view.closeModeless(form::MotionWizard);
    auto wizard = std::make_shared<MotionWizardForm>(*this);
    m_wizard = wizard;
    m_view.showModeless(form::MotionWizard, wizard);
}

void BriefingTools::pollMotionWizard() {
    if (auto w = m_wizard.lock()) w->tick();
}

void BriefingTools::motionClick(int x, int y) {
    BriefingModel& m = m_editor.briefing;
    switch (m_motionStep) {
        case kPickShip: {
            const auto hit = hitTest(m, now(), x, y);
            if (!hit) return;
            m_motionShip = hit->slot;
            m_motionStep = kShipPicked;
            return;
        }
        case kRepositioning: {
            if (!room(BRC_COORD, kMoveLimit)) return;
            core::ActionScope scope(m_editor.journal, "Move ship");
            m.appendCommand(BRC_COORD, now(), {m_motionShip, x, y});
            m.undoLog().record(undo::Move, 1);
            m_motionStep = kRepositioned;
            m_editor.mapTool = {};
            return;
        }
        case kSimpleMoving: {
            if (now() - m_motionStart < 1) return;
            core::ActionScope scope(m_editor.journal, "Move ship");
            const int added = appendSimpleMove(m, m_motionShip, m_motionStart, now(), x, y);
            // Only what was appended goes into the log: a count beyond it would
            // make undo take back older moves.
            if (added > 0) m.undoLog().record(undo::Move, added);
            m_motionStep = kMoved;
            m_editor.mapTool = {};
            return;
        }
        default: return;
    }
}

}  // namespace quendar::app
