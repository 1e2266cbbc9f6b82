#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "orvane/components/MBBarProgressView.h"
#include "orvane/components/MBProgressHUD.h"
#include "orvane/components/MBRoundProgressView.h"
#include "orvane/components/UIView+OVUIViewAnimationsHUD.h"
#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/views/ActivityIndicatorView.h"
#include "orvane/platform/ui/views/Appearance.h"
#include "orvane/platform/ui/views/ProgressView.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

struct CountingDelegate : MBProgressHUDDelegate {
    void hudWasHidden(MBProgressHUD&) override { ++hidden; }
    int hidden = 0;
};

class HUDTest : public ::testing::Test {
  protected:
    HUDTest() { ui::Appearance::resetAll(); }
    ~HUDTest() override { ui::Appearance::resetAll(); }

    // A HUD over the screen that counts its completion and delegate calls.
    std::shared_ptr<MBProgressHUD> makeHUD() {
        auto hud = MBProgressHUD::initWithView(screen.get());
        screen->addSubview(hud);
        hud->setCompletionBlock([this] { ++completions; });
        hud->setDelegate(delegate);
        return hud;
    }
    void run(double seconds) { RunLoop::main().runFor(seconds); }
    ui::Rect bezelFrame(MBProgressHUD& hud) {
        screen->layoutIfNeeded();
        return hud.bezelView().frame();
    }

    test::ManualClockScope time{100};
    std::shared_ptr<ui::View> screen = std::make_shared<ui::View>(ui::Rect{0, 0, 320, 480});
    std::shared_ptr<CountingDelegate> delegate = std::make_shared<CountingDelegate>();
    int completions = 0;
};

TEST_F(HUDTest, GraceTimeSkipsTheShowWhenTheWorkEndsFirst) {
    auto hud = makeHUD();
    hud->setGraceTime(0.5);
    hud->showAnimated(false);
    run(0.2);
    hud->hideAnimated(false);
    run(1.0);
    EXPECT_FALSE(hud->showStarted());
    EXPECT_EQ(hud->bezelView().alpha(), 0);
    EXPECT_EQ(hud->alpha(), 0);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(delegate->hidden, 1);

    hud->showAnimated(false);  // longer work: the HUD appears once the grace time is over
    run(0.49);
    EXPECT_EQ(hud->alpha(), 0);
    run(0.02);
    EXPECT_EQ(hud->alpha(), 1);
    EXPECT_EQ(hud->bezelView().alpha(), 1);
}

TEST_F(HUDTest, MinimumShowTimeHoldsAnEarlyHide) {
    auto hud = makeHUD();
    hud->setMinShowTime(1.0);
    hud->showAnimated(false);
    run(0.3);
    hud->hideAnimated(false);
    EXPECT_TRUE(hud->hasFinished());
    run(0.69);
    EXPECT_EQ(hud->alpha(), 1);
    EXPECT_EQ(completions, 0);
    run(0.02);
    EXPECT_EQ(hud->alpha(), 0);
    EXPECT_EQ(completions, 1);

    hud->showAnimated(false);  // shown long enough: the hide is at once
    run(1.5);
    hud->hideAnimated(false);
    EXPECT_EQ(completions, 2);
}

TEST_F(HUDTest, ALaterDelayedHideReplacesAnEarlierOne) {
    auto hud = makeHUD();
    hud->showAnimated(false);
    hud->hideAnimated(false, 1.0);
    hud->hideAnimated(false, 3.0);
    run(2.0);
    EXPECT_EQ(hud->alpha(), 1);
    run(1.1);
    EXPECT_EQ(hud->alpha(), 0);

    // The replaced timer must not hide the HUD shown again, nor report it hidden twice.
    hud->showAnimated(false);
    hud->hideAnimated(false, 5.0);
    hud->hideAnimated(false, 1.0);
    run(1.1);
    hud->showAnimated(false);
    run(6.0);
    EXPECT_EQ(hud->alpha(), 1);
    EXPECT_EQ(completions, 2);
    EXPECT_EQ(delegate->hidden, 2);
}

