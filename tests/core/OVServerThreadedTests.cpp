// Exchanges from several threads at once: the settings, the log and the network indicator.
// These run under ThreadSanitizer too.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "core/OVServerFixture.h"
#include "orvane/core/OVServer.h"
#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/application/Application.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/LoopbackServer.h"

namespace ov {
namespace {

// Holds replies to "/held" until released, so a test can keep an exchange in flight.
class Gate {
  public:
    void wait() {
        std::unique_lock lock(m_mutex);
        ++m_waiting;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_open; });
    }
    void waitForWaiters(int count) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_waiting >= count; });
    }
    void open() {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }

  private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_waiting = 0;
    bool m_open = false;
};

class OVServerThreaded : public test::OVServerFixture {
  protected:
    OVServerThreaded()
        : m_server([this](httplib::Server& http) {
              http.Get("/held", [this](const httplib::Request&, httplib::Response& response) {
                  m_gate.wait();
                  response.set_content("[1]", "application/json");
              });
              http.Get("/quick", [](const httplib::Request& request, httplib::Response& response) {
                  response.set_content("{\"n\":" + request.get_param_value("n") + ",\"x\":null}",
                                       "application/json");
              });
          }) {}

    void SetUp() override {
        test::OVServerFixture::SetUp();
        OVServer::setLogType(9);
        ui::Application::sharedApplication().setNetworkActivityIndicatorVisible(false);
    }

    static bool indicatorVisible() {
        return ui::Application::sharedApplication().isNetworkActivityIndicatorVisible();
    }

    Gate m_gate;
    test::LoopbackServer m_server;
};

TEST_F(OVServerThreaded, IndicatorShowsWhileAnyExchangeRuns) {
    const String held(m_server.baseUrl() + "/held");
    const String quick(m_server.baseUrl() + "/quick?n=1");
    std::atomic<bool> slowDone{false};
    std::atomic<bool> quickDone{false};
    DispatchQueue::global().async([&] {
        OVServer::getUrl(held);
        slowDone = true;
    });
    m_gate.waitForWaiters(1);
    ASSERT_TRUE(RunLoop::main().runUntil(indicatorVisible, 10));

    // A second exchange starts and ends while the first still runs.
    DispatchQueue::global().async([&] {
        OVServer::getUrl(quick);
        quickDone = true;
    });
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return quickDone.load(); }, 10));
    RunLoop::main().runPending();
    EXPECT_TRUE(indicatorVisible());

    m_gate.open();
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return slowDone.load(); }, 10));
    RunLoop::main().runUntil([] { return !indicatorVisible(); }, 10);
    EXPECT_FALSE(indicatorVisible());
}

TEST_F(OVServerThreaded, ShowAndHideAreQueuedToTheMainThread) {
    std::thread([] { OVServer::showNetworkIndicatior(); }).join();
    EXPECT_FALSE(indicatorVisible());
    RunLoop::main().runPending();
    EXPECT_TRUE(indicatorVisible());
    std::thread([] { OVServer::hideNetworkIndicatior(); }).join();
    RunLoop::main().runPending();
    EXPECT_FALSE(indicatorVisible());
}

TEST_F(OVServerThreaded, ConcurrentExchangesGetTheirOwnReplies) {
    m_gate.open();
    OVServer::setServerBasePath(String(m_server.baseUrl()));
    constexpr int kThreads = 6;
    constexpr int kExchanges = 15;
    std::atomic<int> correct{0};
    std::vector<std::thread> threads;
    SystemLogCapture capture;
    OVServer::setLogType(2);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kExchanges; ++i) {
                const int n = t * 1000 + i;
                OVServer::setToken(String("token-" + std::to_string(t)));  // racing writers
                const Value reply = OVServer::sendGetValue_Base_url(n, String("n"), "/quick?");
                if (reply == Value(Dictionary{{"n", n}, {"x", ""}})) ++correct;
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    RunLoop::main().runPending();
    EXPECT_EQ(correct.load(), kThreads * kExchanges);
    EXPECT_EQ(capture.entries().size(), static_cast<size_t>(kThreads * kExchanges));
    EXPECT_FALSE(indicatorVisible());
}

}  // namespace
}  // namespace ov
