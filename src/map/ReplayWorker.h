#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
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
    // Records `list` with `record` and draws it within `place`: while the
    // calling thread records, the worker already draws the lower part of the
    // place from the calls recorded so far; then the calling thread draws the
    // upper part. Where the parts meet follows which thread ended first last
    // time, so that both end together. Without a worker: record, then replay.
    void recordAndReplay(DisplayList& list, const std::function<void()>& record, PixelBuffer target,
                         const Rect& place, TextPainter* texts, TextPainter* workerTexts);

  private:
    // The list's stream while it is recorded.
    class Feed : public DisplayList::Stream {
      public:
        explicit Feed(ReplayWorker& w) : m_w(w) {}
        void published(size_t calls) override;
        void pause() override;
        void resume() override;

      private:
        ReplayWorker& m_w;
    };

    bool startThread(long long pixels, TextPainter* workerTexts);
    void run();
    void follow(std::unique_lock<std::mutex>& lock);

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
    // A list followed while it is recorded: calls [0, m_published) are
    // complete; m_moving while the recorder moves a table, m_reading while
    // the worker reads them.
    bool m_following = false;
    size_t m_published = 0;
    bool m_recorded = false;
    bool m_moving = false;
    bool m_reading = false;
    Rect m_lower;
    // The upper part's share of a followed place, and when the worker ended.
    double m_upperShare = 0.5;
    std::chrono::steady_clock::time_point m_workerEnd;
    bool m_noThread = false;  // one processor, or no thread could be started
    std::thread m_thread;     // started on first use
};

}  // namespace quendar::map