TEST_F(HUDTest, AnimationTypesStartAndEndScales) {
    struct Case {
        MBProgressHUDAnimation type;
        double shownFrom;
        double hiddenTo;
    };
    for (const Case& c :
         {Case{MBProgressHUDAnimationFade, 1, 1}, Case{MBProgressHUDAnimationZoom, 0.5, 0.5},
          Case{MBProgressHUDAnimationZoomOut, 1.5, 0.5},
          Case{MBProgressHUDAnimationZoomIn, 0.5, 1.5}}) {
        SCOPED_TRACE(c.type);
        auto hud = makeHUD();
        hud->setRemoveFromSuperViewOnHide(true);
        hud->setAnimationType(c.type);
        hud->showAnimated(true);
        auto& bezel = hud->bezelView();
        EXPECT_DOUBLE_EQ(bezel.layer().presentationLayer()->affineTransform().a, c.shownFrom);
        EXPECT_TRUE(bezel.transform().isIdentity());
        EXPECT_EQ(bezel.alpha(), 1);
        run(0.5);
        EXPECT_DOUBLE_EQ(bezel.layer().presentationLayer()->affineTransform().a, 1);

        hud->hideAnimated(true);
        EXPECT_DOUBLE_EQ(bezel.transform().a, c.hiddenTo);
        EXPECT_EQ(bezel.alpha(), 0);
        EXPECT_EQ(hud->superview(), screen.get());  // still fading out
        run(0.5);
        EXPECT_EQ(hud->superview(), nullptr);
    }
}

TEST_F(HUDTest, ShowingAgainDuringTheFadeOutIsNotReportedAsHidden) {
    auto hud = makeHUD();
    hud->showAnimated(true);
    run(0.5);
    hud->hideAnimated(true);
    run(0.1);
    hud->showAnimated(true);
    run(0.5);
    EXPECT_EQ(completions, 0);
    EXPECT_EQ(hud->alpha(), 1);
    EXPECT_DOUBLE_EQ(hud->bezelView().layer().presentationLayer()->opacity(), 1);
}

TEST_F(HUDTest, EachFinishedHideIsReportedOnceAndOnlyItsOwnFadeOutRemovesTheHUD) {
    auto hud = makeHUD();
    hud->setRemoveFromSuperViewOnHide(true);
    hud->showAnimated(true);
    run(0.5);
    hud->hideAnimated(true);
    run(0.1);
    hud->hideAnimated(true);  // the fade-out under way finishes this one too
    EXPECT_EQ(hud->superview(), screen.get());
    run(0.5);
    EXPECT_EQ(hud->superview(), nullptr);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(delegate->hidden, 1);

    // A fade-out that a show superseded must not cut the next one short.
    screen->addSubview(hud);
    hud->showAnimated(true);
    run(0.5);
    hud->hideAnimated(true);
    run(0.1);
    hud->showAnimated(true);
    run(0.05);
    hud->hideAnimated(true);
    run(0.2);  // past the end of the first fade-out, not of the second
    EXPECT_EQ(hud->superview(), screen.get());
    EXPECT_EQ(completions, 1);
    run(0.5);
    EXPECT_EQ(hud->superview(), nullptr);
    EXPECT_EQ(completions, 2);
    EXPECT_EQ(delegate->hidden, 2);

    // A hide without animation ends a fade-out at once, and the fade-out reports nothing more.
    screen->addSubview(hud);
    hud->showAnimated(true);
    run(0.5);
    hud->hideAnimated(true);
    run(0.1);
    hud->hideAnimated(false);
    EXPECT_EQ(hud->superview(), nullptr);
    run(0.5);
    EXPECT_EQ(completions, 3);
    EXPECT_EQ(delegate->hidden, 3);
}

