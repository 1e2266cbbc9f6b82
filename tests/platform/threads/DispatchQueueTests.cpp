#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/threads/RunLoop.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

TEST(DispatchQueue, SyncRunsInlineWhereWaitingWouldNeverEnd) {
    bool ran = false;
    DispatchQueue::main().sync([&] { ran = true; });  // from the main thread
    EXPECT_TRUE(ran);

    std::thread::id ranOn;
    DispatchQueue::global().sync([&] { ranOn = std::this_thread::get_id(); });
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(DispatchQueue, MainAsyncAfterWaitsForTheClock) {
    test::ManualClockScope time(0.0);
    double ranAt = -1.0;
    DispatchQueue::main().asyncAfter(1.5, [&] { ranAt = Clock::current().now(); });
    RunLoop::main().runFor(1.0);
    EXPECT_EQ(ranAt, -1.0);
    RunLoop::main().runFor(1.0);
    EXPECT_EQ(ranAt, 1.5);
}

TEST(DispatchQueueThreaded, GlobalWorkReachesTheMainLoop) {
    std::atomic<bool> ranOnWorker{false};
    bool ranOnMain = false;
    DispatchQueue::global().async([&] {
        ranOnWorker.store(!RunLoop::isMainThread());
        DispatchQueue::main().async([&] { ranOnMain = RunLoop::isMainThread(); });
    });
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return ranOnMain; }, 30.0));
    EXPECT_TRUE(ranOnWorker.load());
}

TEST(DispatchQueueThreaded, SyncToMainWaitsForTheMainLoop) {
    std::atomic<bool> returned{false};
    int value = 0;
    int seenAfterSync = 0;
    std::thread worker([&] {
        DispatchQueue::main().sync([&] { value = 42; });
        seenAfterSync = value;
        returned.store(true);
    });
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return returned.load(); }, 30.0));
    worker.join();
    EXPECT_EQ(seenAfterSync, 42);
}

TEST(DispatchQueueThreaded, GlobalRunsEveryTaskOffTheMainThread) {
    constexpr int kTasks = 200;
    std::atomic<int> ranOffMain{0};
    for (int index = 0; index < kTasks; ++index) {
        DispatchQueue::global().async([&] { ranOffMain += RunLoop::isMainThread() ? 0 : 1; });
    }
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return ranOffMain.load() == kTasks; }, 30.0));
}

}  // namespace
}  // namespace ov
