#include "shipgroup/OrdersWizard.h"

#include <algorithm>

#include "mission/ChangeJournal.h"
#include "mission/CraftList.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/MissionNames.h"

namespace quendar::shipgroup {

namespace sg = mission::sg;

namespace {
// Order record fields the wizard writes.
constexpr int kOrder = 0, kThrottle = 1, kTarget3Type = 6, kTarget4Type = 7, kTarget3 = 8,
              kTarget4 = 9, kTarget34Flag = 10, kTarget1Type = 12, kTarget1 = 13, kTarget2Type = 14,
              kTarget2 = 15, kTarget12Flag = 16;
constexpr uint8_t kOrderDestroy = 7, kOrderProtect = 9, kOrderDisable = 11, kFullThrottle = 10,
                  kFlightgroup = 1;
constexpr int kShownNameLength = 20;

// Page lines stand right of the button column; button labels fit between.
constexpr int kHeaderX = 24, kTextX = 84, kHeaderY = 4, kFirstLineY = 30, kLineStep = 16;
const map::Font kHeaderFont{"Arial", 14};
const map::Font kLineFont{"Times New Roman", 12};
constexpr map::Colour kBackground = core::rgb(12, 16, 36);
constexpr map::Colour kInk = core::rgb(226, 232, 160);
constexpr map::Colour kHeaderInk = core::rgb(255, 196, 64);

// Ink faded towards the background, fade 0..16.
map::Colour faded(map::Colour c, int fade) {
    auto mix = [fade](uint32_t a, uint32_t b) {
        return (a * static_cast<uint32_t>(16 - fade) + b * static_cast<uint32_t>(fade)) / 16;
    };
    const uint32_t r = mix((kBackground >> 16) & 0xFF, (c >> 16) & 0xFF);
    const uint32_t g = mix((kBackground >> 8) & 0xFF, (c >> 8) & 0xFF);
    const uint32_t b = mix(kBackground & 0xFF, c & 0xFF);
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

const char* slotWord(int slot) {
    static const char* const words[] = {"one.", "two.", "three.", "four."};
    return slot >= 1 && slot <= 4 ? words[slot - 1] : "";
}

const char* buttonLabel(int kind) {
    switch (kind) {
        case OrdersWizard::Next: return "Next";
        case OrdersWizard::Back: return "Back";
        case OrdersWizard::Destroy: return "Destroy";
        case OrdersWizard::Disable: return "Disable";
        case OrdersWizard::Protect: return "Protect";
        case OrdersWizard::Add: return "ADD";
        case OrdersWizard::Remove: return "Remove";
        default: return "";
    }
}

// The picture of a button: a framed plate with the kind's sign on it, brighter
// while the mouse is over it.
void drawButton(map::Canvas& c, const OrdersWizard::Button& b) {
    const map::Colour plate = b.highlighted ? core::rgb(96, 160, 255) : core::rgb(40, 64, 120);
    const map::Colour sign = b.highlighted ? core::rgb(255, 255, 255) : core::rgb(200, 210, 230);
    c.setPen({core::rgb(150, 170, 210), 1, map::PenStyle::Solid});
    c.setBrush(map::Brush::of(plate));
    c.rectangle(b.x, b.y, b.x + OrdersWizard::kButtonWidth, b.y + OrdersWizard::kButtonHeight);
    c.setPen({sign, 1, map::PenStyle::Solid});
    const int cx = b.x + 7, cy = b.y + 5;
    switch (b.kind) {
        case OrdersWizard::Next:
            c.line(cx - 2, cy - 3, cx + 2, cy);
            c.line(cx + 2, cy, cx - 2, cy + 3);
            break;
        case OrdersWizard::Back:
            c.line(cx + 2, cy - 3, cx - 2, cy);
            c.line(cx - 2, cy, cx + 2, cy + 3);
            break;
        case OrdersWizard::Add:
            c.line(cx - 3, cy, cx + 3, cy);
            c.line(cx, cy - 3, cx, cy + 3);
            break;
        case OrdersWizard::Remove: c.line(cx - 3, cy, cx + 3, cy); break;
        default: {  // the three commands: a dot in the command's colour
            const map::Colour dot = b.kind == OrdersWizard::Destroy   ? core::rgb(230, 70, 60)
                                    : b.kind == OrdersWizard::Disable ? core::rgb(90, 170, 250)
                                                                      : core::rgb(90, 220, 110);
            c.setBrush(map::Brush::of(dot));
            c.ellipse(cx - 3, cy - 3, cx + 4, cy + 4);
            break;
        }
    }
}
}  // namespace

OrdersWizard::OrdersWizard(const ShipgroupContext& ctx, int region, int slot)
    : core::FormModel("Orders Wizard", false),
      m_ctx(ctx),
      m_region(std::clamp(region, 0, 3)),
      m_slot(slot >= 1 && slot <= 4 ? slot : 0) {}

int OrdersWizard::shipgroup() const {
    return m_page == kPickShipgroup && m_phase != Phase::FadingOut ? m_ctx.store.currentShipgroup
                                                                   : m_shipgroup;
}

std::string OrdersWizard::name(int shipgroup) const {
    return mission::ShipgroupView(m_ctx.store, shipgroup).name().substr(0, kShownNameLength);
}

std::string OrdersWizard::header() const {
    switch (m_page) {
        case kPickShipgroup: return "STEP #1";
        case kClassified: return "STEP #2";
        case kCommand: return "STEP #3";
        case kDestroyTargets: return "STEP #4 Destroy";
        case kDisableTargets: return "STEP #4 Disable";
        case kProtectTargets: return "STEP #4 Protect";
        default: return "Success";
    }
}

std::vector<std::string> OrdersWizard::pageLines() const {
    std::vector<std::string> l;
    auto chosen = [this, &l] {
        if (m_targets.empty()) l.push_back("none");
        for (int t : m_targets) l.push_back(name(t));
    };
    switch (m_page) {
        case kPickShipgroup:
            l = {"Our first step is to select",
                 "a shipgroup.",
                 "Just click on an icon on the map",
                 "or select a shipgroup from a ",
                 "shipgroup list.",
                 "Selected shipgroup:",
                 name(shipgroup())};
            break;
        case kClassified:
            l = {"I recognised the selected", "shipgroup as a"};
            if (recognised()) {
                l.push_back("Fighter");
            } else {
                l.insert(l.end(), {"Unknown", "Orders Wizard cannot continue",
                                   "because can't recognise the", "selected type of the shipgroup.",
                                   "Select another shipgroup.", "This is because the beta version",
                                   "can handle only fighter class shipgroups."});
            }
            break;
        case kCommand: l = {"Select a command for this shipgroup:"}; break;
        case kDestroyTargets:
        case kDisableTargets:
            l = {"Selecting targets",
                 "This Wizard allows four",
                 "independent targets.",
                 "Just click on an icon on the map",
                 "or select a shipgroup from a ",
                 "shipgroup list then press ADD.",
                 "Selected targets:"};
            chosen();
            break;
        case kProtectTargets:
            l = {"Selecting shipgroups to protect",
                 "You can select four shipgroups",
                 "to protect.",
                 "Just click on an icon on the map",
                 "or select a shipgroup from a ",
                 "shipgroup list then press ADD.",
                 "Selected shipgroups to protect:"};
            chosen();
            break;
        default: {
            l = {"Wizard complete"};
            if (m_slot == 0) {
                // No order slot chosen on the map: there was nowhere to write.
                l.insert(l.end(), {"No order was written:", "no order slot is chosen",
                                   "on the map. Press one of the", "order buttons and run",
                                   "the Wizard again."});
                break;
            }
            l.push_back("The Wizard automaticly");
            l.push_back(m_page == kDestroyDone   ? "assigned the destroy order"
                        : m_page == kDisableDone ? "assigned the disable order"
                                                 : "assigned protect order");
            l.push_back("to this shipgroup in region");
            l.push_back(regionNames(m_ctx.store)[m_region].substr(0, kShownNameLength));
            l.push_back("The Wizard used order slot");
            l.push_back(slotWord(m_slot));
            l.push_back("I hope that I could help you.");
            break;
        }
    }
    return l;
}

void OrdersWizard::paint(map::Canvas& c) const {
    c.fill(kBackground);
    if (m_phase == Phase::Delay) return;
    c.text(kHeaderX, kHeaderY, header(), faded(kHeaderInk, m_fade), kHeaderFont);
    const auto lines = pageLines();
    for (size_t i = 0; i < lines.size(); ++i)
        c.text(kTextX, kFirstLineY + static_cast<int>(i) * kLineStep, lines[i], faded(kInk, m_fade),
               kLineFont);
    for (const Button& b : m_buttons) {
        if (b.kind == Next && m_cannotContinue) continue;
        drawButton(c, b);
        c.text(b.x + kButtonWidth + 5, b.y - 2, buttonLabel(b.kind), faded(kInk, m_fade),
               kLineFont);
    }
}

void OrdersWizard::pointer(const map::PointerEvent& e) {
    auto hit = [&e](const Button& b) {
        return e.x > b.x && e.x < b.x + kButtonWidth && e.y > b.y && e.y < b.y + kButtonHeight;
    };
    if (e.action == map::PointerAction::Move) {
        bool changed = false;
        for (Button& b : m_buttons) {
            const bool on = hit(b);
            changed |= on != b.highlighted;
            b.highlighted = on;
        }
        if (changed) repaint();
        return;
    }
    if (e.action != map::PointerAction::Press || e.button != map::PointerButton::Left) return;
    for (const Button& b : m_buttons)
        if (hit(b)) {
            press(b.kind);
            return;
        }
}

void OrdersWizard::press(int kind) {
    switch (kind) {
        case Next:
            if (m_cannotContinue) return;
            if (m_page == kPickShipgroup) m_shipgroup = m_ctx.store.currentShipgroup;
            changePage(m_page == kClassified ? m_nextAfterClassification : m_page + 1);
            return;
        case Back:
            m_cannotContinue = false;
            changePage(m_page == kCommand ? kClassified
                       : (m_page == kDestroyTargets || m_page == kDisableTargets ||
                          m_page == kProtectTargets)
                           ? kCommand
                           : m_page - 1);
            return;
        case Destroy:
        case Disable:
        case Protect:
            if (m_page != kCommand) return;
            changePage(kind == Destroy   ? kDestroyTargets
                       : kind == Disable ? kDisableTargets
                                         : kProtectTargets);
            return;
        case Add:
            if (static_cast<int>(m_targets.size()) < kMaxTargets) {
                m_targets.push_back(m_ctx.store.currentShipgroup);
                repaint();
            }
            return;
        case Remove:
            if (!m_targets.empty()) {
                m_targets.pop_back();
                repaint();
            }
            return;
        default: return;
    }
}

void OrdersWizard::changePage(int to) {
    if (to < 0) return;
    // The old page stays drawn while it fades out; its buttons are gone.
    m_buttons.clear();
    m_pendingPage = to;
    m_phase = Phase::FadingOut;
    repaint();
}

int OrdersWizard::timerInterval() const {
    switch (m_phase) {
        case Phase::Delay: return kStartDelayMs;
        case Phase::FadingIn: return kFadeInMs;
        case Phase::FadingOut: return kFadeOutMs;
        case Phase::Shown: return 0;
    }
    return 0;
}

void OrdersWizard::tick() {
    switch (m_phase) {
        case Phase::Delay:
            m_page = kPickShipgroup;
            pageShown();
            break;
        case Phase::FadingIn:
            if (++m_fade >= kFadeSteps) {
                m_fade = kFadeSteps;
                pageSettled();
            }
            break;
        case Phase::FadingOut:
            if (--m_fade <= 0) {
                m_fade = 0;
                m_page = m_pendingPage;
                pageShown();
            }
            break;
        case Phase::Shown: return;
    }
    repaint();
}

void OrdersWizard::pageShown() {
    m_phase = Phase::FadingIn;
    m_fade = 0;
    if (m_page == kClassified) classify();
    if (m_page == kDestroyDone || m_page == kDisableDone || m_page == kProtectDone) writeOrder();
}

void OrdersWizard::pageSettled() {
    m_phase = Phase::Shown;
    // The command page wants a choice, and an unknown craft cannot go on.
    m_cannotContinue = m_page == kCommand || (m_page == kClassified && !recognised());
    const bool targets =
        m_page == kDestroyTargets || m_page == kDisableTargets || m_page == kProtectTargets;
    const bool success = m_page == kDestroyDone || m_page == kDisableDone || m_page == kProtectDone;
    if (success) return;
    m_buttons.push_back({5, 180, Next, false});
    if (m_page != kPickShipgroup) m_buttons.push_back({5, 200, Back, false});
    if (m_page == kCommand) {
        m_buttons.push_back({5, 80, Destroy, false});
        m_buttons.push_back({5, 100, Disable, false});
        m_buttons.push_back({5, 120, Protect, false});
    }
    if (targets) {
        m_buttons.push_back({5, 220, Add, false});
        m_buttons.push_back({5, 240, Remove, false});
    }
}

void OrdersWizard::classify() {
    m_nextAfterClassification = -1;
    const int type = mission::ShipgroupView(m_ctx.store, m_shipgroup).craftType();
    const mission::CraftCategory* found = nullptr;
    if (m_ctx.crafts)
        for (const auto& cat : m_ctx.crafts->categories())
            for (const auto& m : cat.members)
                if (!found && m.craftType == type) found = &cat;
    if (!found) {
        // The wizard halts: no page fades while the message shows.
        m_phase = Phase::Shown;
        m_ctx.prompter.tell(
            "Ship is not in the database.\nThis is a fatal error cause the "
            "Wizard to be halted.",
            "Unknown shiptype");
        requestClose(false);
        return;
    }
    if (found->name == "Fighter") m_nextAfterClassification = kCommand;
}

void OrdersWizard::writeOrder() {
    if (m_slot == 0) return;  // no order slot chosen on the map
    core::ActionScope action(m_ctx.store.journal(), "Orders wizard");
    mission::ShipgroupRecord r(m_ctx.store, m_shipgroup);
    const int o = sg::orderOffset(m_region, m_slot - 1);
    r.set(o + kOrder, m_page == kDestroyDone   ? kOrderDestroy
                      : m_page == kDisableDone ? kOrderDisable
                                               : kOrderProtect);
    r.set(o + kThrottle, kFullThrottle);
    const int n = static_cast<int>(m_targets.size());
    auto target = [&](int k) { return static_cast<uint8_t>(m_targets[k]); };
    if (n >= 1) {
        r.set(o + kTarget1Type, kFlightgroup);
        r.set(o + kTarget1, target(0));
    }
    if (n >= 2) {
        r.set(o + kTarget2Type, kFlightgroup);
        r.set(o + kTarget2, target(1));
        r.set(o + kTarget34Flag, 1);
    }
    if (n >= 3) {
        r.set(o + kTarget3Type, kFlightgroup);
        r.set(o + kTarget3, target(2));
        r.set(o + kTarget12Flag, 1);
    }
    if (n >= 4) {
        r.set(o + kTarget4Type, kFlightgroup);
        r.set(o + kTarget4, target(3));
    }
}

void OrdersWizard::receive(ShipgroupEvent) { repaint(); }

}  // namespace quendar::shipgroup
