#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/threads/Timer.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

class RunLoopTest : public ::testing::Test {
  protected:
    test::ManualClockScope m_time{100.0};
    RunLoop& m_loop = RunLoop::main();
};

TEST_F(RunLoopTest, PerformQueuesInOrderForALaterTurn) {
    std::string order;
    m_loop.perform([&] {
        order += 'a';
        m_loop.perform([&] { order += 'c'; });  // posted during dispatch: a later pass
    });
    m_loop.perform([&] { order += 'b'; });
    EXPECT_EQ(order, "");

    EXPECT_EQ(m_loop.runPending(), 2u);
    EXPECT_EQ(order, "ab");
    EXPECT_EQ(m_loop.runPending(), 1u);
    EXPECT_EQ(order, "abc");
    EXPECT_EQ(m_loop.runPending(), 0u);
}

TEST_F(RunLoopTest, RunForJumpsAManualClockToTheDeadline) {
    int ran = 0;
    m_loop.perform([&] { ++ran; });
    m_loop.runFor(30.0);
    EXPECT_EQ(ran, 1);
    EXPECT_DOUBLE_EQ(m_time.now(), 130.0);

    m_loop.runFor(0.0);
    EXPECT_DOUBLE_EQ(m_time.now(), 130.0);
}

TEST_F(RunLoopTest, RunUntilStopsWhenDoneOrAtTheTimeout) {
    bool done = false;
    auto timer = Timer::scheduledTimer(2.0, false, [&](Timer&) { done = true; });
    EXPECT_TRUE(m_loop.runUntil([&] { return done; }, 5.0));
    EXPECT_DOUBLE_EQ(m_time.now(), 102.0);  // left where done became true

    // The last tick falls on the deadline, so the time-out needs no real waiting.
    int ticks = 0;
    auto ticker = Timer::scheduledTimer(0.5, true, [&](Timer&) { ++ticks; });
    EXPECT_FALSE(m_loop.runUntil([] { return false; }, 3.5));
    EXPECT_EQ(ticks, 7);
    EXPECT_DOUBLE_EQ(m_time.now(), 105.5);
    ticker->invalidate();

    EXPECT_TRUE(m_loop.runUntil([] { return true; }, 0.0));
}

TEST_F(RunLoopTest, NestedRunsFireEachTimerOnce) {
    std::vector<std::string> fired;
    auto outer = Timer::scheduledTimer(1.0, false, [&](Timer&) {
        fired.push_back("outer");
        m_loop.runFor(1.0);  // the other due timer and the repeating one fire in here
        fired.push_back("outer done");
    });
    auto sibling = Timer::scheduledTimer(1.0, false, [&](Timer&) { fired.push_back("sibling"); });
    auto repeating = Timer::scheduledTimer(1.0, true, [&](Timer&) { fired.push_back("tick"); });

    m_loop.runFor(1.0);
    repeating->invalidate();
    EXPECT_EQ(fired, (std::vector<std::string>{"outer", "sibling", "tick", "tick", "outer done"}));
    EXPECT_DOUBLE_EQ(m_time.now(), 102.0);
}

TEST(RunLoopThreaded, TasksFromOtherThreadsWakeAWaitingLoop) {
    constexpr int kThreads = 4;
    constexpr int kTasksPerThread = 50;
    std::atomic<int> ran{0};
    std::vector<std::thread> posters;
    for (int index = 0; index < kThreads; ++index) {
        posters.emplace_back([&] {
            for (int task = 0; task < kTasksPerThread; ++task) {
                RunLoop::main().perform([&] { ran.fetch_add(1); });
            }
        });
    }
    const bool all =
        RunLoop::main().runUntil([&] { return ran.load() == kThreads * kTasksPerThread; }, 30.0);
    for (std::thread& poster : posters)
        poster.join();
    EXPECT_TRUE(all);
}

// Nothing is due on the main loop, so under a manual clock it waits for the worker in real
// time instead of ending the run at once.
TEST(RunLoopThreaded, AManualClockLoopPicksUpTasksFromOtherThreads) {
    test::ManualClockScope time(0.0);
    std::atomic<bool> started{false};
    bool done = false;
    std::thread worker([&] {
        while (!started.load())
            std::this_thread::yield();
        RunLoop::main().perform([&] { done = true; });
    });
    started.store(true);
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return done; }, 30.0));
    worker.join();
    EXPECT_DOUBLE_EQ(time.now(), 0.0);  // real waiting does not move the manual clock
}

TEST(RunLoopThreaded, AWorkerThreadHasItsOwnLoopAndTimers) {
    test::ManualClockScope time(0.0);
    std::vector<double> firedAt;
    std::thread([&] {
        EXPECT_FALSE(RunLoop::isMainThread());
        EXPECT_NE(&RunLoop::current(), &RunLoop::main());
        auto timer = Timer::scheduledTimer(
            0.5, true, [&](Timer&) { firedAt.push_back(Clock::current().now()); });
        RunLoop::current().runFor(1.5);
        timer->invalidate();
    }).join();
    EXPECT_EQ(firedAt, (std::vector<double>{0.5, 1.0, 1.5}));
}

}  // namespace
}  // namespace ov
