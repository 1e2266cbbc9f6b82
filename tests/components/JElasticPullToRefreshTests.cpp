#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "orvane/components/JElasticPullToRefreshLoadingViewCircle.h"
#include "orvane/components/JElasticPullToRefreshView.h"
#include "orvane/components/UIScrollView+JElasticPullToRefresh.h"
#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/ui/application/Application.h"
#include "orvane/platform/ui/input/EventInjector.h"
#include "orvane/platform/ui/views/Window.h"
#include "orvane/platform/values/Format.h"
#include "support/ManualClockScope.h"
#include "support/ReferenceImage.h"

namespace ov {
namespace {

namespace refresh = UIScrollView_JElasticPullToRefresh;
using ui::Point;

class PullToRefreshTest : public ::testing::Test {
  protected:
    PullToRefreshTest() {
        scroll->setContentSize({240, 600});
        scroll->setBackgroundColor(ui::Color::whiteColor());
        window->addSubview(scroll);
        refresh::addJElasticPullToRefreshViewWithActionHandler(
            *scroll, [this] { ++actions; }, circle);
        refresh::setJElasticPullToRefreshFillColor(*scroll, ui::Color::blueColor());
        refresh::setJElasticPullToRefreshBackgroundColor(*scroll, ui::Color::whiteColor());
        circle->setTintColor(ui::Color::whiteColor());
    }

    JElasticPullToRefreshView& control() { return *refresh::jElasticPullToRefreshView(*scroll); }
    JElasticPullToRefreshState state() { return control().refreshState(); }

    // A finger down at `x` pulls the content exactly `pull` points down and stays.
    int hold(double pull, double x = 120) {
        const int touch = fingers.drag({{120, 20}, {x, 120}}, 0.2, ui::EventInjector::Lift::No);
        scroll->setContentOffset({0, -pull});
        return touch;
    }
    void release(int touch) { fingers.touchUp(touch); }
    void pullAndRelease(double pull) { release(hold(pull)); }

