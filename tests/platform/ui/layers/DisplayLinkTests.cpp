#include <gtest/gtest.h>

#include <vector>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/layers/DisplayLink.h"
#include "support/ManualClockScope.h"

namespace ov::ui {
namespace {

TEST(DisplayLinkTest, FiresOnFrameBoundariesWhileNotPaused) {
    test::ManualClockScope time(0.005);
    std::vector<double> frames;
    auto link = DisplayLink::displayLinkWithTarget(
        [&](DisplayLink& l) { frames.push_back(l.timestamp()); });
    link->addToRunLoop(RunLoop::main());
    RunLoop::main().runFor(0.05);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_NEAR(frames[0], 1.0 / 60, 1e-9);
    EXPECT_NEAR(frames[2] - frames[1], link->duration(), 1e-9);

    link->setPaused(true);
    RunLoop::main().runFor(1);
    EXPECT_EQ(frames.size(), 3u);
    link->setPaused(false);
    RunLoop::main().runFor(0.02);
    EXPECT_EQ(frames.size(), 4u);

    std::weak_ptr<DisplayLink> watch = link;
    link->invalidate();
    link.reset();
    RunLoop::main().runFor(1);
    EXPECT_EQ(frames.size(), 4u);
    EXPECT_TRUE(watch.expired());  // the loop let go of it
}

TEST(DisplayLinkTest, PreferredRateSpacesTheFrames) {
    test::ManualClockScope time(0);
    int frames = 0;
    auto link = DisplayLink::displayLinkWithTarget([&](DisplayLink&) { ++frames; });
    link->setPreferredFramesPerSecond(10);
    link->addToRunLoop(RunLoop::main());
    RunLoop::main().runFor(1.0);
    EXPECT_EQ(frames, 10);
    link->invalidate();
}

}  // namespace
}  // namespace ov::ui
