#include "orvane/platform/threads/RunLoop.h"

#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <utility>

#include "orvane/platform/threads/RunLoopEventSource.h"
#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/values/Clock.h"
#include "platform/threads/RunLoopWaiter.h"

namespace ov {

namespace {

// How often runUntil looks at its predicate when nothing wakes the loop, in real seconds.
constexpr double kPollInterval = 0.01;

// 0 until a host names its own main thread; the process's initial thread until then.
std::atomic<pid_t> g_mainThreadId{0};

ManualClock* manualClock(Clock& clock) {
    return clock.isManual() ? dynamic_cast<ManualClock*>(&clock) : nullptr;
}

}  // namespace

RunLoop::RunLoop(PrivateTag) : m_waiter(std::make_unique<RunLoopWaiter>()) {}

RunLoop::~RunLoop() = default;

RunLoop& RunLoop::current() {
    if (isMainThread()) return main();
    thread_local const std::shared_ptr<RunLoop> loop = std::make_shared<RunLoop>(PrivateTag{});
    return *loop;
}

RunLoop& RunLoop::main() {
    // Never destroyed: other threads may post to it while the process exits.
    static auto* loop = new std::shared_ptr<RunLoop>(std::make_shared<RunLoop>(PrivateTag{}));
    return **loop;
}

bool RunLoop::isMainThread() {
    const pid_t mainThread = g_mainThreadId.load(std::memory_order_relaxed);
    return gettid() == (mainThread != 0 ? mainThread : getpid());
}

void RunLoop::setMainThreadToCurrent() {
    g_mainThreadId.store(gettid());
}

void RunLoop::perform(std::function<void()> task) {
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    wake();
}

void RunLoop::addTimer(std::shared_ptr<Timer> timer) {
    if (!timer || !timer->attach(shared_from_this())) return;
    {
        std::lock_guard lock(m_mutex);
        // Checked under the lock: an invalidate() racing with us removes it after the push.
        if (!timer->isValid()) return;
        m_timers.push_back(std::move(timer));
    }
    wake();
}

void RunLoop::runFor(double seconds) {
    run(seconds, nullptr);
}

bool RunLoop::runUntil(const std::function<bool()>& done, double timeoutSeconds) {
    return run(timeoutSeconds, &done);
}

size_t RunLoop::runPending() {
    const double passStart = Clock::current().now();
    const std::vector<std::shared_ptr<Timer>> due = dueTimers(passStart);
    std::deque<std::function<void()>> tasks;
    {
        std::lock_guard lock(m_mutex);
        tasks.swap(m_tasks);
    }
    for (auto& task : tasks)
        task();
    const auto source = eventSource();
    const size_t events = source ? source->dispatchPending() : 0;
    return tasks.size() + events + fireTimers(due, passStart);
}

bool RunLoop::run(double seconds, const std::function<bool()>* done) {
    const auto isDone = [done] { return done != nullptr && (*done)(); };
    const double deadline = Clock::current().now() + std::max(seconds, 0.0);
    double idleRealSeconds = 0.0;
    while (!isDone()) {
        const size_t ran = runPending();
        if (isDone()) return true;
        if (Clock::current().now() + idleRealSeconds >= deadline) break;
        if (ran == 0 && !waitOrJump(deadline, idleRealSeconds, done != nullptr)) break;
    }
    if (isDone()) return true;
    if (ManualClock* manual = manualClock(Clock::current());
        manual && std::isfinite(deadline) && manual->now() < deadline) {
        manual->setNow(deadline);
    }
    return false;
}

// Moves time on while the loop is idle: a real wait under the system clock, a jump to the next
// timer under a manual one. Answers false when nothing more can happen before the deadline.
bool RunLoop::waitOrJump(double deadline, double& idleRealSeconds, bool waitForOtherThreads) {
    Clock& clock = Clock::current();
    const double now = clock.now();
    const std::optional<double> next = nextFireDate();
    if (ManualClock* manual = manualClock(clock)) {
        if (next && *next <= deadline) {
            if (*next > now) manual->setNow(*next);
            return true;
        }
        if (!waitForOtherThreads) return false;
        const double remaining = deadline - now - idleRealSeconds;
        idleRealSeconds += sleep(std::min(kPollInterval, remaining));
        return true;
    }
    const double wakeAt = next ? std::min(*next, deadline) : deadline;
    const double longest = waitForOtherThreads ? kPollInterval : wakeAt - now;
    sleep(std::min(wakeAt - now, longest));
    return true;
}

std::vector<std::shared_ptr<Timer>> RunLoop::dueTimers(double now) const {
    std::vector<std::shared_ptr<Timer>> due;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& timer : m_timers) {
            if (timer->isValid() && timer->m_fireDate.load() <= now) due.push_back(timer);
        }
    }
    std::stable_sort(due.begin(), due.end(), [](const auto& left, const auto& right) {
        return left->m_fireDate.load() < right->m_fireDate.load();
    });
    return due;
}

size_t RunLoop::fireTimers(const std::vector<std::shared_ptr<Timer>>& due, double passStart) {
    size_t fired = 0;
    for (const auto& timer : due) {
        // An earlier block, or a nested run inside it, may have fired, moved or invalidated it.
        if (!timer->isValid() || timer->m_fireDate.load() > passStart) continue;
        const std::shared_ptr<const Timer::Block> block = timer->block();
        if (timer->m_repeats) {
            timer->rescheduleAfter(passStart);
        } else {
            timer->invalidate();
        }
        if (block) (*block)(*timer);
        ++fired;
    }
    return fired;
}

std::optional<double> RunLoop::nextFireDate() const {
    std::optional<double> next;
    std::lock_guard lock(m_mutex);
    for (const auto& timer : m_timers) {
        if (!timer->isValid()) continue;
        const double date = timer->m_fireDate.load();
        if (!next || date < *next) next = date;
    }
    return next;
}

std::shared_ptr<Timer> RunLoop::removeTimer(const Timer& timer) {
    std::lock_guard lock(m_mutex);
    const auto found = std::find_if(m_timers.begin(), m_timers.end(),
                                    [&](const auto& held) { return held.get() == &timer; });
    if (found == m_timers.end()) return nullptr;
    std::shared_ptr<Timer> removed = std::move(*found);
    m_timers.erase(found);
    return removed;
}

void RunLoop::setEventSource(std::shared_ptr<RunLoopEventSource> source) {
    std::shared_ptr<RunLoopEventSource> previous;
    {
        std::lock_guard lock(m_mutex);
        previous = std::exchange(m_eventSource, std::move(source));
    }
    // A loop asleep in its own waiter or in the old source goes round and sees the new one.
    if (previous) previous->wake();
    m_waiter->wake();
}

std::shared_ptr<RunLoopEventSource> RunLoop::eventSource() const {
    std::lock_guard lock(m_mutex);
    return m_eventSource;
}

double RunLoop::sleep(double seconds) {
    const auto source = eventSource();
    return source ? source->waitFor(seconds) : m_waiter->waitFor(seconds);
}

void RunLoop::wake() {
    // Under the lock, so a source being taken out is never woken after it has gone.
    std::lock_guard lock(m_mutex);
    if (m_eventSource) {
        m_eventSource->wake();
    } else {
        m_waiter->wake();
    }
}

}  // namespace ov
