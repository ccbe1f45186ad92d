#include "map/ReplayWorker.h"

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
    if (!workerTexts || pixels < m_leastPixels || std::thread::hardware_concurrency() < 2) {
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
        if (!m_thread.joinable()) m_thread = std::thread([this] { run(); });
    }
    m_wake.notify_one();
    for (const Rect& r : upper) list.replay(target, r, texts);
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [this] { return !m_busy; });
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
