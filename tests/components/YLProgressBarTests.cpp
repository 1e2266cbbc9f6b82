#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "orvane/components/YLProgressBar.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/ManualClockScope.h"
#include "support/ReferenceImage.h"

namespace ov {
namespace {

constexpr double kTick = YLProgressBarStripesAnimationTime;

void runTicks(double ticks) {
    RunLoop::main().runFor(ticks * kTick);
}

bool samePixels(const Image& a, const Image& b) {
    return *a.pixels() == *b.pixels();
}

TEST(YLProgressBar, AnimatedProgressLandsExactlyOnTheTargetOnTheEighthTick) {
    test::ManualClockScope time;
    struct Case {
        double from, to;
    };
    for (const Case& c : {Case{0, 1}, Case{0.3, 0.1}, Case{1, 0.25}}) {
        YLProgressBar bar({0, 0, 200, 20});
        bar.setProgress(c.from);
        bar.setProgress(c.to, true);
        runTicks(7.5);
        EXPECT_TRUE(bar.isAnimatingProgress()) << c.from << " to " << c.to;
        EXPECT_NE(bar.progress(), c.to);
        runTicks(1);
        EXPECT_EQ(bar.progress(), c.to) << c.from << " to " << c.to;
        EXPECT_FALSE(bar.isAnimatingProgress());
    }
}

TEST(YLProgressBar, NewProgressReplacesTheAnimationAndValuesAreClamped) {
    test::ManualClockScope time;
    YLProgressBar bar({0, 0, 200, 20});
    bar.setProgress(0);
    bar.setProgress(1, true);
    runTicks(3.5);
    bar.setProgress(0.2, true);
    runTicks(8.5);
    EXPECT_EQ(bar.progress(), 0.2);

    bar.setProgress(0.8, true);
    bar.setProgress(0.5);  // a plain set stops the animation too
    EXPECT_FALSE(bar.isAnimatingProgress());
    runTicks(10);
    EXPECT_EQ(bar.progress(), 0.5);

    bar.setProgress(1.7);
    EXPECT_EQ(bar.progress(), 1.0);
    bar.setProgress(-3, true);
    runTicks(9);
    EXPECT_EQ(bar.progress(), 0.0);
}

TEST(YLProgressBar, AnimatingToTheValueShownEndsAtOnce) {
    test::ManualClockScope time;
    YLProgressBar bar({0, 0, 200, 20});
    bar.setProgress(0.6);
    bar.setProgress(0.6, true);
    EXPECT_FALSE(bar.isAnimatingProgress());
    bar.setProgress(1.0);
    bar.setProgress(4.0, true);  // clamps to the value shown
    EXPECT_FALSE(bar.isAnimatingProgress());
}

TEST(YLProgressBar, NaNCountsAsNothingAndTinyAnimatedChangesStillEnd) {
    test::ManualClockScope time;
    YLProgressBar bar({0, 0, 200, 20});
    bar.setProgress(std::nan(""));
    EXPECT_EQ(bar.progress(), 0.0);
    bar.setProgress(0.5);
    bar.setProgress(std::nan(""), true);
    runTicks(9);
    EXPECT_EQ(bar.progress(), 0.0);
    EXPECT_FALSE(bar.isAnimatingProgress());

    // Steps so small that adding them leaves the value where it is.
    for (const double target :
         {std::nextafter(0.5, 1.0), std::nextafter(std::nextafter(0.5, 0.0), 0.0)}) {
        bar.setProgress(0.5);
        bar.setProgress(target, true);
        runTicks(9);
        EXPECT_EQ(bar.progress(), target);
        EXPECT_FALSE(bar.isAnimatingProgress());
    }
}

TEST(YLProgressBar, StripesTimerRunsExactlyWhileStripesAreShownAndAnimated) {
    YLProgressBar bar({0, 0, 200, 20});
    EXPECT_TRUE(bar.isAnimatingStripes());
    bar.setHideStripes(true);
    EXPECT_FALSE(bar.isAnimatingStripes());
    bar.setStripesAnimated(false);
    bar.setHideStripes(false);
    EXPECT_FALSE(bar.isAnimatingStripes());
    bar.setStripesAnimated(true);
    EXPECT_TRUE(bar.isAnimatingStripes());
}

TEST(YLProgressBar, TimersDieWithTheBar) {
    // Under the address sanitizer a timer firing into the freed bar fails this test.
    test::ManualClockScope time;
    auto bar = std::make_shared<YLProgressBar>(ui::Rect{0, 0, 200, 20});
    bar->setProgress(0);
    bar->setProgress(1, true);
    runTicks(2.5);
    bar.reset();
    runTicks(30);
    SUCCEED();
}

TEST(YLProgressBar, EachDrawingStepsTheStripesThroughOnePeriod) {
    struct Case {
        int direction;
        double velocity;
        std::vector<double> offsets;
    };
    const std::vector<Case> cases{
        {1, 1.0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 1}},
        {-1, -2.0, {-2, -4, -6, -8, -10, -12, -14, 0, -2}},
        {1, 5.0, {5, 10, 15, 0}},
    };
    auto context = ui::GraphicsContext::bitmap({200, 20});
    for (const Case& c : cases) {
        YLProgressBar bar({0, 0, 200, 20});
        bar.setStripesDirection(c.direction);
        bar.setStripesAnimationVelocity(c.velocity);
        for (double expected : c.offsets) {
            bar.drawRect(*context, bar.bounds());
            EXPECT_EQ(bar.stripesOffset(), expected) << "velocity " << c.velocity;
        }
        bar.setStripesAnimated(false);
        bar.drawRect(*context, bar.bounds());
        EXPECT_EQ(bar.stripesOffset(), 0);
    }
}

TEST(YLProgressBar, TintColoursTypeAndPreconditions) {
    YLProgressBar bar({0, 0, 200, 20});
    EXPECT_EQ(bar.progress(), YLProgressBarDefaultProgress);
    EXPECT_EQ(bar.progressTintColor(), ui::Color::blueColor());
    bar.setProgressTintColor(ui::Color::colorWithRed(0.8, 0.4, 1, 0.5));
    EXPECT_EQ(bar.progressTintColors().front(), ui::Color::colorWithRed(0.4, 0.2, 0.5, 0.5));
    bar.setUniformTintColor(true);
    EXPECT_EQ(bar.progressTintColors(), std::vector(2, ui::Color::colorWithRed(0.8, 0.4, 1, 0.5)));

    bar.setType(YLProgressBarTypeFlat);
    EXPECT_TRUE(bar.hideGloss());
    bar.setType(YLProgressBarTypeRounded);
    EXPECT_FALSE(bar.hideGloss());

    SystemLogCapture log;
    bar.setProgressTintColors(std::nullopt);
    bar.setProgressTintColors(std::vector<ui::Color>{});
    EXPECT_EQ(log.entries(),
              (std::vector<std::string>{
                  "*** Assertion failure in -[YLProgressBar setProgressTintColors:], "
                  "progressTintColors must not be null",
                  "*** Assertion failure in -[YLProgressBar setProgressTintColors:], "
                  "progressTintColors must contain at least one element"}));
    EXPECT_EQ(bar.colors().size(), 2u);
}

// One bar per drawn state, stacked: behaviours, types, stripes and the indicator text.
std::shared_ptr<ui::View> drawnStates() {
    struct State {
        double progress;
        YLProgressBarBehavior behavior;
        YLProgressBarType type;
        YLProgressBarIndicatorTextDisplayMode text;
        ui::Color tint;
        long stripesWidth;
    };
    const ui::Color green = ui::Color::colorWithRed(0.2, 0.75, 0.3, 1);
    const ui::Color yellow = ui::Color::yellowColor();
    const ui::Color navy = ui::Color::colorWithRed(0.05, 0.1, 0.45, 1);
    const std::vector<State> states{
        {0.3, YLProgressBarBehaviorDefault, YLProgressBarTypeRounded, 0, green, 7},
        {0.0, YLProgressBarBehaviorIndeterminate, YLProgressBarTypeRounded, 0, green, 7},
        {0.0, YLProgressBarBehaviorDefault, YLProgressBarTypeRounded, 0, green, 7},
        {0.6, YLProgressBarBehaviorWaiting, YLProgressBarTypeRounded, 0, green, 7},
        {1.0, YLProgressBarBehaviorWaiting, YLProgressBarTypeFlat, 0, green, 7},
        {0.7, YLProgressBarBehaviorDefault, YLProgressBarTypeFlat, 0, green, 0},
        {0.8, YLProgressBarBehaviorDefault, YLProgressBarTypeRounded, 2, yellow, 7},
        {0.8, YLProgressBarBehaviorDefault, YLProgressBarTypeRounded, 2, navy, 7},
        {0.4, YLProgressBarBehaviorDefault, YLProgressBarTypeFlat, 1, navy, 7},
    };
    auto board = std::make_shared<ui::View>(
        ui::Rect{0, 0, 220, 10 + 30.0 * static_cast<double>(states.size())});
    board->setBackgroundColor(ui::Color::colorWithWhite(0.9, 1));
    double y = 10;
    for (const State& state : states) {
        auto bar = std::make_shared<YLProgressBar>(ui::Rect{10, y, 200, 20});
        bar->setProgress(state.progress);
        bar->setBehavior(state.behavior);
        bar->setType(state.type);
        bar->setIndicatorTextDisplayMode(state.text);
        bar->setProgressTintColor(state.tint);
        bar->setStripesWidth(state.stripesWidth);
        board->addSubview(bar);
        y += 30;
    }
    return board;
}

TEST(YLProgressBar, DrawsEveryStateAsItsReference) {
    auto board = drawnStates();
    auto image = ui::renderToImage(*board, 2);
    ASSERT_TRUE(image);
    EXPECT_TRUE(test::matchesReference(*image, "progress_bar_states"));
}

TEST(YLProgressBar, ATextTooLargeForTheBarIsLeftOutWhole) {
    const auto render = [](const std::optional<String>& text) {
        auto bar = std::make_shared<YLProgressBar>(ui::Rect{0, 0, 120, 20});
        bar->setHideStripes(true);
        bar->setProgress(0.5);
        if (text) {
            bar->setIndicatorTextDisplayMode(YLProgressBarIndicatorTextDisplayModeFixed);
            bar->indicatorTextLabel().setText(*text);
        }
        return ui::renderToImage(*bar, 1);
    };
    const auto blank = render(std::nullopt);
    EXPECT_FALSE(samePixels(*render(String("Ok")), *blank));  // a text that fits shows
    // Wraps to two lines in a bar with room for one; a single overlong word; a huge label.
    String huge;
    for (int i = 0; i < 10000; ++i)
        huge += String("0123456789");
    for (const String& text : {String("Uploading your photos"), String("Synchronisation"), huge})
        EXPECT_TRUE(samePixels(*render(text), *blank)) << text.length();
}

TEST(YLProgressBar, IndicatorTextPicksBlackOverLightAndWhiteOverDark) {
    int darkPixels[2] = {0, 0};
    int lightPixels[2] = {0, 0};
    const ui::Color fills[2] = {ui::Color::yellowColor(),
                                ui::Color::colorWithRed(0.05, 0.1, 0.45, 1)};
    for (int i = 0; i < 2; ++i) {
        auto bar = std::make_shared<YLProgressBar>(ui::Rect{0, 0, 200, 30});
        bar->setUniformTintColor(true);
        bar->setProgressTintColor(fills[i]);
        bar->setHideStripes(true);
        bar->setHideGloss(true);
        bar->setProgress(1);
        bar->setIndicatorTextDisplayMode(YLProgressBarIndicatorTextDisplayModeProgress);
        auto image = ui::renderToImage(*bar, 1);
        for (int x = 100; x < 195; ++x) {
            for (int y = 5; y < 25; ++y) {
                const auto pixel = image->rgbaAt(x, y);
                darkPixels[i] += pixel[0] < 40 && pixel[1] < 40 && pixel[2] < 40;
                lightPixels[i] += pixel[0] > 215 && pixel[1] > 215 && pixel[2] > 215;
            }
        }
    }
    EXPECT_GT(darkPixels[0], 20);  // "100%" in black on yellow
    EXPECT_EQ(lightPixels[0], 0);
    EXPECT_GT(lightPixels[1], 20);  // in white on dark blue
}

}  // namespace
}  // namespace ov
