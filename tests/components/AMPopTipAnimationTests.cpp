#include <gtest/gtest.h>

#include <algorithm>

#include "orvane/components/AMPopTip.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/input/EventInjector.h"
#include "orvane/platform/ui/views/Window.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

bool attached(const ui::View& view, const ui::GestureRecognizer& recognizer) {
    const auto all = ui::gestureRecognizers(view);
    return std::any_of(all.begin(), all.end(),
                       [&](const auto& r) { return r.get() == &recognizer; });
}

class PopTipAnimationTest : public ::testing::Test {
  protected:
    PopTipAnimationTest() {
        tip->setAppearHandler([this] { ++appeared; });
        tip->setDismissHandler([this] { ++dismissed; });
    }
    void run(double seconds) { RunLoop::main().runFor(seconds); }
    void show(AMPopTipDirection direction = AMPopTipDirectionUp) {
        tip->showText("Look", direction, 200, screen, target);
    }
    ui::AffineTransform shown() const {
        return tip->layer().presentationLayer()->affineTransform();
    }
    double shownAlpha() const { return tip->layer().presentationLayer()->opacity(); }
    bool inContainer() const { return tip->superview() == screen.get(); }

    test::ManualClockScope time{500};
    std::shared_ptr<ui::Window> screen = std::make_shared<ui::Window>(ui::Rect{0, 0, 320, 480});
    const ui::Rect target{140, 300, 40, 30};
    std::shared_ptr<AMPopTip> tip = AMPopTip::popTip();
    int appeared = 0;
    int dismissed = 0;
};

TEST_F(PopTipAnimationTest, ScaleEntranceGrowsFromTheArrowTipThenInstallsTheOutsideRecognizers) {
    show();
    EXPECT_TRUE(tip->isAnimating() && !tip->isVisible() && inContainer());
    EXPECT_NEAR(shown().a, 0, 1e-6);
    EXPECT_FALSE(attached(*screen, *tip->tapRemoveGesture()));

    run(0.2);
    EXPECT_GT(shown().a, 0.3);
    EXPECT_EQ(appeared, 0);
    run(0.25);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_FALSE(tip->isAnimating());
    EXPECT_EQ(appeared, 1);
    EXPECT_TRUE(shown().isIdentity());
    EXPECT_TRUE(attached(*screen, *tip->tapRemoveGesture()));
    EXPECT_TRUE(attached(*screen, *tip->swipeRemoveGesture()));
}

TEST_F(PopTipAnimationTest, HideDuringTheEntranceIsIgnoredAndAForcedHideCutsIn) {
    show();
    run(0.1);
    tip->hide();
    EXPECT_TRUE(tip->isAnimating());
    EXPECT_TRUE(tip->transform().isIdentity());  // no exit has begun

    tip->hideForced(true);
    EXPECT_NEAR(shown().a, 1, 1e-9);  // the exit starts from where the entrance was cut
    // It ends at a tiny scale, not 0, so the transform stays invertible.
    EXPECT_EQ(tip->transform(), ui::AffineTransform::makeScale(1e-6, 1e-6));
    run(0.1);
    EXPECT_NEAR(shown().a, 0.5, 1e-3);
    tip->hide();  // ignored during the exit too
    run(0.15);
    EXPECT_FALSE(inContainer());
    EXPECT_FALSE(tip->isVisible());
    EXPECT_FALSE(tip->isAnimating());
    EXPECT_TRUE(tip->transform().isIdentity());
    EXPECT_EQ(dismissed, 1);
    run(1);
    EXPECT_EQ(appeared, 0);  // the cut entrance never completes
    EXPECT_FALSE(attached(*screen, *tip->tapRemoveGesture()));
}

