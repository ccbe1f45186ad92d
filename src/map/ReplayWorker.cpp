#include "map/ReplayWorker.h"

#include <algorithm>
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

bool ReplayWorker::startThread(long long pixels, TextPainter* workerTexts) {
    if (workerTexts && pixels >= m_leastPixels && !m_thread.joinable() && !m_noThread) {
        // A system out of threads keeps painting on the calling thread.
        try {
            if (std::thread::hardware_concurrency() >= 2) m_thread = std::thread([this] { run(); });
        } catch (const std::system_error&) {
        }
        m_noThread = !m_thread.joinable();
    }
    return workerTexts && pixels >= m_leastPixels && m_thread.joinable();
}

void ReplayWorker::replay(const DisplayList& list, PixelBuffer target,
                          const std::vector<Rect>& places, TextPainter* texts,
                          TextPainter* workerTexts) {
    long long pixels = 0;
    for (const Rect& r : places) pixels += r.area();
    if (!startThread(pixels, workerTexts)) {
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

void ReplayWorker::recordAndReplay(DisplayList& list, const std::function<void()>& record,
                                   PixelBuffer target, const Rect& place, TextPainter* texts,
                                   TextPainter* workerTexts) {
    if (!startThread(place.area(), workerTexts)) {
        record();
        list.replay(target, place, texts);
        return;
    }
    const int middle = std::clamp(place.y1 + static_cast<int>((place.y2 - place.y1) * m_upperShare),
                                  place.y1, place.y2);
    {
        std::lock_guard lock(m_mutex);
        m_list = &list;
        m_target = target;
        m_lower = {place.x1, middle, place.x2, place.y2};
        m_texts = workerTexts;
        m_following = true;
        m_published = 0;
        m_recorded = m_moving = m_reading = false;
        m_busy = true;
    }
    m_wake.notify_one();
    Feed feed(*this);
    list.setStream(&feed);
    // However the recording ends, the worker is told that it has and is
    // waited for: it reads the list and the pixels.
    struct Join {
        ReplayWorker& w;
        DisplayList& list;
        ~Join() {
            {
                std::unique_lock lock(w.m_mutex);
                w.m_published = list.size();
                w.m_recorded = true;
                w.m_wake.notify_one();
                w.m_done.wait(lock, [this] { return !w.m_busy; });
            }
            list.setStream(nullptr);
        }
    } join{*this, list};
    record();
    {
        std::lock_guard lock(m_mutex);
        m_published = list.size();
        m_recorded = true;
    }
    m_wake.notify_one();
    list.replay(target, {place.x1, place.y1, place.x2, middle}, texts);
    const auto upperEnd = std::chrono::steady_clock::now();
    {
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [this] { return !m_busy; });
        // The thread that ended later gets a little less next time.
        m_upperShare = std::clamp(m_upperShare + (m_workerEnd > upperEnd ? 0.02 : -0.02), 0.2, 0.8);
    }
}

void ReplayWorker::Feed::published(size_t calls) {
    {
        std::lock_guard lock(m_w.m_mutex);
        m_w.m_published = calls;
    }
    m_w.m_wake.notify_one();
}

void ReplayWorker::Feed::pause() {
    std::unique_lock lock(m_w.m_mutex);
    m_w.m_moving = true;
    m_w.m_done.wait(lock, [this] { return !m_w.m_reading; });
}

void ReplayWorker::Feed::resume() {
    {
        std::lock_guard lock(m_w.m_mutex);
        m_w.m_moving = false;
    }
    m_w.m_wake.notify_one();
}

// The worker's part of recordAndReplay: draws the calls in batches as they
// are published, never while a table moves.
void ReplayWorker::follow(std::unique_lock<std::mutex>& lock) {
    size_t done = 0;
    for (;;) {
        m_wake.wait(lock, [&] {
            return (!m_moving && m_published > done) || (m_recorded && m_published == done);
        });
        if (m_published == done) break;  // recorded, and all drawn
        const size_t to = m_published;
        m_reading = true;
        lock.unlock();
        m_list->replay(m_target, m_lower, m_texts, done, to);
        lock.lock();
        m_reading = false;
        done = to;
        m_done.notify_all();  // a recorder waiting to move a table
    }
    m_workerEnd = std::chrono::steady_clock::now();
}

void ReplayWorker::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_busy; });
        if (m_stop) return;
        if (m_following) {
            follow(lock);
            m_following = false;
        } else {
            lock.unlock();
            for (const Rect& r : m_places) m_list->replay(m_target, r, m_texts);
            lock.lock();
        }
        m_busy = false;
        m_done.notify_all();
    }
}

}  // namespace quendar::map
