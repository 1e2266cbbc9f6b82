#include <gtest/gtest.h>

#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>

#include "orvane/platform/network/URLSession.h"
#include "support/LoopbackServer.h"

namespace ov {
namespace {

using test::LoopbackServer;

// A server whose "/held" reply waits until the test opens it (or the server goes).
class HeldServer {
  public:
    HeldServer()
        : m_server([this](httplib::Server& http) {
              http.Get("/now", [](const httplib::Request&, httplib::Response& reply) {
                  reply.set_content("now", "text/plain");
              });
              http.Get("/held", [this](const httplib::Request&, httplib::Response& reply) {
                  std::unique_lock lock(m_mutex);
                  m_opened.wait(lock, [this] { return m_open; });
                  reply.set_content("late", "text/plain");
              });
          }) {}
    ~HeldServer() { open(); }

    void open() {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_opened.notify_all();
    }
    URLRequest request(const char* path, double timeout = 10.0) const {
        return URLRequest(URL::withString(m_server.baseUrl() + path), timeout);
    }

  private:
    std::mutex m_mutex;
    std::condition_variable m_opened;
    bool m_open = false;
    LoopbackServer m_server;
};

URLLoadResult run(const std::shared_ptr<URLSessionDataTask>& task,
                  std::future<URLLoadResult>& result) {
    task->resume();
    return result.get();
}

TEST(URLSession, ThreadedCompletesOnTheSessionsThreadWithTheBody) {
    HeldServer server;
    std::promise<URLLoadResult> done;
    auto result = done.get_future();
    std::thread::id completionThread;
    auto task = URLSession::sharedSession().dataTaskWithRequest(
        server.request("/now"), [&](const URLLoadResult& loaded) {
            completionThread = std::this_thread::get_id();
            done.set_value(loaded);
        });
    const URLLoadResult loaded = run(task, result);
    ASSERT_TRUE(loaded.data);
    EXPECT_EQ(loaded.data->view(), "now");
    EXPECT_EQ(loaded.response->statusCode, 200);
    EXPECT_NE(completionThread, std::this_thread::get_id());
}

TEST(URLSession, ThreadedCancelStopsATransferUnderWayAndTimeOutsFail) {
    HeldServer server;
    std::promise<URLLoadResult> cancelledDone;
    auto cancelled = cancelledDone.get_future();
    auto task = URLSession::sharedSession().dataTaskWithRequest(
        server.request("/held"),
        [&](const URLLoadResult& loaded) { cancelledDone.set_value(loaded); });
    task->resume();
    task->cancel();
    const URLLoadResult stopped = cancelled.get();
    ASSERT_TRUE(stopped.error);
    EXPECT_EQ(stopped.error->code(), NSURLErrorCancelled);

    std::promise<URLLoadResult> lateDone;
    auto late = lateDone.get_future();
    auto slow = URLSession::sharedSession().dataTaskWithRequest(
        server.request("/held", 0.1),
        [&](const URLLoadResult& loaded) { lateDone.set_value(loaded); });
    const URLLoadResult timedOut = run(slow, late);
    ASSERT_TRUE(timedOut.error);
    EXPECT_EQ(timedOut.error->code(), NSURLErrorTimedOut);
}

}  // namespace
}  // namespace ov
