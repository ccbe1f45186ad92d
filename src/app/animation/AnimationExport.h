#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "briefing/BriefingModel.h"
#include "briefing/BriefingView.h"

namespace quendar::app {

// One briefing unit is 1/14 s: at 14 frames per second an animation shows
// one frame per unit, as the game plays it.
constexpr int kBriefingUnitsPerSecond = 14;
constexpr int kDefaultAnimationFps = 14;
constexpr int kMinAnimationFps = 1, kMaxAnimationFps = 60;
// The last time a command can carry; an animation ends there at the latest.
constexpr int32_t kLastAnimationTime = 65534;

enum class AnimationFormat { WebP, Gif };
// The format an output name asks for by its extension (".webp", ".gif", any
// case); none for any other name.
std::optional<AnimationFormat> animationFormatOf(const std::string& path);

struct AnimationRange {
    int32_t from = 0;
    int32_t to = 0;
    int fps = kDefaultAnimationFps;
};
// Why a range cannot be exported, as one sentence; empty when it can.
std::string animationRangeProblem(const AnimationRange& range);

// Which briefing time each frame shows and when it starts. Frame k shows time
// from + floor(k * 14 / fps) and starts floor(k * 1000 / fps) ms into the
// animation; the frames run while that time is at most `to`, so `to` itself
// is the last frame's time.
class FrameSchedule {
  public:
    explicit FrameSchedule(const AnimationRange& range) : m_range(range) {}
    int frameCount() const;
    int32_t briefingTime(int frame) const;
    // frame == frameCount(): when the animation ends.
    int64_t startMs(int frame) const;

  private:
    AnimationRange m_range;
};

// Whether two views draw the same picture: everything but the time. Nothing
// the briefing draws depends on the time itself.
bool samePicture(const briefing::BriefingView& a, const briefing::BriefingView& b);

// A drawn frame: row-major 0xAARRGGBB pixels, `width` per row, owned by
// whoever drew it and valid until it draws the next one.
struct FramePixels {
    const uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

// Draws the briefing as the map shows it at a view state, in its locked
// view. The window's canvas implements it; tests use a plain one.
class FramePainter {
  public:
    virtual ~FramePainter() = default;
    virtual FramePixels paint(const briefing::BriefingView& view) = 0;
};

// Turns frames into one file. Frames come in order, each with the time it
// starts at; a frame lasts until the next one starts (or the end).
class AnimationEncoder {
  public:
    virtual ~AnimationEncoder() = default;
    // How often the frames are drawn: a GIF looks at every frame's colours
    // before it can choose its one palette.
    virtual int passes() const { return 1; }
    virtual void survey(const FramePixels&) {}
    virtual bool add(const FramePixels& frame, int64_t startMs) = 0;
    virtual bool finish(int64_t endMs, std::vector<uint8_t>& file) = 0;
    virtual const std::string& error() const = 0;
};
// Lossless animated WebP, or animated GIF with one palette; both loop. The
// first frame sets the size; a frame of another size is refused.
std::unique_ptr<AnimationEncoder> makeAnimationEncoder(AnimationFormat format);

// Shared with the thread that watches an export: frames done of the total
// (all passes) and the request to stop.
struct AnimationProgress {
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::atomic<bool> cancel{false};
};

struct AnimationOutcome {
    enum class Status { Written, Cancelled, Failed };
    Status status = Status::Failed;
    std::string message;  // why it failed
    int frames = 0;       // frames of the schedule
    int pictures = 0;     // frames written after merging the unchanged ones
    size_t bytes = 0;     // size of the written file
};

// Draws every frame of the range and writes the animation to `path`: frames
// that look like the one before only lengthen it. The file is written
// through a temporary file beside it and renamed only when complete; a
// cancelled or failed export leaves nothing (an existing file stays as it
// was). Whether `path` can be written is checked before any frame is drawn.
AnimationOutcome exportAnimation(const briefing::BriefingModel& briefing, FramePainter& painter,
                                 const AnimationRange& range, AnimationFormat format,
                                 const std::string& path, AnimationProgress& progress);

}  // namespace quendar::app
