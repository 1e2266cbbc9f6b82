#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/threads/RunLoopEventSource.h"
#include "orvane/platform/threads/Timer.h"

namespace ov {
namespace {

// A queue of events that the test fills; it sleeps as long as it is asked to, and records it.
class QueueSource : public RunLoopEventSource {
  public:
    size_t dispatchPending() override {
        const size_t count = events.size();
        while (!events.empty()) {
            auto event = std::move(events.front());
            events.pop_front();
            event();
        }
        return count;
    }
    double waitFor(double seconds) override {
        waits.push_back(seconds);
        woken = false;
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        return seconds;
    }
    void wake() override { woken = true; }

    std::deque<std::function<void()>> events;
    std::vector<double> waits;
    bool woken = false;
};

class RunLoopEventSourceTest : public ::testing::Test {
  protected:
    void SetUp() override { m_loop.setEventSource(m_source); }
    void TearDown() override { m_loop.setEventSource(nullptr); }

    RunLoop& m_loop = RunLoop::main();
    std::shared_ptr<QueueSource> m_source = std::make_shared<QueueSource>();
};

TEST_F(RunLoopEventSourceTest, EventsRunOnEachPassBesideTasks) {
    std::vector<char> order;
    m_loop.perform([&] { order.push_back('t'); });
    m_source->events.push_back([&] { order.push_back('e'); });
    EXPECT_EQ(m_loop.runPending(), 2u);
    EXPECT_EQ(order, (std::vector<char>{'t', 'e'}));
}

TEST_F(RunLoopEventSourceTest, AnIdleLoopSleepsInTheSourceUntilItsNextTimer) {
    bool fired = false;
    m_loop.addTimer(Timer::create(0.05, false, [&](Timer&) { fired = true; }));
    m_loop.runFor(0.06);
    ASSERT_TRUE(fired);
    ASSERT_FALSE(m_source->waits.empty());
    for (const double wait : m_source->waits)
        EXPECT_LE(wait, 0.05 + 1e-9);
}

TEST_F(RunLoopEventSourceTest, QueuedWorkWakesTheSourceAndRemovalRestoresTheLoopsOwnSleep) {
    m_loop.perform([] {});
    EXPECT_TRUE(m_source->woken);
    m_loop.runPending();

    m_loop.setEventSource(nullptr);
    m_source->woken = false;
    m_source->events.push_back([] { FAIL() << "a removed source is not asked"; });
    m_loop.perform([] {});
    EXPECT_EQ(m_loop.runPending(), 1u);
    EXPECT_FALSE(m_source->woken);
}

}  // namespace
}  // namespace ov