TEST_F(HUDTest, DestroyedHUDLeavesNoTimerOrDisplayLinkBehind) {
    std::weak_ptr<MBProgressHUD> weak;
    auto progress = Progress::progressWithTotalUnitCount(10);
    {
        auto hud = makeHUD();
        weak = hud;
        hud->setGraceTime(1);
        hud->setProgressObject(progress);
        hud->showAnimated(true);
        hud->hideAnimated(true, 2);
        hud->removeFromSuperview();
    }
    EXPECT_TRUE(weak.expired());
    progress->setCompletedUnitCount(5);
    run(5);
    EXPECT_EQ(completions, 0);

    auto shown = makeHUD();
    shown->setMinShowTime(3);
    shown->showAnimated(false);
    shown->hideAnimated(false);  // waits on the minimum-show timer
    shown->removeFromSuperview();
    shown.reset();
    run(5);
    EXPECT_EQ(completions, 0);
}

TEST_F(HUDTest, FindsAndHidesTheTopmostUnfinishedHUD) {
    EXPECT_FALSE(MBProgressHUD::hideHUDForView(*screen, false));
    EXPECT_EQ(MBProgressHUD::HUDForView(*screen), nullptr);
    auto lower = MBProgressHUD::showHUDAddedTo(*screen, false);
    auto upper = MBProgressHUD::showHUDAddedTo(*screen, false);
    EXPECT_EQ(MBProgressHUD::HUDForView(*screen), upper.get());
    EXPECT_TRUE(MBProgressHUD::hideHUDForView(*screen, false));
    EXPECT_TRUE(upper->hasFinished());
    EXPECT_FALSE(lower->hasFinished());
    EXPECT_EQ(MBProgressHUD::HUDForView(*screen), lower.get());

    MBProgressHUD::showHUDAddedTo(*screen, false);
    EXPECT_EQ(MBProgressHUD::allHUDsForView(*screen).size(), 2u);
    EXPECT_EQ(MBProgressHUD::hideAllHUDsForView(*screen, false), 2u);
    EXPECT_TRUE(screen->subviews().empty());
}

TEST_F(HUDTest, BezelPlacementFollowsOffsetWithinTheMargin) {
    // Where the bezel ends up on each axis: centred at a coordinate, or against an edge.
    constexpr double low = -1, high = -2;
    struct Case {
        ui::Point offset;
        double x, y;
    };
    auto hud = makeHUD();
    hud->setMode(MBProgressHUDModeText);
    hud->label().setText(String("Saved"));
    const auto expectPlaced = [](double wanted, double minEdge, double maxEdge, double extent) {
        if (wanted == low)
            EXPECT_NEAR(minEdge, 20, 0.01);
        else if (wanted == high)
            EXPECT_NEAR(maxEdge, extent - 20, 0.01);
        else
            EXPECT_NEAR((minEdge + maxEdge) / 2, wanted, 0.01);
    };
    for (const Case& c :
         {Case{{0, 0}, 160, 240}, Case{{30, -40}, 190, 200},
          Case{{0, MBProgressMaxOffset}, 160, high}, Case{{-MBProgressMaxOffset, 0}, low, 240},
          Case{{MBProgressMaxOffset, -MBProgressMaxOffset}, high, low}}) {
        SCOPED_TRACE(testing::Message() << c.offset.x << ", " << c.offset.y);
        hud->setOffset(c.offset);
        const ui::Rect frame = bezelFrame(*hud);
        expectPlaced(c.x, frame.minX(), frame.maxX(), 320);
        expectPlaced(c.y, frame.minY(), frame.maxY(), 480);
    }
}

TEST_F(HUDTest, BezelSizeRules) {
    auto hud = makeHUD();
    hud->setMode(MBProgressHUDModeText);
    hud->label().setText(String("Hi"));
    const ui::Size natural = bezelFrame(*hud).size;
    EXPECT_NEAR(natural.width, hud->label().intrinsicContentSize().width + 40, 0.01);

    hud->setMinSize({150, 100});
    EXPECT_NEAR(bezelFrame(*hud).size.width, 150, 0.01);
    EXPECT_NEAR(bezelFrame(*hud).size.height, 100, 0.01);
    hud->setMinSize({0, 0});
    hud->setSquare(true);
    const ui::Size square = bezelFrame(*hud).size;
    EXPECT_NEAR(square.width, square.height, 0.01);
    EXPECT_NEAR(square.width, std::max(natural.width, natural.height), 0.01);

    hud->setSquare(false);  // long details wrap inside the margins instead of being cut
    hud->detailsLabel().setText(
        String("The server did not answer in time. Your changes are "
               "kept on this device and will be sent as soon as the "
               "connection is back, so nothing is lost."));
    bezelFrame(*hud);
    const ui::Rect details = hud->detailsLabel().frame();
    EXPECT_LE(details.size.width, 320 - 4 * 20 + 0.01);
    EXPECT_GT(details.size.height, 3 * 12);
}

