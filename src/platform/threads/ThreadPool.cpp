#include "platform/threads/ThreadPool.h"

#include <chrono>

#include "orvane/platform/threads/RunLoop.h"

namespace ov {

namespace {
// The pool whose worker runs on this thread, so that exit() called from a task never waits for
// its own thread.
thread_local const ThreadPool* t_workerOf = nullptr;
}  // namespace

ThreadPool::ThreadPool(size_t threadCount) : m_threadCount(threadCount) {}

ThreadPool::~ThreadPool() {
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        dropped.swap(m_tasks);
    }
    m_taskQueued.notify_all();
    waitForWorkers();
    for (std::thread& worker : m_workers) {
        if (worker.get_id() == std::this_thread::get_id()) {
            worker.detach();
        } else {
            worker.join();
        }
    }
}

void ThreadPool::post(std::function<void()> task) {
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping) return;
        m_tasks.push_back(std::move(task));
        while (m_workers.size() < m_threadCount) {
            m_workers.emplace_back([this] { work(); });
            ++m_liveWorkers;
        }
    }
    m_taskQueued.notify_one();
}

void ThreadPool::work() {
    t_workerOf = this;
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(m_mutex);
            m_taskQueued.wait(lock, [this] { return m_stopping || !m_tasks.empty(); });
            if (m_stopping) break;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
    }
    std::lock_guard lock(m_mutex);
    --m_liveWorkers;
    m_workerExited.notify_all();
}

// A worker may be blocked in a synchronous call to the main queue. When the main thread is the
// one exiting, it keeps turning the main loop meanwhile so that such a call can finish.
void ThreadPool::waitForWorkers() {
    const bool onMainThread = RunLoop::isMainThread();
    const size_t self = t_workerOf == this ? 1 : 0;
    std::unique_lock lock(m_mutex);
    while (m_liveWorkers > self) {
        if (!onMainThread) {
            m_workerExited.wait(lock);
            continue;
        }
        lock.unlock();
        RunLoop::main().runPending();
        lock.lock();
        m_workerExited.wait_for(lock, std::chrono::milliseconds(1));
    }
}

}  // namespace ov
