#pragma once
// The worker threads behind the global queue.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace ov {

class ThreadPool {
  public:
    explicit ThreadPool(size_t threadCount);
    // Drops the tasks not started and joins the workers.
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    // Thread-safe. The workers start with the first task.
    void post(std::function<void()> task);

  private:
    void work();
    void waitForWorkers();

    const size_t m_threadCount;
    std::mutex m_mutex;
    std::condition_variable m_taskQueued;
    std::condition_variable m_workerExited;
    std::deque<std::function<void()>> m_tasks;
    std::vector<std::thread> m_workers;
    size_t m_liveWorkers = 0;
    bool m_stopping = false;
};

}  // namespace ov