TEST_F(HUDTest, DetailsTooLongForTheScreenGiveWayTheSameAfterEveryRuleRebuild) {
    auto hud = makeHUD();
    hud->setMode(MBProgressHUDModeText);
    hud->label().setText(String("Uploading"));
    String details("The server did not answer in time. ");
    for (int i = 0; i < 6; ++i)
        details += details;
    hud->detailsLabel().setText(details);
    const auto expectTitleThenDetailsInside = [&] {
        const ui::Rect bezel = bezelFrame(*hud);
        const ui::Rect title = hud->label().frame(), more = hud->detailsLabel().frame();
        EXPECT_NEAR(bezel.size.height, 480 - 2 * 20, 0.01);
        EXPECT_NEAR(title.minY(), 20, 0.01);
        EXPECT_NEAR(title.size.height, hud->label().intrinsicContentSize().height, 0.01);
        EXPECT_NEAR(more.minY(), title.maxY() + 4, 0.01);
        EXPECT_NEAR(more.maxY(), bezel.size.height - 20, 0.01);
    };
    expectTitleThenDetailsInside();
    const std::function<void()> rebuilds[] = {[&] { hud->setNeedsUpdateConstraints(); },
                                              [&] { hud->setSquare(true); },
                                              [&] {
                                                  hud->setMinSize({100, 100});
                                              },
                                              [&] {
                                                  hud->setOffset({0, 30});
                                              },
                                              [&] { hud->setMode(MBProgressHUDModeText); }};
    for (size_t i = 0; i < std::size(rebuilds); ++i) {
        SCOPED_TRACE(i);
        rebuilds[i]();
        expectTitleThenDetailsInside();
    }
}

TEST_F(HUDTest, CustomViewWithoutNaturalSizeStillShowsTheBezel) {
    auto hud = makeHUD();
    hud->setCustomView(std::make_shared<ui::View>());
    hud->setMode(MBProgressHUDModeCustomView);
    const ui::Rect bezel = bezelFrame(*hud);
    EXPECT_EQ(bezel, ui::Rect(140, 220, 40, 40));  // the margins around nothing
    EXPECT_EQ(hud->customView()->frame(), ui::Rect(20, 20, 0, 0));
}

TEST_F(HUDTest, PaddingOnlyBetweenVisibleElements) {
    auto hud = makeHUD();
    hud->setMode(MBProgressHUDModeText);
    hud->label().setText(String("Title"));
    hud->detailsLabel().setText(String(""));
    auto& label = hud->label();
    const auto paddings = [&] {
        bezelFrame(*hud);
        const ui::View* column[] = {&label, &hud->detailsLabel(), &hud->button()};
        std::vector<double> gaps;
        for (size_t i = 1; i < 3; ++i)
            gaps.push_back(column[i]->frame().minY() - column[i - 1]->frame().maxY());
        return gaps;
    };
    EXPECT_EQ(paddings(), (std::vector<double>{0, 0}));  // empty details, button without action

    hud->detailsLabel().setText(String("More"));
    hud->button().setTitle(String("Cancel"), ui::UIControlStateNormal);
    hud->button().addAction([](ui::Control&) {}, ui::UIControlEventTouchUpInside);
    hud->button().invalidateIntrinsicContentSize();
    EXPECT_EQ(paddings(), (std::vector<double>{4, 4}));

    label.setText(String(""));  // an empty title takes neither room nor spacing
    hud->setMode(MBProgressHUDModeDeterminate);
    bezelFrame(*hud);
    EXPECT_NEAR(hud->detailsLabel().frame().minY() - hud->indicator()->frame().maxY(), 4, 0.01);
    EXPECT_NEAR(hud->indicator()->frame().minY(), 20, 0.01);
}

