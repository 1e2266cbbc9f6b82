#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/threads/Timer.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

class TimerTest : public ::testing::Test {
  protected:
    test::ManualClockScope m_time{0.0};
    RunLoop& m_loop = RunLoop::main();
};

TEST_F(TimerTest, OneShotFiresOnceAtItsDateAndIsReleased) {
    std::vector<double> firedAt;
    auto timer = Timer::scheduledTimer(2.0, false,
                                       [&](Timer&) { firedAt.push_back(Clock::current().now()); });
    EXPECT_EQ(timer->fireDate().timeIntervalSinceReferenceDate(), 2.0);
    EXPECT_EQ(timer->timeInterval(), 0.0);

    m_loop.runFor(1.9);
    EXPECT_TRUE(firedAt.empty());
    m_loop.runFor(10.0);
    EXPECT_EQ(firedAt, std::vector<double>{2.0});
    EXPECT_FALSE(timer->isValid());

    std::weak_ptr<Timer> weak = timer;
    timer.reset();
    EXPECT_TRUE(weak.expired());
}

TEST_F(TimerTest, RepeatingKeepsItsScheduleAndSkipsMissedFirings) {
    std::vector<double> firedAt;
    auto timer = Timer::scheduledTimer(0.25, true,
                                       [&](Timer&) { firedAt.push_back(Clock::current().now()); });
    m_loop.runFor(4 * 0.25);
    EXPECT_EQ(firedAt, (std::vector<double>{0.25, 0.5, 0.75, 1.0}));

    // The loop was busy for 0.6 s: one late firing, then back on the 0.25 grid.
    m_time.clock().advance(0.6);
    EXPECT_EQ(m_loop.runPending(), 1u);
    EXPECT_EQ(timer->fireDate().timeIntervalSinceReferenceDate(), 1.75);
    timer->invalidate();
}

TEST_F(TimerTest, InvalidatingInsideTheBlockStopsItAndReleasesTheBlock) {
    auto captured = std::make_shared<int>(0);
    std::weak_ptr<int> watch = captured;
    auto timer = Timer::scheduledTimer(1.0, true, [captured](Timer& self) {
        if (++*captured == 3) self.invalidate();
    });
    captured.reset();

    m_loop.runFor(10.0);
    EXPECT_FALSE(timer->isValid());
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(timer.use_count(), 1);  // the loop let go of it
}

TEST_F(TimerTest, TimerScheduledFromATaskFiresOnALaterPass) {
    int fired = 0;
    std::shared_ptr<Timer> timer;
    m_loop.perform([&] {
        timer = Timer::scheduledTimer(1.0, false, [&](Timer&) { ++fired; });
        timer->setFireDate(Date());  // overdue as soon as it exists
    });
    EXPECT_EQ(m_loop.runPending(), 1u);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(m_loop.runPending(), 1u);
    EXPECT_EQ(fired, 1);
}

TEST_F(TimerTest, NonPositiveIntervalsBecomeTheMinimum) {
    auto timer = Timer::create(-1.0, true, [](Timer&) {});
    EXPECT_EQ(timer->timeInterval(), Timer::kMinimumInterval);
    EXPECT_EQ(timer->fireDate().timeIntervalSinceReferenceDate(), Timer::kMinimumInterval);
}

TEST_F(TimerTest, FireAndSetFireDate) {
    int fired = 0;
    auto repeating = Timer::scheduledTimer(1.0, true, [&](Timer&) { ++fired; });
    repeating->fire();
    EXPECT_EQ(fired, 1);
    EXPECT_TRUE(repeating->isValid());
    EXPECT_EQ(repeating->fireDate().timeIntervalSinceReferenceDate(), 1.0);

    repeating->setFireDate(Date::dateWithTimeIntervalSinceReferenceDate(5.0));
    m_loop.runFor(4.9);
    EXPECT_EQ(fired, 1);
    m_loop.runFor(0.1);
    EXPECT_EQ(fired, 2);
    repeating->invalidate();
    repeating->fire();
    EXPECT_EQ(fired, 2);

    auto oneShot = Timer::create(1.0, false, [&](Timer&) { ++fired; });
    oneShot->fire();
    EXPECT_EQ(fired, 3);
    EXPECT_FALSE(oneShot->isValid());
    m_loop.addTimer(oneShot);  // an invalidated timer is not taken
    EXPECT_EQ(oneShot.use_count(), 1);
}

// The timer lives on a worker's loop; invalidating it from here drops that loop's reference
// at once, while the worker is still running.
TEST(TimerThreaded, InvalidateFromAnotherThread) {
    std::atomic<bool> added{false};
    std::atomic<bool> stop{false};
    auto timer = Timer::create(3600.0, false, [](Timer&) {});
    std::thread worker([&] {
        RunLoop::current().addTimer(timer);
        added.store(true);
        RunLoop::current().runUntil([&] { return stop.load(); }, 30.0);
    });
    while (!added.load())
        std::this_thread::yield();
    EXPECT_EQ(timer.use_count(), 2);
    timer->invalidate();
    EXPECT_EQ(timer.use_count(), 1);
    stop.store(true);
    worker.join();
}

}  // namespace
}  // namespace ov