TEST_F(PopTipAnimationTest, TransitionEntranceComesInFromTheBubblesSide) {
    tip->setEntranceAnimation(AMPopTipEntranceAnimationTransition);
    show(AMPopTipDirectionUp);
    // Scaled to 0.6 and moved off the top: the translation is scaled too.
    EXPECT_NEAR(shown().a, 0.6, 1e-6);
    EXPECT_NEAR(shown().ty, 0.6 * -300, 1e-6);
    show(AMPopTipDirectionRight);
    EXPECT_NEAR(shown().tx, 0.6 * (320 - 140), 1e-6);
    run(0.45);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_TRUE(shown().isIdentity());
}

TEST_F(PopTipAnimationTest, FadesInAndOutAndAShowDuringTheExitKeepsTheTip) {
    tip->setEntranceAnimation(AMPopTipEntranceAnimationFadeIn);
    tip->setExitAnimation(AMPopTipExitAnimationFadeOut);
    show();
    EXPECT_NEAR(shownAlpha(), 0, 1e-9);
    run(0.2);
    EXPECT_NEAR(shownAlpha(), 0.5, 1e-3);
    run(0.25);
    EXPECT_TRUE(tip->isVisible());

    tip->hide();
    run(0.1);
    EXPECT_NEAR(shownAlpha(), 0.5, 1e-3);
    tip->setEntranceAnimation(AMPopTipEntranceAnimationScale);
    show();  // cuts the fade-out, which must neither finish nor leave the tip faded
    run(1);
    EXPECT_TRUE(inContainer());
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(shownAlpha(), 1);
    EXPECT_EQ(dismissed, 0);
    EXPECT_EQ(appeared, 2);
}

TEST_F(PopTipAnimationTest, CustomAnimationsCompleteThroughTheirHandlersOrAtOnce) {
    AMPopTip::Handler finishEntrance, finishExit;
    tip->setEntranceAnimation(AMPopTipEntranceAnimationCustom);
    tip->setExitAnimation(AMPopTipExitAnimationCustom);
    tip->setEntranceAnimationHandler([&](AMPopTip::Handler done) { finishEntrance = done; });
    tip->setExitAnimationHandler([&](AMPopTip::Handler done) { finishExit = done; });
    show();
    ASSERT_TRUE(finishEntrance);
    EXPECT_TRUE(tip->isAnimating());
    finishEntrance();
    finishEntrance();  // a second call changes nothing
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(appeared, 1);

    tip->hide();
    EXPECT_TRUE(inContainer());
    ASSERT_TRUE(finishExit);
    finishExit();
    EXPECT_FALSE(inContainer());
    EXPECT_EQ(dismissed, 1);

    // A forced hide is not undone by a late completion of the entrance it cut.
    show();
    tip->hideForced(true);
    finishExit();
    finishEntrance();
    EXPECT_FALSE(tip->isVisible());
    EXPECT_EQ(appeared, 1);

    // Without handlers both end at once, so the tip still shows and still goes.
    tip->setEntranceAnimationHandler({});
    tip->setExitAnimationHandler({});
    show();
    EXPECT_TRUE(tip->isVisible());
    tip->hide();
    EXPECT_FALSE(inContainer());
    EXPECT_EQ(dismissed, 3);
}

TEST_F(PopTipAnimationTest, BounceRepeatsUntilStoppedAndEndsAfterItsCycle) {
    tip->setEntranceAnimation(AMPopTipEntranceAnimationNone);
    tip->setActionAnimation(AMPopTipActionAnimationBounce);
    show();
    EXPECT_TRUE(tip->shouldBounce());
    // The tip jumps 8 points up at the start of every 1.2-second cycle.
    for (int cycle = 0; cycle < 3; ++cycle) {
        run(0.12);
        EXPECT_NEAR(shown().ty, -8, 1e-6) << cycle;
        run(1.08);
        EXPECT_NEAR(shown().ty, 0, 0.05) << cycle;
    }

    run(0.06);
    tip->stopActionAnimation();
    EXPECT_FALSE(tip->shouldBounce());
    run(0.6);
    EXPECT_TRUE(shown().isIdentity());
    EXPECT_TRUE(tip->layer().animationKeys().empty());

    // Hidden in mid-bounce, the tip still leaves, and the bounce with it.
    tip->startActionAnimation();
    run(0.06);
    tip->hide();
    run(0.3);
    EXPECT_FALSE(inContainer());
    EXPECT_EQ(dismissed, 1);
    EXPECT_FALSE(tip->shouldBounce());
    run(3);
    EXPECT_TRUE(tip->layer().animationKeys().empty());
    EXPECT_TRUE(shown().isIdentity());
}

