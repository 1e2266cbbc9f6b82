#include "orvane/platform/threads/DispatchQueue.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/threads/Timer.h"
#include "platform/threads/ThreadPool.h"

namespace ov {

DispatchQueue::DispatchQueue(std::unique_ptr<ThreadPool> pool) : m_pool(std::move(pool)) {}

DispatchQueue::~DispatchQueue() = default;

DispatchQueue& DispatchQueue::main() {
    // Never destroyed: workers still finishing at exit may queue work for the main thread.
    static auto* queue = new DispatchQueue(nullptr);
    return *queue;
}

DispatchQueue& DispatchQueue::global() {
    // Destroyed at exit, which joins the workers.
    static DispatchQueue queue(std::make_unique<ThreadPool>(
        std::clamp<size_t>(std::thread::hardware_concurrency(), 2, 8)));
    return queue;
}

void DispatchQueue::async(std::function<void()> task) {
    if (m_pool) {
        m_pool->post(std::move(task));
    } else {
        RunLoop::main().perform(std::move(task));
    }
}

void DispatchQueue::sync(std::function<void()> task) {
    if (m_pool || RunLoop::isMainThread()) {
        task();
        return;
    }
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    RunLoop::main().perform([&] {
        task();
        // Notified under the lock: the waiter owns these and may return as soon as it sees done.
        std::lock_guard lock(mutex);
        done = true;
        finished.notify_one();
    });
    std::unique_lock lock(mutex);
    finished.wait(lock, [&] { return done; });
}

void DispatchQueue::asyncAfter(double seconds, std::function<void()> task) {
    auto timer = Timer::create(
        seconds, false, [this, task = std::move(task)](Timer&) mutable { async(std::move(task)); });
    RunLoop::main().addTimer(std::move(timer));
}

}  // namespace ov
