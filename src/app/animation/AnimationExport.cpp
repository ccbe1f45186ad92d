#include "app/animation/AnimationExport.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>

#include "mission/FileIO.h"

namespace quendar::app {

std::optional<AnimationFormat> animationFormatOf(const std::string& path) {
    const size_t dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.') return std::nullopt;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == "webp") return AnimationFormat::WebP;
    if (ext == "gif") return AnimationFormat::Gif;
    return std::nullopt;
}

std::string animationRangeProblem(const AnimationRange& r) {
    if (r.fps < kMinAnimationFps || r.fps > kMaxAnimationFps)
        return "the frame rate is " + std::to_string(kMinAnimationFps) + ".." +
               std::to_string(kMaxAnimationFps) + " frames per second";
    if (r.from < 0) return "the start time is 0 or later";
    if (r.to < r.from) return "the end time lies before the start time";
    if (r.to > kLastAnimationTime)
        return "the end time is at most " + std::to_string(kLastAnimationTime);
    return {};
}

int FrameSchedule::frameCount() const {
    if (!animationRangeProblem(m_range).empty()) return 0;
    // The frames k with floor(k * 14 / fps) <= to - from.
    const int64_t span = int64_t{m_range.to} - m_range.from + 1;
    return static_cast<int>((span * m_range.fps + kBriefingUnitsPerSecond - 1) /
                            kBriefingUnitsPerSecond);
}

int32_t FrameSchedule::briefingTime(int frame) const {
    return m_range.from +
           static_cast<int32_t>(int64_t{frame} * kBriefingUnitsPerSecond / m_range.fps);
}

int64_t FrameSchedule::startMs(int frame) const { return int64_t{frame} * 1000 / m_range.fps; }

bool samePicture(const briefing::BriefingView& a, const briefing::BriefingView& b) {
    return a.regionTime == b.regionTime && a.bottomText == b.bottomText &&
           a.techData == b.techData && a.regionScreen == b.regionScreen && a.ships == b.ships &&
           a.selections == b.selections && a.tags == b.tags && a.lockedView == b.lockedView;
}

namespace {

using Status = AnimationOutcome::Status;

AnimationOutcome failed(std::string message) {
    AnimationOutcome o;
    o.status = Status::Failed;
    o.message = std::move(message);
    return o;
}

}  // namespace

namespace {

AnimationOutcome exportFrames(const briefing::BriefingModel& briefing, FramePainter& painter,
                              const AnimationRange& range, AnimationFormat format,
                              const std::string& path, AnimationProgress& progress) {
    if (std::string problem = animationRangeProblem(range); !problem.empty())
        return failed(problem);
    mission::FileError error;
    auto pending = mission::PendingFile::begin(path, &error);
    if (!pending) return failed("cannot write " + path + ": " + error.reason);

    const FrameSchedule schedule(range);
    const int frames = schedule.frameCount();
    auto encoder = makeAnimationEncoder(format);
    const int passes = encoder->passes();
    progress.done = 0;
    progress.total = frames * passes;

    AnimationOutcome outcome;
    outcome.frames = frames;
    std::vector<uint32_t> last;  // the pixels of the last frame handed on
    int width = 0, height = 0;   // of the first frame; every frame has them
    for (int pass = 0; pass < passes; ++pass) {
        const bool writing = pass == passes - 1;
        briefing::BriefingView shown;
        for (int k = 0; k < frames; ++k, ++progress.done) {
            if (progress.cancel) return {Status::Cancelled, {}, frames, 0, 0};
            briefing::BriefingView view =
                briefing::briefingViewAt(briefing, schedule.briefingTime(k));
            if (k > 0 && samePicture(view, shown)) continue;
            shown = std::move(view);
            const FramePixels f = painter.paint(shown);
            if (width == 0) {
                width = f.width;
                height = f.height;
            }
            if (!f.pixels || width < 1 || height < 1)
                return failed("no memory for a picture of that size");
            if (f.width != width || f.height != height) return failed("the frames differ in size");
            const size_t n = static_cast<size_t>(width) * height;
            if (k > 0 && n == last.size() && std::memcmp(f.pixels, last.data(), n * 4) == 0)
                continue;
            last.assign(f.pixels, f.pixels + n);
            if (!writing) {
                encoder->survey(f);
                continue;
            }
            if (!encoder->add(f, schedule.startMs(k))) return failed(encoder->error());
            ++outcome.pictures;
        }
    }
    if (progress.cancel) return {Status::Cancelled, {}, frames, 0, 0};
    std::vector<uint8_t> file;
    if (!encoder->finish(schedule.startMs(frames), file)) return failed(encoder->error());
    if (!pending->commit([&](mission::ByteSink& out) { out.put(file); }, &error))
        return failed("cannot write " + path + ": " + error.reason);
    outcome.status = Status::Written;
    outcome.bytes = file.size();
    return outcome;
}

}  // namespace

AnimationOutcome exportAnimation(const briefing::BriefingModel& briefing, FramePainter& painter,
                                 const AnimationRange& range, AnimationFormat format,
                                 const std::string& path, AnimationProgress& progress) {
    // A huge picture may not fit in memory; the export then fails like any
    // other (the pending file goes with the stack).
    try {
        return exportFrames(briefing, painter, range, format, path, progress);
    } catch (const std::bad_alloc&) {
        return failed("no memory for a picture of that size");
    }
}

}  // namespace quendar::app
