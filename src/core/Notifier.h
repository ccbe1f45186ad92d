#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace quendar::core {

// A list of observers. Connecting or disconnecting during a notification is
// safe: the call sees the observers that were connected when it started and
// skips any that were disconnected since. A Connection disconnects on
// destruction.
template <typename... Args>
class Notifier {
    struct Slot {
        std::function<void(Args...)> fn;
        bool alive = true;
    };
    using SlotList = std::vector<std::shared_ptr<Slot>>;

  public:
    class Connection {
      public:
        Connection() = default;
        explicit Connection(std::weak_ptr<Slot> s) : m_slot(std::move(s)) {}
        Connection(Connection&& o) noexcept : m_slot(std::move(o.m_slot)) {}
        Connection& operator=(Connection&& o) noexcept {
            if (this != &o) {
                disconnect();
                m_slot = std::move(o.m_slot);
            }
            return *this;
        }
        Connection(const Connection&) = delete;
        Connection& operator=(const Connection&) = delete;
        ~Connection() { disconnect(); }
        void disconnect() {
            if (auto s = m_slot.lock()) s->alive = false;
            m_slot.reset();
        }
        bool connected() const {
            auto s = m_slot.lock();
            return s && s->alive;
        }

      private:
        std::weak_ptr<Slot> m_slot;
    };

    [[nodiscard]] Connection connect(std::function<void(Args...)> fn) {
        prune();
        auto s = std::make_shared<Slot>();
        s->fn = std::move(fn);
        m_slots->push_back(s);
        return Connection(s);
    }

    void notify(Args... args) const {
        const SlotList snapshot = *m_slots;  // observers added during the call wait for the next
        for (const auto& s : snapshot) {
            if (s->alive) s->fn(args...);
        }
    }

    size_t size() const {
        size_t n = 0;
        for (const auto& s : *m_slots) n += s->alive ? 1 : 0;
        return n;
    }

  private:
    void prune() {
        std::erase_if(*m_slots, [](const auto& s) { return !s->alive; });
    }
    std::shared_ptr<SlotList> m_slots = std::make_shared<SlotList>();
};

}  // namespace quendar::core