    test::ManualClockScope time{10};
    std::shared_ptr<ui::Window> window = std::make_shared<ui::Window>(ui::Rect{0, 0, 240, 200});
    std::shared_ptr<ui::ScrollView> scroll =
        std::make_shared<ui::ScrollView>(ui::Rect{0, 0, 240, 200});
    std::shared_ptr<JElasticPullToRefreshLoadingViewCircle> circle =
        std::make_shared<JElasticPullToRefreshLoadingViewCircle>();
    ui::EventInjector fingers{window};
    int actions = 0;
};

TEST_F(PullToRefreshTest, ReleasingAtTheThresholdRefreshesAndJustBelowItRests) {
    EXPECT_EQ(state(), JElasticPullToRefreshStateStopped);
    const int touch = hold(94.9);
    EXPECT_EQ(state(), JElasticPullToRefreshStateDragging);
    EXPECT_NEAR(circle->shapeLayer().strokeEnd(), 0.9 * 94.9 / 95, 1e-9);
    release(touch);
    EXPECT_EQ(state(), JElasticPullToRefreshStateStopped);
    ui::EventInjector::wait(1.5);
    EXPECT_EQ(actions, 0);
    EXPECT_EQ(scroll->contentOffset().y, 0);

    pullAndRelease(95.0);
    EXPECT_EQ(state(), JElasticPullToRefreshStateAnimatingBounce);
    EXPECT_TRUE(circle->shapeLayer().animationForKey("RotationAnimation"));
}

TEST_F(PullToRefreshTest, AWholeRefreshBouncesLoadsAndGoesBackOnStopLoading) {
    pullAndRelease(120);
    EXPECT_EQ(state(), JElasticPullToRefreshStateAnimatingBounce);
    EXPECT_FALSE(scroll->isScrollEnabled());
    EXPECT_EQ(scroll->contentInset().top, 120);

    // The band follows the helper view down to 50 within 0.36 s, the sheet keeps bouncing.
    ui::EventInjector::wait(0.18);
    const double halfway = scroll->contentInset().top;
    EXPECT_LT(halfway, 120);
    EXPECT_GT(halfway, 50);
    EXPECT_EQ(scroll->contentOffset().y, -halfway);
    EXPECT_NEAR(control().frame().minY(), -halfway - 1, 1e-9);
    EXPECT_NEAR(control().frame().height(), halfway, 1e-9);
    ui::EventInjector::wait(0.3);
    EXPECT_NEAR(scroll->contentInset().top, 50, 1e-9);
    EXPECT_EQ(state(), JElasticPullToRefreshStateAnimatingBounce);
    EXPECT_EQ(actions, 0);

    ui::EventInjector::wait(0.5);
    EXPECT_EQ(state(), JElasticPullToRefreshStateLoading);
    EXPECT_EQ(actions, 1);
    EXPECT_TRUE(scroll->isScrollEnabled());
    EXPECT_TRUE(control().displayLink().isPaused());
    EXPECT_EQ(scroll->contentInset().top, 50);
    EXPECT_EQ(control().cControlPointView().center(), (Point{120, 50}));
    EXPECT_EQ(control().r3ControlPointView().center(), (Point{240, 50}));
    NotificationCenter::defaultCenter().postNotification(
        String(ui::UIApplicationWillEnterForegroundNotification));
    EXPECT_EQ(control().frame(), (ui::Rect{0, -50, 240, 50}));

    // While loading the content may scroll up, but a pull past the band is held at it.
    scroll->setContentOffset({0, -10});
    EXPECT_EQ(scroll->contentOffset().y, -10);
    scroll->setContentOffset({0, -80});
    EXPECT_EQ(scroll->contentOffset().y, -50);

    refresh::stopLoading(*scroll);
    EXPECT_EQ(state(), JElasticPullToRefreshStateAnimatingToStopped);
    EXPECT_EQ(scroll->contentInset().top, 0);
    ui::EventInjector::wait(0.2);
    EXPECT_EQ(state(), JElasticPullToRefreshStateAnimatingToStopped);
    refresh::stopLoading(*scroll);  // already stopping: nothing new
    ui::EventInjector::wait(0.3);
    EXPECT_EQ(state(), JElasticPullToRefreshStateStopped);
    EXPECT_EQ(scroll->contentOffset().y, 0);
    EXPECT_FALSE(circle->shapeLayer().animationForKey("RotationAnimation"));
    EXPECT_EQ(refresh::observers(*scroll).size(), 4u);

    // The inset it watches again is its own: a host's new inset becomes the original.
    scroll->setContentInset({20, 0, 0, 0});
    EXPECT_EQ(control().originalContentInsetTop(), 20);
}

TEST_F(PullToRefreshTest, TheSheetBendsUnderTheFinger) {
    struct Case {
        double pull, x;
        double minLeftX, maxRightX, wave;
    };
    // Width 240: the finger in the middle leaves the edges, at the right edge the sheet
    // reaches 240 + 120 × 0.28 past it; the wave is capped at 70.
    for (const Case& c : {Case{200, 120, 0, 240, 70}, Case{30, 240, 0, 240 + 120 * 0.28, 16},
                          Case{60, 0, -120 * 0.28, 240, 32}}) {
        const int touch = hold(c.pull, c.x);
        JElasticPullToRefreshView& v = control();
        EXPECT_EQ(v.frame(), (ui::Rect{0, -c.pull, 240, c.pull}));
        EXPECT_NEAR(v.currentWaveHeight(), c.wave, 1e-9);
        const double base = c.pull - c.wave;
        EXPECT_NEAR(v.l3ControlPointView().center().x, c.minLeftX, 1e-9) << c.x;
        EXPECT_NEAR(v.r3ControlPointView().center().x, c.maxRightX, 1e-9) << c.x;
        EXPECT_NEAR(v.cControlPointView().center().x, c.x, 1e-9);
        EXPECT_NEAR(v.cControlPointView().center().y, base + c.wave * 1.36, 1e-9);
        EXPECT_NEAR(v.l2ControlPointView().center().x, c.minLeftX + (c.x - c.minLeftX) * 0.44,
                    1e-9);
        EXPECT_NEAR(v.r1ControlPointView().center().y, base + c.wave * 0.64, 1e-9);
        EXPECT_EQ(v.shapeLayer().frame(), (ui::Rect{0, 0, 240, c.pull}));
        scroll->setContentOffset({0, 0});  // so the cancel below starts no refresh
        fingers.touchCancel(touch);
    }
}

TEST_F(PullToRefreshTest, TheIndicatorSitsInTheBandAndFillsWithThePull) {
    struct Case {
        double pull, originY;
    };
    for (const auto& [pull, originY] : {Case{10, 0}, Case{20, 2.5}, Case{60, 17.5}}) {
        const int touch = hold(pull);
        EXPECT_EQ(circle->frame(), (ui::Rect{112.5, originY, 15, 15})) << pull;
        EXPECT_EQ(circle->maskLayer().frame(), (ui::Rect{-112.5, -originY, 240, pull}));
        scroll->setContentOffset({0, 0});
        fingers.touchCancel(touch);
    }
}

TEST(JElasticPullToRefreshLoadingViewCircle, ProgressDrawsTheStrokeThenTurnsIt) {
    test::ManualClockScope time;
    JElasticPullToRefreshLoadingViewCircle circle;
    const ui::Transform3D identity = circle.identityTransform();
    EXPECT_DOUBLE_EQ(identity.m34, -0.002);
    EXPECT_NEAR(identity.m12, -1, 1e-12);  // a quarter turn back

    circle.setPullProgress(0.5);
    EXPECT_DOUBLE_EQ(circle.shapeLayer().strokeEnd(), 0.45);
    EXPECT_EQ(circle.shapeLayer().transform(), identity);
    circle.setPullProgress(1.5);
    EXPECT_DOUBLE_EQ(circle.shapeLayer().strokeEnd(), 0.9);
    EXPECT_EQ(circle.shapeLayer().transform(),
              identity.rotate(100 * std::numbers::pi / 180, 0, 0, 1));
    EXPECT_NEAR(circle.currentDegree(), 10 * std::numbers::pi / 180, 1e-9);

    circle.startAnimating();
    const auto spin = circle.shapeLayer().animationForKey("RotationAnimation");
    circle.startAnimating();  // one spin only
    EXPECT_EQ(circle.shapeLayer().animationForKey("RotationAnimation"), spin);
    circle.stopLoading();
    EXPECT_FALSE(circle.shapeLayer().animationForKey("RotationAnimation"));
}

TEST_F(PullToRefreshTest, TheObserverGuardForgivesSecondRemovals) {
    int heard = 0;
    const int observer = 0;
    refresh::addObserver(*scroll, &observer, "contentSize", ui::NSKeyValueObservingOptionNew,
                         [&](const ui::ObservedChange&) { ++heard; });
    EXPECT_EQ(refresh::observers(*scroll).count(stringWithFormat(
                  "%lu%@", reinterpret_cast<uintptr_t>(&observer), String("contentSize"))),
              1u);
    scroll->setContentSize({240, 700});
    refresh::removeObserver(*scroll, &observer, "contentSize");
    refresh::removeObserver(*scroll, &observer, "contentSize");
    refresh::removeObserver(*scroll, &observer, "never added");
    scroll->setContentSize({240, 800});
    EXPECT_EQ(heard, 1);
}

TEST_F(PullToRefreshTest, NoTickOrObservationReachesARemovedOrDestroyedControl) {
    std::weak_ptr<ui::View> gone = refresh::jElasticPullToRefreshView(*scroll);
    pullAndRelease(120);
    ui::EventInjector::wait(0.2);
    refresh::removeJElasticPullToRefreshView(*scroll);
    EXPECT_TRUE(gone.expired());
    EXPECT_TRUE(refresh::observers(*scroll).empty());
    EXPECT_EQ(refresh::jElasticPullToRefreshView(*scroll), nullptr);
    ui::EventInjector::wait(1.0);  // the spring's completion finds nothing
    refresh::stopLoading(*scroll);
    NotificationCenter::defaultCenter().postNotification(
        String(ui::UIApplicationWillEnterForegroundNotification));

    // A scroll view dropped in the middle of a bounce takes its control along.
    scroll->setScrollEnabled(true);
    scroll->setContentInset({});
    refresh::addJElasticPullToRefreshViewWithActionHandler(
        *scroll, [] {}, nullptr);
    pullAndRelease(120);
    ASSERT_EQ(state(), JElasticPullToRefreshStateAnimatingBounce);
    scroll->removeFromSuperview();
    gone = refresh::jElasticPullToRefreshView(*scroll);
    scroll.reset();
    EXPECT_TRUE(gone.expired());
    ui::EventInjector::wait(1.0);
}

TEST_F(PullToRefreshTest, LooksLikeItsReferencesWhilePulledAndLoading) {
    const int touch = hold(90, 60);
    EXPECT_TRUE(test::matchesReference(*ui::renderToImage(*window, 1), "pull-to-refresh-pulled"));
    release(touch);
    pullAndRelease(120);
    ui::EventInjector::wait(1.0);
    ASSERT_EQ(state(), JElasticPullToRefreshStateLoading);
    circle->stopLoading();  // a still indicator for the picture
    EXPECT_TRUE(test::matchesReference(*ui::renderToImage(*window, 1), "pull-to-refresh-loading"));
}

}  // namespace
}  // namespace ov
