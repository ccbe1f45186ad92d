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
        if (!img.image.empty())
            canvas.drawImage(59 + img.offsetX, 37 + img.offsetY, img.image);
        return canvas.image();
    };
}

}  // namespace

BriefingTools::BriefingTools(Editor& editor, core::Prompter& prompter)
    : m_editor(editor), m_prompter(prompter) {}

bool BriefingTools::hintSaysYes(std::string_view text) {
    if (!inBriefing() || !m_editor.settings.briefingHints) return true;
    return m_prompter.ask(text, hint::kCaption, core::Buttons::YesNo, core::Icon::Information) ==
           core::Answer::Yes;
}

bool BriefingTools::room(Kind kind, int limit) const {
    return m_editor.briefing.count(kind) < limit;
}

void BriefingTools::say(const std::string& text) {
    if (status) status(text);
}

void BriefingTools::done() {
    m_editor.mapTool = 0;
    if (refreshStatus) refreshStatus();
}

void BriefingTools::redraw() {
    if (repaint) repaint();
}

void BriefingTools::appendNow(Kind kind, std::initializer_list<int> params, const char* text,
                              const char* action) {
    if (!room(kind)) return;
    core::ActionScope scope(m_editor.journal, action);
    m_editor.briefing.appendCommand(kind, now(), params);
    redraw();
    say(text);
}

void BriefingTools::bindCommands(CommandTable& c) {
    auto briefingOnly = [this] { return inBriefing(); };
    auto toolIs = [this](int v) { return [this, v] { return m_editor.mapTool == v; }; };
    c.bind(cmd::SelectMove, [this] { run(cmd::SelectMove); }, {}, toolIs(0));
    const CommandId plain[] = {cmd::ShowShip,       cmd::MoveShip,     cmd::TechData,
                         cmd::AddSelection,   cmd::RotateCraft,       cmd::AddInstruction,
                         cmd::AddTexts,       cmd::MoveBriefing, cmd::ZoomBriefing,
                         cmd::HideShip,       cmd::HideSelections, cmd::DeleteTexts,
                         cmd::ChangeRegion,   cmd::SkipTo,       cmd::EndMark};
    for (CommandId id : plain) {
        std::function<bool()> checked;
        if (id == cmd::ShowShip) checked = toolIs(btool::ShowShip);
        if (id == cmd::MoveShip) checked = toolIs(btool::MoveShip);
        if (id == cmd::TechData) checked = toolIs(btool::TechData);
        if (id == cmd::AddSelection) checked = toolIs(btool::SelectionSlot);
        if (id == cmd::RotateCraft) checked = toolIs(btool::Rotate);
        if (id == cmd::AddTexts) checked = toolIs(btool::TextSlot);
        if (id == cmd::HideShip) checked = toolIs(btool::HideShip);
        c.bind(id, [this, id] { run(id); }, briefingOnly, checked);
    }
    c.bind(cmd::ToggleImages, [this] { run(cmd::ToggleImages); }, briefingOnly,
           [this] { return m_editor.settings.briefingImages != 0; });
    c.bind(cmd::ToggleHints, [this] { run(cmd::ToggleHints); }, briefingOnly,
           [this] { return m_editor.settings.briefingHints != 0; });
}

