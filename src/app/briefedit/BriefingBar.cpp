#include "app/briefedit/BriefingBar.h"

namespace quendar::app {

using briefing::PlaybackEffect;

BriefingBar::BriefingBar(Editor& editor, CommandTable& commands, FrameView& view, MapPort& map,
                         BriefingTimeListener& logic, PlaybackTimer& timer, LockQuestion& lock)
    : m_editor(editor),
      m_commands(commands),
      m_view(view),
      m_map(map),
      m_logic(logic),
      m_timer(timer),
      m_lock(lock),
      m_control(editor.briefing) {
    // New, Open and Save put the time back to 0 (the model did that); in
    // briefing mode the map follows the briefing from there.
    m_replacedConn = m_editor.missionReplaced.connect([this] {
        if (m_map.briefingMode()) recomputeView();
    });
    bind();
}

namespace {
using briefing::PlayCommand;
// The playback buttons and what each runs; the first six only act.
struct PlayButton {
    CommandId id;
    PlayCommand command;
    bool checkable;
};
constexpr PlayButton kPlayButtons[] = {
    {cmd::Play, PlayCommand::Play, true},
    {cmd::Stop, PlayCommand::Stop, true},
    {cmd::StepForward, PlayCommand::StepForward, false},
    {cmd::StepBackward, PlayCommand::StepBackward, false},
    {cmd::GoToEnd, PlayCommand::Rewind, false},
    {cmd::NextAction, PlayCommand::NextAction, false},
    {cmd::LastAction, PlayCommand::LastAction, false},
    {cmd::SlowSpeed, PlayCommand::Slow, true},
    {cmd::NormalSpeed, PlayCommand::Normal, true},
    {cmd::FastSpeed, PlayCommand::Fast, true},
    {cmd::LockBriefing, PlayCommand::Lock, true},
    {cmd::Step1, PlayCommand::Step1, true},
    {cmd::Step2, PlayCommand::Step2, true},
    {cmd::Step3, PlayCommand::Step3, true},
    {cmd::Step4, PlayCommand::Step4, true},
    {cmd::Step5, PlayCommand::Step5, true},
};
}  // namespace

void BriefingBar::bind() {
    for (const PlayButton& b : kPlayButtons) {
        const PlayCommand pc = b.command;
        std::function<bool()> checked;
        if (b.checkable) checked = [this, pc] { return m_control.checked(pc); };
        m_commands.bind(
            b.id,
            [this, pc] {
                if (pc == PlayCommand::Lock && !m_lock.confirmLock()) return;
                PlaybackEffect e;
                if (m_control.execute(pc, e)) apply(e);
            },
            [this, pc] { return m_control.enabled(pc); }, checked);
    }

    // The toolbar's Undo and Redo act on the tools' own log; what they change
    // (a list's count, the log's position) is an action of the change journal
    // like any other, so Edit → Undo takes a toolbar Undo back.
    auto& log = m_editor.briefing.undoLog();
    m_commands.bind(
        cmd::BriefingUndo,
        [this, &log] {
            core::ActionScope scope(m_editor.journal, "Undo briefing tool");
            if (log.undo(m_editor.briefing, m_map.briefingMode())) m_view.repaintMap();
        },
        [this, &log] { return log.canUndo(m_map.briefingMode()); });
    m_commands.bind(
        cmd::BriefingRedo,
        [this, &log] {
            core::ActionScope scope(m_editor.journal, "Redo briefing tool");
            if (log.redo(m_editor.briefing, m_map.briefingMode())) m_view.repaintMap();
        },
        [this, &log] { return log.canRedo(m_map.briefingMode()); });
}

// Without the lock the view stays where the user put it, but the map still
// repaints: the ships of the new time must show.
void BriefingBar::recomputeView() {
    m_map.applyBriefingView();
    m_view.repaintMap();
}

void BriefingBar::apply(const PlaybackEffect& e) {
    switch (e.timer) {
        case PlaybackEffect::Timer::Keep: break;
        case PlaybackEffect::Timer::Start:
        case PlaybackEffect::Timer::Restart:
            m_timer.start(m_editor.briefing.playback().tickInterval);
            break;
        case PlaybackEffect::Timer::Stop: m_timer.stop(); break;
    }
    bool recompute = e.recomputeView;
    if (e.timeChanged) {
        m_logic.refreshBriefingTime();
        // A move, zoom or region change at the new time moves the view too.
        if (m_control.viewCommandAt(m_editor.briefing.currentTime())) recompute = true;
    }
    if (recompute && m_map.briefingMode())
        recomputeView();
    else if (e.repaint || recompute)
        m_view.repaintMap();
}

void BriefingBar::tick() {
    // A tick that arrives after the timer was stopped does nothing.
    if (!m_editor.briefing.playback().timerRunning) return;
    apply(m_control.tick());
}

}  // namespace quendar::app