TEST_F(HUDTest, IndicatorFollowsTheMode) {
    auto hud = makeHUD();
    auto* spinner = dynamic_cast<ui::ActivityIndicatorView*>(hud->indicator());
    ASSERT_NE(spinner, nullptr);
    EXPECT_TRUE(spinner->isAnimating());

    hud->setMode(MBProgressHUDModeAnnularDeterminate);
    auto* ring = dynamic_cast<MBRoundProgressView*>(hud->indicator());
    ASSERT_NE(ring, nullptr);
    EXPECT_TRUE(ring->isAnnular());
    hud->setMode(MBProgressHUDModeDeterminate);
    EXPECT_EQ(hud->indicator(), ring);  // the ring stays a ring
    EXPECT_TRUE(ring->isAnnular());

    hud->setMode(MBProgressHUDModeDeterminateHorizontalBar);
    ui::View* bar = hud->indicator();
    hud->setMode(MBProgressHUDModeText);
    EXPECT_EQ(hud->indicator(), nullptr);
    hud->setMode(MBProgressHUDModeDeterminateHorizontalBar);
    EXPECT_NE(hud->indicator(), bar);

    auto custom = std::make_shared<ui::View>(ui::Rect{0, 0, 30, 30});
    hud->setCustomView(custom);
    hud->setMode(MBProgressHUDModeCustomView);
    EXPECT_EQ(hud->indicator(), custom.get());
    EXPECT_EQ(custom->superview(), &hud->bezelView());
}

TEST_F(HUDTest, APlatformProgressViewAsCustomViewFollowsTheProgress) {
    auto hud = makeHUD();
    hud->setProgress(0.7f);
    auto bar = std::make_shared<ui::ProgressView>();
    hud->setCustomView(bar);
    hud->setMode(MBProgressHUDModeCustomView);
    EXPECT_FLOAT_EQ(bar->progress(), 0.7f);
    hud->setProgress(0.25f);
    EXPECT_FLOAT_EQ(bar->progress(), 0.25f);
}

TEST_F(HUDTest, ContentColourReachesEverythingWithoutAStyleDefault) {
    const auto red = ui::Color::redColor();
    ui::Appearance::appearanceWhenContainedInInstancesOfClasses<ui::ActivityIndicatorView,
                                                                MBProgressHUD>()
        .setColor(ui::kAppearanceColor, ui::Color::blueColor());
    auto hud = makeHUD();
    hud->setContentColor(red);
    EXPECT_EQ(hud->label().textColor(), red);
    EXPECT_EQ(hud->detailsLabel().textColor(), red);
    EXPECT_EQ(hud->button().titleColorForState(ui::UIControlStateNormal), red);
    EXPECT_EQ(dynamic_cast<ui::ActivityIndicatorView*>(hud->indicator())->color(),
              ui::Color::blueColor());

    hud->setMode(MBProgressHUDModeDeterminate);
    auto* round = dynamic_cast<MBRoundProgressView*>(hud->indicator());
    EXPECT_EQ(round->progressTintColor(), red);
    EXPECT_EQ(round->backgroundTintColor(), red.colorWithAlphaComponent(0.1));
    hud->setMode(MBProgressHUDModeDeterminateHorizontalBar);
    auto* bar = dynamic_cast<MBBarProgressView*>(hud->indicator());
    EXPECT_EQ(bar->progressColor(), red);
    EXPECT_EQ(bar->lineColor(), red);

    hud->label().setTextColor(ui::Color::greenColor());
    hud->setContentColor(red);  // no change: nothing is touched
    EXPECT_EQ(hud->label().textColor(), ui::Color::greenColor());
}