TEST_F(PopTipAnimationTest, FloatAndPulseGoAndComeBackForEver) {
    tip->setEntranceAnimation(AMPopTipEntranceAnimationNone);
    tip->setActionAnimation(AMPopTipActionAnimationFloat);
    show(AMPopTipDirectionDown);
    for (const double ty : {8, 0, 8}) {
        run(0.6);
        EXPECT_NEAR(shown().ty, ty, 1e-6);
    }
    tip->hideForced(true);
    run(0.5);

    tip->setActionAnimation(AMPopTipActionAnimationPulse);
    show();
    run(0.6);
    EXPECT_NEAR(shown().d, 1.1, 1e-6);
    run(0.6);
    EXPECT_NEAR(shown().a, 1, 1e-6);
}

TEST_F(PopTipAnimationTest, DurationSchedulesTheHide) {
    tip->showText("Soon gone", AMPopTipDirectionUp, 200, screen, target, 0);
    EXPECT_FALSE(tip->dismissTimer());
    run(5);
    EXPECT_TRUE(inContainer());

    tip->showText("Soon gone", AMPopTipDirectionUp, 200, screen, target, 2);
    ASSERT_TRUE(tip->dismissTimer());
    run(1.9);
    EXPECT_TRUE(inContainer());
    run(0.35);
    EXPECT_FALSE(inContainer());
    EXPECT_EQ(dismissed, 1);
}

TEST_F(PopTipAnimationTest, TapsAndSwipesOutsideHideOnlyWhenAsked) {
    ui::EventInjector fingers(screen);
    show();
    run(0.5);
    tip->setShouldDismissOnTapOutside(false);
    EXPECT_FALSE(tip->tapRemoveGesture()->isEnabled());
    fingers.tap({20, 20});
    run(0.5);
    EXPECT_TRUE(inContainer());

    fingers.swipe({40, 100}, {200, 100});  // swipes are off by default
    tip->setShouldDismissOnSwipeOutside(true);
    tip->setSwipeRemoveGestureDirection(ui::UISwipeGestureRecognizerDirectionLeft);
    fingers.swipe({40, 100}, {200, 100});  // the wrong way
    run(0.5);
    EXPECT_TRUE(inContainer());
    fingers.swipe({200, 100}, {40, 100});
    run(0.5);
    EXPECT_FALSE(inContainer());
    EXPECT_EQ(dismissed, 1);

    tip->setShouldDismissOnTapOutside(true);
    show();
    run(0.5);
    fingers.tap({20, 20});
    run(0.5);
    EXPECT_FALSE(inContainer());
    EXPECT_EQ(dismissed, 2);
}

TEST_F(PopTipAnimationTest, AGoneTipLeavesNoRecognizerOrTimerBehind) {
    tip->showText("Short-lived", AMPopTipDirectionUp, 200, screen, target, 1);
    run(0.5);
    ASSERT_TRUE(attached(*screen, *tip->tapRemoveGesture()));
    tip->removeFromSuperview();
    tip.reset();
    EXPECT_TRUE(ui::gestureRecognizers(*screen).empty());
    run(2);  // the timer finds no tip
    ui::EventInjector fingers(screen);
    fingers.tap({20, 20});
    EXPECT_EQ(dismissed, 0);
}

}  // namespace
}  // namespace ov
