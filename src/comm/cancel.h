// A request to stop the transfer that runs. The person presses Cancel (or the command-line tool
// gets SIGINT or SIGTERM); the wait that is running ends at once, and the flows, which look at
// the request after every wait, end the transfer without a further question or message.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

namespace fw {

class CancelSignal {
  public:
    CancelSignal() = default;
    CancelSignal(const CancelSignal&) = delete;
    CancelSignal& operator=(const CancelSignal&) = delete;

    bool Requested() const noexcept { return requested_.load(std::memory_order_acquire); }

    // Sets the request and ends every wait that watches it. Called on the thread that runs the
    // transfer (a button, the notifier of a signal handler's pipe).
    void Request();

    // Only sets the request: safe in a signal handler. The handler must also wake the
    // transfer's thread (a self-pipe whose notifier calls Request), or a wait that has begun
    // sees the request only when it ends by itself.
    void RequestFromSignalHandler() noexcept { requested_.store(true, std::memory_order_release); }

    // A new transfer starts with no request.
    void Clear() noexcept { requested_.store(false, std::memory_order_release); }

    // For its lifetime, a request ends the wait through wake (a nested event loop's quit).
    // Waits nest; a request wakes them all, innermost first.
    class WakeScope {
      public:
        WakeScope(CancelSignal* signal, std::function<void()> wake);
        ~WakeScope();
        WakeScope(const WakeScope&) = delete;
        WakeScope& operator=(const WakeScope&) = delete;

      private:
        CancelSignal* signal_;
        std::size_t id_ = 0;
    };

  private:
    static_assert(std::atomic<bool>::is_always_lock_free, "a signal handler sets the request");

    struct Waker {
        std::size_t id;
        std::function<void()> wake;
    };
    std::atomic<bool> requested_{false};
    std::vector<Waker> wakers_;
    std::size_t nextId_ = 1;
};

}  // namespace fw
