#include "app/briefedit/BriefingBar.h"

namespace quendar::app {

using briefing::PlaybackEffect;
namespace playcmd = briefing::playcmd;

BriefingBar::BriefingBar(Editor& editor, CommandTable& commands, FrameView& view, MapPort& map,
                         BriefingTimeListener& logic, PlaybackTimer& timer)
    : m_editor(editor),
      m_commands(commands),
      m_view(view),
      m_map(map),
      m_logic(logic),
      m_timer(timer),
      m_control(editor.briefing) {
    // New, Open and Save put the time back to 0 (the model did that); in
    // briefing mode the map follows the briefing from there.
    m_replacedConn = m_editor.missionReplaced.connect([this] {
        if (m_map.briefingMode()) recomputeView();
    });
    bind();
}

void BriefingBar::bind() {
    const int ids[] = {playcmd::Pause,  playcmd::Play,       playcmd::Stop,
                       playcmd::StepForward, playcmd::StepBackward, playcmd::Rewind,
                       playcmd::NextAction,  playcmd::LastAction,   playcmd::Slow,
                       playcmd::Normal,      playcmd::Fast,         playcmd::Lock,
                       playcmd::Step1,       playcmd::Step1 + 1,    playcmd::Step1 + 2,
                       playcmd::Step1 + 3,   playcmd::Step1 + 4};
    for (int id : ids) {
        const bool checkable = id != playcmd::Pause && id != playcmd::StepForward &&
                               id != playcmd::StepBackward && id != playcmd::Rewind &&
                               id != playcmd::NextAction && id != playcmd::LastAction;
        std::function<bool()> checked;
        if (checkable) checked = [this, id] { return m_control.checked(id); };
        m_commands.bind(
            id,
            [this, id] {
                if (id == playcmd::Lock && confirmLock && !confirmLock()) return;
                PlaybackEffect e;
                if (m_control.execute(id, e)) apply(e);
            },
            [this, id] { return m_control.enabled(id); }, checked);
    }

    // The toolbar's Undo and Redo act on the tools' own log; what they change
    // (a list's count, the log's position) is an action of the change journal
    // like any other, so Edit → Undo takes a toolbar Undo back.
    auto& log = m_editor.briefing.undoLog();
    m_commands.bind(
        kUndoCommand,
        [this, &log] {
            core::ActionScope scope(m_editor.journal, "Undo briefing tool");
            if (log.undo(m_editor.briefing, m_map.briefingMode())) m_view.repaintMap();
        },
        [this, &log] { return log.canUndo(m_map.briefingMode()); });
    m_commands.bind(
        kRedoCommand,
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
