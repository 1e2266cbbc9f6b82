#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <thread>
#include <vector>

#include "orvane/platform/values/Clock.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

TEST(Clock, SystemClockCountsFromTheReferenceDate) {
    const double unixNow = static_cast<double>(std::time(nullptr));
    EXPECT_NEAR(SystemClock().now(), unixNow - 978307200.0, 5.0);
}

TEST(Clock, CurrentFollowsTheInstalledClockAndNullRestoresTheSystemOne) {
    {
        test::ManualClockScope time(10.0);
        EXPECT_TRUE(Clock::current().isManual());
        time.clock().advance(2.5);
        time.clock().advance(-0.5);
        EXPECT_DOUBLE_EQ(Clock::current().now(), 12.0);
    }
    EXPECT_FALSE(Clock::current().isManual());
    EXPECT_GT(Clock::current().now(), 700'000'000.0);  // some time after 2023
}

// Readers hold a Clock& while another thread replaces the clock and drops its own reference:
// the replaced clock must stay readable.
TEST(ClockThreaded, ReplacedClocksStayAliveForReaders) {
    std::atomic<bool> stop{false};
    std::vector<std::thread> readers;
    for (int index = 0; index < 4; ++index) {
        readers.emplace_back([&] {
            while (!stop.load()) {
                const Clock& clock = Clock::current();
                EXPECT_GE(clock.now(), 0.0);
            }
        });
    }
    for (int round = 0; round < 500; ++round) {
        Clock::setCurrent(std::make_shared<ManualClock>(round));
    }
    stop.store(true);
    for (std::thread& reader : readers)
        reader.join();
    Clock::setCurrent(nullptr);
}

}  // namespace
}  // namespace ov