void BriefingTools::run(CommandId id) {
    Editor& e = m_editor;
    BriefingModel& m = e.briefing;
    switch (id) {
        case cmd::SelectMove:
            e.mapTool = 0;
            if (refreshStatus) refreshStatus();
            return;
        case cmd::ShowShip:
            if (!hintSaysYes(hint::kShowShip) || !room(BRC_SHOW)) return;
            e.mapTool = btool::ShowShip;
            say("R-click:new,or select");
            return;
        case cmd::MoveShip:
            e.mapTool = btool::MoveShip;
            m_motionStep = kPickShip;
            openMotionWizard();
            return;
        case cmd::TechData:
            if (hintSaysYes(hint::kTechData)) techDataButton();
            return;
        case cmd::AddSelection:
            if (!hintSaysYes(hint::kAddSelection)) return;
            e.mapTool = btool::SelectionSlot;
            say("Choose a slot on the upper toolbar");
            return;
        case cmd::RotateCraft:
            e.mapTool = btool::Rotate;
            say("Select ship on the map");
            return;
        case cmd::AddInstruction: {
            if (!room(BRC_LOWER)) return;
            SelectTextForm form(e.store);
            if (runModal) runModal(form);
            const auto chosen = form.chosen();
            if (!chosen) return;  // closed without a line: nothing to add
            m_pickedText = *chosen;
            appendNow(BRC_LOWER, {*chosen}, "Bottom Text", "Add instruction text");
            return;
        }
        case cmd::AddTexts:
            if (!hintSaysYes(hint::kAddTexts)) return;
            e.mapTool = btool::TextSlot;
            say("Choose a slot on the upper toolbar.");
            return;
        case cmd::MoveBriefing: {
            if (!hintSaysYes(hint::kMoveBriefing)) return;
            const map::MapView& v = e.mapView;
            const int z = v.zoom() > 0 ? v.zoom() : 1;
            const int x = v.scrollX() * 160 / z + (v.width() / 2) * 160 / z;
            const int y = v.scrollY() * 160 / z + (v.height() / 2) * 160 / z;
            appendNow(BRC_MOVEMAP, {x, y}, "Moving", "Move map");
            return;
        }
        case cmd::ZoomBriefing:
            if (!hintSaysYes(hint::kZoom)) return;
            appendNow(BRC_ZOOM, {e.mapView.zoom(), e.mapView.zoom()}, "Zooming", "Zoom map");
            return;
        case cmd::HideShip:
            if (!hintSaysYes(hint::kHideShip)) return;
            e.mapTool = btool::HideShip;
            say("Select ship to delete");
            return;
        case cmd::HideSelections:
            if (hintSaysYes(hint::kHideSelections))
                appendNow(BRC_CLEARSEL, {}, "Clear selections", "Hide selections");
            return;
        case cmd::DeleteTexts:
            if (hintSaysYes(hint::kDeleteTexts))
                appendNow(BRC_CLEARTAGS, {}, "Clear texts", "Delete texts");
            return;
        case cmd::ChangeRegion:
            if (hintSaysYes(hint::kChangeRegion))
                appendNow(BRC_REGION, {e.mapView.currentRegion()}, "Changing system",
                          "Change region");
            return;
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
            if (savePreferences) savePreferences();
            return;
        case cmd::ToggleHints:
            e.settings.briefingHints = e.settings.briefingHints ? 0 : 1;
            if (savePreferences) savePreferences();
            if (e.settings.briefingHints && message) message("Briefing hints on");
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
        core::ActionScope scope(m_editor.journal, "Technical data");
        m.appendCommand(BRC_TECH, now(), {0, latest->param(1)});
        say("End techdata");
        m_editor.mapTool = 0;
        redraw();
        m.undoLog().record(undo::Tech, 1);
        return;
    }
    say("Select ship");
    m_editor.mapTool = btool::TechData;
}

BriefingPoints BriefingTools::slotButtons() {
    BriefingPoints p;
    p.enabled = [this](int) {
        return m_editor.mapTool == btool::SelectionSlot || m_editor.mapTool == btool::TextSlot;
    };
    p.checked = [this](int k0) {
        const int k = k0 + 1;
        return m_editor.mapTool == btool::selection(k) || m_editor.mapTool == btool::tag(k);
    };
    p.choose = [this](int k0) { chooseSlot(k0 + 1); };
    return p;
}