TEST_F(HUDTest, ProgressObjectIsPolledWhileShown) {
    auto hud = makeHUD();
    hud->setMode(MBProgressHUDModeDeterminate);
    auto progress = Progress::progressWithTotalUnitCount(200);
    hud->setProgressObject(progress);
    hud->showAnimated(false);
    progress->setCompletedUnitCount(50);
    run(0.05);
    EXPECT_FLOAT_EQ(hud->progress(), 0.25f);
    EXPECT_FLOAT_EQ(dynamic_cast<MBRoundProgressView*>(hud->indicator())->progress(), 0.25f);

    hud->hideAnimated(false);
    progress->setCompletedUnitCount(100);
    run(0.05);
    EXPECT_FLOAT_EQ(hud->progress(), 0.25f);  // no polling once finished
    hud->showAnimated(false);
    run(0.05);
    EXPECT_FLOAT_EQ(hud->progress(), 0.5f);
}

TEST_F(HUDTest, TakesItsParentsBoundsWhenTheInterfaceTurns) {
    auto hud = makeHUD();
    EXPECT_EQ(hud->frame(), screen->bounds());
    screen->setBounds({0, 0, 480, 320});
    hud->setFrame({0, 0, 10, 10});
    NotificationCenter::defaultCenter().postNotification(
        String(UIApplicationDidChangeStatusBarOrientationNotification));
    EXPECT_EQ(hud->frame(), (ui::Rect{0, 0, 480, 320}));
}

TEST_F(HUDTest, OlderSurfaceMapsOntoTheHUD) {
    auto hud = makeHUD();
    hud->setDimBackground(true);
    EXPECT_TRUE(hud->dimBackground());
    EXPECT_EQ(hud->backgroundView().style(), MBProgressHUDBackgroundStyleSolidColor);
    hud->setDimBackground(false);
    EXPECT_FALSE(hud->dimBackground());
    hud->setXOffset(5);
    hud->setYOffset(-7);
    EXPECT_EQ(hud->offset(), (ui::Point{5, -7}));
    hud->setActivityIndicatorColor(ui::Color::greenColor());
    EXPECT_EQ(dynamic_cast<ui::ActivityIndicatorView*>(hud->indicator())->color(),
              ui::Color::greenColor());

    hud->setMode(MBProgressHUDModeText);  // no spinner timer to jump the clock past the task
    std::atomic<bool> ran{false};
    bool completed = false;
    hud->showAnimated(
        false, [&] { ran = true; }, [&] { completed = true; });
    EXPECT_TRUE(hud->taskInProgress());
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return completed; }, 5));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(hud->taskInProgress());
    EXPECT_TRUE(hud->hasFinished());
}

TEST_F(HUDTest, ViewShortcutsShowAndHide) {
    auto hud = UIView_OVUIViewAnimations::SHOW_HUD(*screen, String("Saving"), String("2 of 3"));
    EXPECT_EQ(hud->superview(), screen.get());
    EXPECT_EQ(hud->label().text(), String("Saving"));
    EXPECT_EQ(hud->detailsLabel().text(), String("2 of 3"));
    UIView_OVUIViewAnimations::HIDE_HUD(*screen);
    EXPECT_TRUE(hud->hasFinished());
    run(0.5);
    EXPECT_TRUE(screen->subviews().empty());
    EXPECT_FALSE(UIView_OVUIViewAnimations::SHOW_HUD(*screen)->label().text());
}

TEST_F(HUDTest, ProgrammingErrorsAreCaught) {
    auto hud = makeHUD();
    EXPECT_DEBUG_DEATH(std::thread([&] { hud->showAnimated(false); }).join(),
                       "MBProgressHUD needs to be accessed on the main thread.");
    EXPECT_DEBUG_DEATH(std::thread([&] { hud->setLabelText(String("x")); }).join(),
                       "MBProgressHUD needs to be accessed on the main thread.");
    EXPECT_DEBUG_DEATH(MBProgressHUD::initWithView(nullptr), "View must not be nil.");
    MBRoundProgressView round;
    EXPECT_DEBUG_DEATH(round.setProgressTintColor(std::nullopt), "The color should not be nil.");
}

}  // namespace
}  // namespace ov
