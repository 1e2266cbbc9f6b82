#pragma once
// A thread's run loop: queued tasks and timers, run when the loop turns. Every thread has one,
// made on first use; the main thread's loop is also the main queue. Time is Clock::current():
// under a ManualClock the loop never sleeps on a timer, it jumps the clock to the next one.
//
//   ov::RunLoop::main().perform([] { refreshTitle(); });   // from any thread
//   ov::RunLoop::current().runFor(2.0);                     // tasks and timers for 2 s
//   bool replied = ov::RunLoop::current().runUntil([&] { return reply.has_value(); }, 10.0);
//
// Nested runs are allowed: a task or a timer block may run the loop again. Tasks and timers
// added while a pass dispatches run on a later pass.

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace ov {

class ManualClock;
class RunLoopEventSource;
class RunLoopWaiter;
class Timer;

class RunLoop : public std::enable_shared_from_this<RunLoop> {
    struct PrivateTag {};

  public:
    explicit RunLoop(PrivateTag);
    ~RunLoop();
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    // The calling thread's loop; on the main thread, main().
    static RunLoop& current();
    // The main thread's loop, reachable from any thread. Lives for the whole process.
    static RunLoop& main();
    // The main thread is the process's initial thread. A host whose interface runs elsewhere
    // calls setMainThreadToCurrent() on that thread before anything runs the main loop.
    static bool isMainThread();
    static void setMainThreadToCurrent();

    // Thread-safe. The task runs on a later turn of this loop, in the order of the calls.
    void perform(std::function<void()> task);
    // Thread-safe. The loop holds the timer until it is invalidated; a timer already on a loop,
    // or invalidated, is left alone.
    void addTimer(std::shared_ptr<Timer> timer);

    // Runs tasks and due timers until `seconds` of Clock time have passed. Under a ManualClock
    // it returns as soon as nothing more can happen before the deadline, with the clock set to
    // the deadline; tasks other threads post after that are left for the next run.
    void runFor(double seconds);
    // Runs until `done` answers true (checked after every pass and at least every 10 ms of real
    // time) or `timeoutSeconds` have passed; answers whether `done` became true. Under a
    // ManualClock an idle loop with no timer left before the deadline waits for other threads'
    // tasks in real time, and that real time counts towards the timeout while the clock stays
    // put; on a time-out the clock is set to the deadline.
    bool runUntil(const std::function<bool()>& done, double timeoutSeconds);
    // One pass without waiting: the tasks queued and the timers due when it starts. Answers how
    // many ran.
    size_t runPending();

    // Thread-safe. Merges another event queue into this loop (RunLoopEventSource.h); nullptr
    // takes it out again. At most one at a time: a new one replaces the old.
    void setEventSource(std::shared_ptr<RunLoopEventSource> source);

  private:
    friend class Timer;

    bool run(double seconds, const std::function<bool()>* done);
    bool waitOrJump(double deadline, double& idleRealSeconds, bool waitForOtherThreads);
    size_t fireTimers(const std::vector<std::shared_ptr<Timer>>& due, double passStart);
    std::vector<std::shared_ptr<Timer>> dueTimers(double now) const;
    std::optional<double> nextFireDate() const;
    std::shared_ptr<Timer> removeTimer(const Timer& timer);
    void wake();
    std::shared_ptr<RunLoopEventSource> eventSource() const;
    double sleep(double seconds);

    mutable std::mutex m_mutex;
    std::deque<std::function<void()>> m_tasks;
    std::vector<std::shared_ptr<Timer>> m_timers;
    std::unique_ptr<RunLoopWaiter> m_waiter;
    std::shared_ptr<RunLoopEventSource> m_eventSource;
};

}  // namespace ov
