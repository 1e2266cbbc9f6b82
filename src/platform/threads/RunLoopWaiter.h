#pragma once
// How a run loop sleeps and is woken. Kept apart from the loop's logic so that an integration
// with a host's own event loop (GLib, Qt) can replace this one class.

#include <condition_variable>
#include <mutex>

namespace ov {

class RunLoopWaiter {
  public:
    // Thread-safe. A wake-up that arrives while nobody waits is kept for the next wait, so a
    // task posted between "the queue is empty" and "go to sleep" is never missed.
    void wake();
    // Blocks for at most `seconds` of real time or until woken; returns the real time waited.
    double waitFor(double seconds);

  private:
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_woken = false;
};

}  // namespace ov
