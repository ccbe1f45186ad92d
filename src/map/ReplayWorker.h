#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "map/DisplayList.h"

namespace quendar::map {

// A second thread for replaying display lists. A large place is cut at its
// middle row: the calling thread draws the upper half, the worker the lower
// one, each with its own text painter. The halves touch different pixels and
// a call cut anywhere draws the pixels it draws uncut, so the picture is the
// one a single thread draws. Small places, a machine with one processor and
// a caller without a second text painter keep to the calling thread.
class ReplayWorker {
public:
    // Below `leastPixels` in all places together the worker is not woken.
    explicit ReplayWorker(long long leastPixels = 1 << 16) : m_leastPixels(leastPixels) {}
    ~ReplayWorker();
    ReplayWorker(const ReplayWorker&) = delete;
    ReplayWorker& operator=(const ReplayWorker&) = delete;

    void replay(const DisplayList& list, PixelBuffer target, const std::vector<Rect>& places,
                TextPainter* texts, TextPainter* workerTexts);

private:
    void run();

    const long long m_leastPixels;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    bool m_stop = false;
    bool m_busy = false;
    // The worker's part, set under the lock while it waits.
    const DisplayList* m_list = nullptr;
    PixelBuffer m_target;
    std::vector<Rect> m_places;
    TextPainter* m_texts = nullptr;
    std::thread m_thread;  // started on first use
};

}  // namespace quendar::map
