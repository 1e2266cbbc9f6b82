#pragma once
// The main queue and the global queue. Work for the main queue runs on the main run loop, so
// it runs only while something turns that loop; the global queue is a small pool of threads
// that start on first use and run tasks in the order they were queued.
//
//   ov::DispatchQueue::global().async([] {
//       auto reply = fetch();                                      // off the main thread
//       ov::DispatchQueue::main().async([reply] { show(reply); });  // back on it
//   });

#include <functional>
#include <memory>

namespace ov {

class ThreadPool;

class DispatchQueue {
  public:
    ~DispatchQueue();
    DispatchQueue(const DispatchQueue&) = delete;
    DispatchQueue& operator=(const DispatchQueue&) = delete;

    static DispatchQueue& main();
    // Between 2 and 8 worker threads. At exit, tasks not yet started are dropped and the
    // running ones are waited for.
    static DispatchQueue& global();

    // Thread-safe; returns at once.
    void async(std::function<void()> task);
    // Returns once the task has run. On the main queue from the main thread, and always on the
    // global queue, the task runs inline on the caller (waiting for ourselves would never
    // end). From another thread it waits for the main loop to turn.
    void sync(std::function<void()> task);
    // Queues the task after `seconds` of Clock time, measured by a timer on the main run loop.
    void asyncAfter(double seconds, std::function<void()> task);

  private:
    explicit DispatchQueue(std::unique_ptr<ThreadPool> pool);

    std::unique_ptr<ThreadPool> m_pool;  // none for the main queue
};

}  // namespace ov