void BriefingTools::chooseSlot(int k) {
    if (k < 1 || k > 8) return;
    if (m_editor.mapTool == btool::SelectionSlot) {
        m_editor.mapTool = btool::selection(k);
        say("Select ship on the map");
    } else if (m_editor.mapTool == btool::TextSlot) {
        say("Select text");
        SelectTextColourForm form(
            m_editor.store, [this] { return shipgroup::iffLabels(m_editor.store); },
            m_pickedText);
        const bool ok = runModal && runModal(form) && form.accepted;
        if (!ok) return;  // the tool keeps waiting for a slot
        m_pickedText = form.textIndex();
        m_pickedColour = form.colour();
        say("Click on the map");
        m_editor.mapTool = btool::tag(k);
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
    if (m_editor.mapTool != btool::ShowShip || !room(BRC_SHOW)) return;
    const auto slot = lowestFreeSlot(m_editor.briefing, now());
    if (!slot) return;
    SelectShipForm form(m_editor.craftList, [this] { return shipgroup::iffLabels(m_editor.store); },
                        1, 0, craftPicture(m_editor.icons));
    form.opened(m_prompter);
    if (!runModal || !runModal(form) || !form.accepted) return;
    core::ActionScope scope(m_editor.journal, "Show ship");
    m_editor.briefing.appendCommand(BRC_SHOW, now(), {*slot, form.craftType(), form.iff()});
    m_editor.mapTool = 0;
    redraw();
    if (refreshStatus) refreshStatus();
    m_editor.briefing.undoLog().record(undo::Show, 1);
}

void BriefingTools::leftClickAt(int x, int y) {
    Editor& e = m_editor;
    BriefingModel& m = e.briefing;
    const int tool = e.mapTool;
    if (tool >= btool::tag(1) && tool <= btool::tag(8)) {
        const int k = tool - btool::tag(0);
        if (!room(tagKind(k))) return;
        core::ActionScope scope(e.journal, "Add text");
        m.appendCommand(tagKind(k), now(), {m_pickedText, x, y, m_pickedColour});
        done();
        redraw();
        m.undoLog().record(undo::tag(k), 1);
        return;
    }
    if (tool == btool::MoveShip) {
        motionClick(x, y);
        pollMotionWizard();
        return;
    }
    const bool picking = tool == btool::ShowShip || tool == btool::Rotate ||
                         tool == btool::HideShip || tool == btool::TechData ||
                         (tool >= btool::selection(1) && tool <= btool::selection(8));
    if (!picking) return;
    const auto hit = hitTest(m, now(), x, y);
    if (!hit) {
        // A miss leaves every tool waiting, except rotate, which is done.
        if (tool == btool::Rotate) {
            redraw();
            done();
        }
        return;
    }
    if (tool >= btool::selection(1) && tool <= btool::selection(8)) {
        const int k = tool - btool::selection(0);
        if (!room(selectKind(k))) return;
        core::ActionScope scope(e.journal, "Add selection");
        m.appendCommand(selectKind(k), now(), {hit->slot});
        e.mapTool = 0;
        redraw();
        if (refreshStatus) refreshStatus();
        m.undoLog().record(undo::select(k), 1);
        return;
    }
    switch (tool) {
        case btool::ShowShip: {
            if (hit->craftType == 0 || !room(BRC_SHOW)) return;
            SelectShipForm form(e.craftList, [this] { return shipgroup::iffLabels(m_editor.store); },
                                hit->craftType, hit->iff, craftPicture(e.icons));
            form.opened(m_prompter);
            if (!runModal || !runModal(form) || !form.accepted) return;
            core::ActionScope scope(e.journal, "Show ship");
            m.appendCommand(BRC_SHOW, now(), {hit->slot, form.craftType(), form.iff()});
            done();
            redraw();
            m.undoLog().record(undo::Show, 1);
            return;
        }
        case btool::Rotate: {
            if (room(BRC_ORIENT)) {
                map::RotatingCraftForm form(e.icons, hit->craftType, hit->iff);
                if (!runModal || !runModal(form) || !form.accepted) return;
                core::ActionScope scope(e.journal, "Rotate ship");
                m.appendCommand(BRC_ORIENT, now(), {hit->slot, form.direction()});
                m.undoLog().record(undo::Orient, 1);
            }
            redraw();
            done();
            return;
        }
        case btool::HideShip: {
            if (!room(BRC_SHOW)) return;
            core::ActionScope scope(e.journal, "Hide ship");
            m.appendCommand(BRC_SHOW, now(), {hit->slot, 0, 0});
            e.mapTool = 0;
            redraw();
            m.undoLog().record(undo::Show, 1);
            return;
        }
        case btool::TechData: {
            if (!room(BRC_TECH)) return;
            core::ActionScope scope(e.journal, "Technical data");
            m.appendCommand(BRC_TECH, now(), {1, hit->slot});
            done();
            redraw();
            m.undoLog().record(undo::Tech, 1);
            return;
        }
        default: return;
    }
}

void BriefingTools::openMotionWizard() {
    m_motionStart = now();
    m_motionStep = kPickShip;
    if (closeMotionWizard) closeMotionWizard();
    auto wizard = std::make_shared<MotionWizardForm>(*this);
    m_wizard = wizard;
    if (showMotionWizard) showMotionWizard(wizard);
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
            m_editor.mapTool = 0;
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
            m_editor.mapTool = 0;
            return;
        }
        default: return;
    }
}

}  // namespace quendar::app
