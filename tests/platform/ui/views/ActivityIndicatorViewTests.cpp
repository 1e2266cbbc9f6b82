#include <gtest/gtest.h>

#include "ControlTestSupport.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/views/ActivityIndicatorView.h"
#include "support/ManualClockScope.h"

namespace ov::ui {
namespace {

class ActivityIndicatorViewTest : public ::testing::Test {
  protected:
    void TearDown() override { RunLoop::main().runPending(); }
    ov::test::ManualClockScope m_time{100.0};
};

TEST_F(ActivityIndicatorViewTest, HiddenWhileStoppedUnlessToldOtherwise) {
    auto spinner = std::make_shared<ActivityIndicatorView>(UIActivityIndicatorViewStyleWhiteLarge);
    EXPECT_EQ(spinner->frame(), (Rect{0, 0, 37, 37}));
    EXPECT_TRUE(spinner->isHidden());
    spinner->startAnimating();
    EXPECT_TRUE(spinner->isAnimating());
    EXPECT_FALSE(spinner->isHidden());
    spinner->stopAnimating();
    EXPECT_TRUE(spinner->isHidden());

    spinner->setHidesWhenStopped(false);
    EXPECT_FALSE(spinner->isHidden());
    spinner->startAnimating();
    spinner->stopAnimating();
    EXPECT_FALSE(spinner->isHidden());
}

TEST_F(ActivityIndicatorViewTest, SpinsOnceASecondByTheClock) {
    auto spinner = std::make_shared<ActivityIndicatorView>(UIActivityIndicatorViewStyleGray);
    spinner->startAnimating();
    EXPECT_EQ(spinner->leadingSpoke(), 0);
    RunLoop::main().runFor(0.26);
    EXPECT_EQ(spinner->leadingSpoke(), 3);
    EXPECT_TRUE(spinner->layer().needsDisplay());  // the timer asks for each step
    RunLoop::main().runFor(1.0);
    EXPECT_EQ(spinner->leadingSpoke(), 3);
}

TEST_F(ActivityIndicatorViewTest, TheLeadingSpokeIsDrawnBrightest) {
    auto spinner = std::make_shared<ActivityIndicatorView>(UIActivityIndicatorViewStyleWhiteLarge);
    spinner->setColor(Color::blackColor());
    spinner->startAnimating();
    const auto atStart = renderToImage(*spinner, 2);
    const Point twelve{18.5, 6}, three{31, 18.5};
    EXPECT_GT(test::pixelAt(*atStart, twelve)[3], test::pixelAt(*atStart, three)[3] + 80);
    RunLoop::main().runFor(0.25);
    const auto later = renderToImage(*spinner, 2);
    EXPECT_GT(test::pixelAt(*later, three)[3], test::pixelAt(*later, twelve)[3]);
}

}  // namespace
}  // namespace ov::ui
