#include "map/ReplayWorker.h"

#include <system_error>

namespace quendar::map {

ReplayWorker::~ReplayWorker() {
    if (!m_thread.joinable()) return;
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void ReplayWorker::replay(const DisplayList& list, PixelBuffer target,
                          const std::vector<Rect>& places, TextPainter* texts,
                          TextPainter* workerTexts) {
    long long pixels = 0;
    for (const Rect& r : places) pixels += r.area();
    if (workerTexts && pixels >= m_leastPixels && !m_thread.joinable() && !m_noThread) {
        // A system out of threads keeps painting on the calling thread.
        try {
            if (std::thread::hardware_concurrency() >= 2) m_thread = std::thread([this] { run(); });
        } catch (const std::system_error&) {
        }
        m_noThread = !m_thread.joinable();
    }
    if (!workerTexts || pixels < m_leastPixels || !m_thread.joinable()) {
        for (const Rect& r : places) list.replay(target, r, texts);
        return;
    }
    std::vector<Rect> upper;
    {
        std::lock_guard lock(m_mutex);
        m_places.clear();
        for (const Rect& r : places) {
            const int middle = r.y1 + (r.y2 - r.y1) / 2;
            upper.push_back({r.x1, r.y1, r.x2, middle});
            m_places.push_back({r.x1, middle, r.x2, r.y2});
        }
        m_list = &list;
        m_target = target;
        m_texts = workerTexts;
        m_busy = true;
    }
    m_wake.notify_one();
    // The worker is waited for however the upper halves end: it reads the list and the pixels.
    struct Join {
        ReplayWorker& w;
        ~Join() {
            std::unique_lock lock(w.m_mutex);
            w.m_done.wait(lock, [this] { return !w.m_busy; });
        }
    } join{*this};
    for (const Rect& r : upper) list.replay(target, r, texts);
}

void ReplayWorker::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_busy; });
        if (m_stop) return;
        lock.unlock();
        for (const Rect& r : m_places) m_list->replay(m_target, r, m_texts);
        lock.lock();
        m_busy = false;
        m_done.notify_one();
    }
}

}  // namespace quendar::map
