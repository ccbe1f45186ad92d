#pragma once

#include <functional>

#include "app/editor/CommandTable.h"
#include "app/editor/Editor.h"
#include "app/editor/FramePorts.h"
#include "briefing/PlaybackControl.h"
#include "core/Notifier.h"

namespace quendar::app {

// The playback timer as the logic sees it; the window runs a real timer and
// calls BriefingBar::tick() on each period, tests call it directly.
class PlaybackTimer {
  public:
    virtual ~PlaybackTimer() = default;
    virtual void start(int intervalMs) = 0;  // (re)starts with this period
    virtual void stop() = 0;
};

// Asked before the briefing lock toggles (the briefing tools ask their
// hint); false leaves the lock as it is.
class LockQuestion {
  public:
    virtual ~LockQuestion() = default;
    virtual bool confirmLock() = 0;
};

// The briefing bar's playback commands, the playback timer's tick and the
// briefing undo and redo buttons, bound into the command table. Each change
// of the time refreshes the two status panes and the slider, recomputes the
// locked view and repaints as the playback rules say.
class BriefingBar {
  public:
    BriefingBar(Editor& editor, CommandTable& commands, FrameView& view, MapPort& map,
                BriefingTimeListener& logic, PlaybackTimer& timer, LockQuestion& lock);

    // One period of the playback timer.
    void tick();
    briefing::PlaybackControl& control() { return m_control; }

  private:
    void bind();
    void apply(const briefing::PlaybackEffect& effect);
    void recomputeView();

    Editor& m_editor;
    CommandTable& m_commands;
    FrameView& m_view;
    MapPort& m_map;
    BriefingTimeListener& m_logic;
    PlaybackTimer& m_timer;
    LockQuestion& m_lock;
    briefing::PlaybackControl m_control;
    core::Notifier<>::Connection m_replacedConn;
};

}  // namespace quendar::app
