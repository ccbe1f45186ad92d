#pragma once

#include <string>
#include <vector>

#include "core/FormModel.h"
#include "map/Canvas.h"
#include "map/PointerEvent.h"
#include "shipgroup/ShipgroupContext.h"

namespace quendar::shipgroup {

// The custom-drawn wizard that writes one complete order for a fighter
// shipgroup in four short pages. It has no standard controls: the window
// paints it through a canvas, hands it the mouse and runs one timer at the
// interval it asks for. It lives in the form host like the other modeless
// forms so that it hears the shipgroup events.
class OrdersWizard : public core::FormModel {
  public:
    // Pages.
    static constexpr int kPickShipgroup = 0, kClassified = 1, kCommand = 10, kDestroyTargets = 11,
                         kDestroyDone = 12, kDisableTargets = 16, kDisableDone = 17,
                         kProtectTargets = 21, kProtectDone = 22;
    // Button kinds.
    enum Kind { Next = 1, Back = 2, Destroy = 3, Disable = 4, Protect = 5, Add = 11, Remove = 12 };
    struct Button {
        int x = 0;
        int y = 0;
        int kind = 0;
        bool highlighted = false;
    };
    static constexpr int kButtonWidth = 14, kButtonHeight = 10;
    static constexpr int kWidth = 450, kHeight = 262;
    static constexpr int kMaxTargets = 4;
    // Timer intervals: the pause before the first page, one step of a page
    // fading in, one step of a page fading out.
    static constexpr int kStartDelayMs = 500, kFadeInMs = 2, kFadeOutMs = 5, kFadeSteps = 16;

    // `region` and `slot` are what the map uses when the wizard opens (slot
    // 1..4; 0 = no order chosen yet, so nothing will be written).
    OrdersWizard(const ShipgroupContext& ctx, int region, int slot);

    void paint(map::Canvas& canvas) const;
    // Mouse moves highlight buttons; a left press clicks one.
    void pointer(const map::PointerEvent& event);
    // One step of the timer; the window then asks for the interval again.
    void tick() override;
    int timerInterval() const override;  // 0 = no timer needed

    // The frame's relay: any code repaints (page 0 shows a new selection).
    void receive(ShipgroupEvent event) override;
    // The window repaints when this fires.
    core::Notifier<> repaintRequested;

    int page() const { return m_page; }
    int fade() const { return m_fade; }
    int shipgroup() const;
    int region() const { return m_region; }
    int slot() const { return m_slot; }
    bool cannotContinue() const { return m_cannotContinue; }
    const std::vector<int>& targets() const { return m_targets; }
    const std::vector<Button>& buttons() const { return m_buttons; }
    // The texts of the shown page, header first (what paint draws).
    std::vector<std::string> pageLines() const;
    std::string header() const;

  private:
    enum class Phase { Delay, FadingIn, Shown, FadingOut };
    void press(int kind);
    void changePage(int to);
    void pageShown();    // a page starts to fade in
    void pageSettled();  // a page has faded in
    void classify();
    void writeOrder();
    bool recognised() const { return m_nextAfterClassification == kCommand; }
    std::string name(int shipgroup) const;
    void repaint() { repaintRequested.notify(); }

    const ShipgroupContext& m_ctx;
    int m_region;
    int m_slot;
    int m_page = kPickShipgroup;
    int m_pendingPage = kPickShipgroup;
    int m_shipgroup = 0;
    int m_nextAfterClassification = -1;
    bool m_cannotContinue = false;
    std::vector<int> m_targets;
    std::vector<Button> m_buttons;
    Phase m_phase = Phase::Delay;
    int m_fade = 0;
};

}  // namespace quendar::shipgroup
