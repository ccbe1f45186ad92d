#include "app/animation/AnimationJob.h"

#include <filesystem>

namespace quendar::app {

BriefingSnapshot::BriefingSnapshot(const Editor& editor)
    : store(editor.store), settings(editor.settings), switches(editor.viewSwitches) {
    // The lists command by command; the copy's store keeps no journal.
    for (int k = 0; k < briefing::kKindCount; ++k) {
        const auto kind = static_cast<briefing::Kind>(k);
        for (const briefing::Record& r : editor.briefing.records(kind)) {
            int params[briefing::kMaxParams];
            for (int i = 0; i < briefing::kMaxParams; ++i) params[i] = r.param(i);
            briefing.appendCommand(kind, r.time, std::span<const int>(params));
        }
    }
    briefing.setBriefingEndTime(editor.briefing.briefingEndTime());
    // The pictures are copied out of the icon file here, on the editor's
    // thread: the table fills its slots when they are first asked for.
    if (editor.icons.available())
        for (int n = 0; n < map::IconTable::kSlots; ++n)
            if (!editor.icons.icon(n).empty()) icons.setIcon(n, editor.icons.icon(n));
}

AnimationJob::AnimationJob(std::unique_ptr<BriefingSnapshot> snapshot, PainterFactory painter,
                           AnimationRange range, AnimationFormat format, std::string path)
    : m_snapshot(std::move(snapshot)), m_path(std::move(path)) {
    m_progress.total = FrameSchedule(range).frameCount();
    m_thread = std::thread([this, painter = std::move(painter), range, format] {
        std::unique_ptr<FramePainter> p = painter(*m_snapshot);
        m_outcome = exportAnimation(m_snapshot->briefing, *p, range, format, m_path, m_progress);
        m_finished.store(true, std::memory_order_release);
    });
}

AnimationJob::~AnimationJob() {
    cancel();
    if (m_thread.joinable()) m_thread.join();
}

const AnimationOutcome& AnimationJob::outcome() {
    if (m_thread.joinable()) m_thread.join();
    return m_outcome;
}

namespace {

// A typed whole number; none for anything else.
std::optional<long> typed(const std::string& text) {
    size_t used = 0;
    try {
        const long v = std::stol(text, &used);
        if (used == text.size()) return v;
    } catch (...) {
    }
    return std::nullopt;
}

int typedOr(const std::string& text, int fallback) {
    const auto v = typed(text);
    return v && *v >= INT32_MIN && *v <= INT32_MAX ? static_cast<int>(*v) : fallback;
}

}  // namespace

AnimationExportForm::AnimationExportForm(int endTime, int width, int height)
    : FormModel("Export Animation", true),
      m_from("0"),
      m_to(std::to_string(std::clamp(endTime, 0, kLastAnimationTime))),
      m_fps(std::to_string(kDefaultAnimationFps)),
      m_width(std::to_string(width)),
      m_height(std::to_string(height)) {
    const std::string times = "Briefing time (1 unit = 1/14 second)";
    textEdit("from", "From", times, core::heldText(m_from, 5, [this](auto&) { refresh(); }));
    textEdit("to", "To", times, core::heldText(m_to, 5, [this](auto&) { refresh(); }));
    const std::string picture = "Picture";
    textEdit("fps", "Frames per second", picture,
             core::heldText(m_fps, 2, [this](auto&) { refresh(); }));
    textEdit("width", "Width", picture, core::heldText(m_width, 5, [this](auto&) { refresh(); }));
    textEdit("height", "Height", picture,
             core::heldText(m_height, 5, [this](auto&) { refresh(); }));
    label("note", "", "", [this] {
        if (std::string p = problem(); !p.empty()) return "Cannot export: " + p + ".";
        const AnimationRange r = range();
        const int frames = FrameSchedule(r).frameCount();
        const int64_t ms = FrameSchedule(r).startMs(frames);
        return std::to_string(frames) + " frames, " + std::to_string(ms / 1000) + "." +
               std::to_string(ms % 1000 / 100) + " seconds";
    });
    button("ok", "OK", "", [this] {
        if (problem().empty()) requestClose(true);
    }).enabledWhen([this] { return problem().empty(); });
    closeButton("cancel", "Cancel", false);
}

AnimationRange AnimationExportForm::range() const {
    return {typedOr(m_from, -1), typedOr(m_to, -1), typedOr(m_fps, 0)};
}
int AnimationExportForm::width() const { return typedOr(m_width, 0); }
int AnimationExportForm::height() const { return typedOr(m_height, 0); }

std::string AnimationExportForm::problem() const {
    for (const std::string* t : {&m_from, &m_to, &m_fps, &m_width, &m_height})
        if (!typed(*t)) return "every field takes a whole number";
    if (std::string p = animationRangeProblem(range()); !p.empty()) return p;
    if (width() < 1 || height() < 1 || width() > 16384 || height() > 16384)
        return "the picture is 1..16384 pixels wide and high";
    return {};
}

FileDialogRequest animationFileRequest(const std::string& folder) {
    FileDialogRequest r;
    r.filter = "WebP animation (*.webp)|*.webp|GIF animation (*.gif)|*.gif||";
    r.defaultExtension = "webp";
    r.initialName = (folder.empty() ? std::string() : folder + "/") + "briefing.webp";
    r.promptOverwrite = true;
    return r;
}

std::string folderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

}  // namespace quendar::app
