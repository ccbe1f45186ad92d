#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/animation/AnimationExport.h"
#include "app/editor/Editor.h"
#include "app/editor/FileChooser.h"
#include "core/FormModel.h"

namespace quendar::app {

// What an export draws from, copied from the editor when it starts, so that
// the editor goes on editing its mission meanwhile: the tables, the briefing
// lists, the map's settings and switches and the craft pictures.
struct BriefingSnapshot {
    explicit BriefingSnapshot(const Editor& editor);
    mission::MissionStore store;
    briefing::BriefingModel briefing{store};
    core::DisplaySettings settings;
    map::ViewSwitches switches;
    map::IconTable icons;
};

// One export running on a thread of its own. The painter is made on that
// thread (a window's canvas belongs to the thread that draws on it).
class AnimationJob {
  public:
    using PainterFactory = std::function<std::unique_ptr<FramePainter>(const BriefingSnapshot&)>;
    AnimationJob(std::unique_ptr<BriefingSnapshot> snapshot, PainterFactory painter,
                 AnimationRange range, AnimationFormat format, std::string path);
    // Cancels an export that still runs and waits for it.
    ~AnimationJob();
    AnimationJob(const AnimationJob&) = delete;
    AnimationJob& operator=(const AnimationJob&) = delete;

    const AnimationProgress& progress() const { return m_progress; }
    void cancel() { m_progress.cancel = true; }
    bool finished() const { return m_finished.load(std::memory_order_acquire); }
    // Waits for the end of the export.
    const AnimationOutcome& outcome();
    const std::string& path() const { return m_path; }

  private:
    std::unique_ptr<BriefingSnapshot> m_snapshot;
    std::string m_path;
    AnimationProgress m_progress;
    AnimationOutcome m_outcome;
    std::atomic<bool> m_finished{false};
    std::thread m_thread;
};

// Briefing > Export Animation...: the time range, the frame rate and the
// picture's size. OK is refused while the numbers make no animation; the
// line under them says why, or how long the animation runs.
class AnimationExportForm : public core::FormModel {
  public:
    AnimationExportForm(int endTime, int width, int height);
    AnimationRange range() const;
    int width() const;
    int height() const;
    // Why the numbers make no animation; empty when they do.
    std::string problem() const;

  private:
    std::string m_from, m_to, m_fps, m_width, m_height;
};

// The save dialog of the export: WebP or GIF, starting in `folder`.
FileDialogRequest animationFileRequest(const std::string& folder);
// The folder of a chosen file, to start the next dialog in.
std::string folderOf(const std::string& path);

}  // namespace quendar::app
