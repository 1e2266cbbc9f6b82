#pragma once
// Asynchronous loading (the platform's NSURLSession and its data tasks). A task's transfer
// runs on the session's own threads, and its completion is called there too, never on the
// main thread: hop to the main queue to touch the interface.
//
//   auto task = ov::URLSession::sharedSession().dataTaskWithRequest(
//       ov::URLRequest(url, 30.0), [](const ov::URLLoadResult& result) { ... });
//   task->resume();
//   task->cancel();   // the completion then gets NSURLErrorCancelled, unless it already ran
//
// Loads behave as URLConnection's (redirects, limits, errors, the request's time-out).

#include <atomic>
#include <functional>
#include <memory>

#include "orvane/platform/network/URLConnection.h"
#include "orvane/platform/network/URLRequest.h"

namespace ov {

class ThreadPool;
class URLSession;

class URLSessionDataTask : public std::enable_shared_from_this<URLSessionDataTask> {
  public:
    using Completion = std::function<void(const URLLoadResult& result)>;

    URLSessionDataTask(URLSession& session, URLRequest request, Completion completion);

    // Starts the transfer; later calls do nothing. Thread-safe.
    void resume();
    // Stops the transfer, started or not. Thread-safe.
    void cancel() { m_cancelled.store(true); }
    bool isCancelled() const { return m_cancelled.load(); }

  private:
    void run();

    URLSession& m_session;
    const URLRequest m_request;
    const Completion m_completion;
    std::atomic<bool> m_resumed{false};
    std::atomic<bool> m_cancelled{false};
};

class URLSession {
  public:
    // Transfers run on up to `maximumConnections` threads at once; more wait their turn.
    explicit URLSession(size_t maximumConnections);
    // Waits for transfers under way; tasks not started are dropped without completion.
    ~URLSession();
    URLSession(const URLSession&) = delete;
    URLSession& operator=(const URLSession&) = delete;

    // Made safely on first use from any thread; lives for the whole process.
    static URLSession& sharedSession();

    std::shared_ptr<URLSessionDataTask> dataTaskWithRequest(
        URLRequest request, URLSessionDataTask::Completion completion);

  private:
    friend class URLSessionDataTask;
    std::unique_ptr<ThreadPool> m_pool;
};

}  // namespace ov
