#include <gtest/gtest.h>

#include "orvane/platform/ui/containers/RefreshControl.h"
#include "orvane/platform/ui/containers/ScrollView.h"
#include "orvane/platform/ui/input/EventInjector.h"
#include "orvane/platform/ui/input/PanGestureRecognizer.h"
#include "orvane/platform/ui/views/Window.h"
#include "support/ManualClockScope.h"

namespace ov::ui {
namespace {

using Log = std::vector<std::string>;

// Records the delegate calls, folding runs of scrollViewDidScroll into one entry.
class Recorder : public ScrollViewDelegate {
  public:
    void scrollViewDidScroll(ScrollView&) override {
        if (log.empty() || log.back() != "scroll") log.push_back("scroll");
    }
    void scrollViewWillBeginDragging(ScrollView& s) override {
        log.push_back("willBeginDragging");
        draggingAtBegin = s.isDragging();
    }
    void scrollViewWillEndDragging(ScrollView&, Point v, Point& target) override {
        log.push_back("willEndDragging");
        velocity = v;
        if (redirect) target = *redirect;
    }
    void scrollViewDidEndDragging(ScrollView&, bool decelerate) override {
        log.push_back(decelerate ? "didEndDragging:decelerate" : "didEndDragging");
    }
    void scrollViewWillBeginDecelerating(ScrollView&) override {
        log.push_back("willBeginDecelerating");
    }
    void scrollViewDidEndDecelerating(ScrollView&) override { log.push_back("didEndDecelerating"); }
    void scrollViewDidEndScrollingAnimation(ScrollView&) override {
        log.push_back("didEndScrollingAnimation");
    }

    Log log;
    Point velocity;
    std::optional<Point> redirect;
    bool draggingAtBegin = false;
};

class ScrollViewTest : public ::testing::Test {
  protected:
    ScrollViewTest() {
        window->addSubview(scroll);
        scroll->setContentSize({320, 2000});
        scroll->setDelegate(recorder);
    }

    test::ManualClockScope time{500};
    std::shared_ptr<Window> window = std::make_shared<Window>(Rect{0, 0, 320, 480});
    std::shared_ptr<ScrollView> scroll = std::make_shared<ScrollView>(Rect{0, 0, 320, 480});
    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
    EventInjector fingers{window};
};

TEST_F(ScrollViewTest, AFlickDragsThenGlidesWithTheFlagsAndDelegateInOrder) {
    const int id = fingers.drag({{160, 400}, {160, 200}}, 0.2, EventInjector::Lift::No);
    EXPECT_TRUE(scroll->isTracking());
    EXPECT_TRUE(scroll->isDragging());
    EXPECT_TRUE(recorder->draggingAtBegin);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 200);
    fingers.touchUp(id);
    EXPECT_FALSE(scroll->isDragging());
    EXPECT_FALSE(scroll->isTracking());
    EXPECT_TRUE(scroll->isDecelerating());
    EXPECT_GT(recorder->velocity.y, 0.9);  // a thousand points a second, per millisecond

    EventInjector::wait(5);
    EXPECT_FALSE(scroll->isDecelerating());
    EXPECT_GT(scroll->contentOffset().y, 600);
    EXPECT_LE(scroll->contentOffset().y, scroll->maximumContentOffset().y);
    EXPECT_EQ(recorder->log,
              (Log{"willBeginDragging", "scroll", "willEndDragging", "didEndDragging:decelerate",
                   "willBeginDecelerating", "scroll", "didEndDecelerating"}));
}

TEST_F(ScrollViewTest, DraggingPastTheTopStretchesAndSpringsBack) {
    const int id = fingers.drag({{160, 100}, {160, 300}}, 0.2, EventInjector::Lift::No);
    const double stretched = scroll->contentOffset().y;
    EXPECT_LT(stretched, 0);
    EXPECT_GT(stretched, -200);  // the content follows less than the finger
    EventInjector::wait(0.5);    // still: no speed at release
    fingers.touchUp(id);
    EXPECT_TRUE(scroll->isDecelerating());
    EventInjector::wait(2);
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 0}));
    EXPECT_EQ(recorder->log.back(), "didEndDecelerating");

    scroll->setBounces(false);
    fingers.drag({{160, 100}, {160, 300}}, 0.2, EventInjector::Lift::No);
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 0}));
    // The injector cancels the finger when it goes.
}

TEST_F(ScrollViewTest, ContentThatFitsDoesNotMoveUnlessAskedToBounce) {
    scroll->setContentSize({320, 300});
    const int id = fingers.drag({{160, 400}, {160, 200}}, 0.2, EventInjector::Lift::No);
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 0}));
    fingers.touchUp(id);
    scroll->setAlwaysBounceVertical(true);
    fingers.touchUp(fingers.drag({{160, 400}, {160, 200}}, 0.2, EventInjector::Lift::No));
    EXPECT_TRUE(scroll->isDecelerating());  // springing back
}

TEST_F(ScrollViewTest, TheDelegateChoosesWhereTheGlideEnds) {
    recorder->redirect = Point{0, 450};
    fingers.drag({{160, 400}, {160, 200}}, 0.2);
    EventInjector::wait(5);
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 450}));
}

TEST_F(ScrollViewTest, ASlowReleaseStaysPutAndATouchStopsAGlide) {
    const int id = fingers.drag({{160, 400}, {160, 300}}, 0.2, EventInjector::Lift::No);
    EventInjector::wait(0.5);
    fingers.touchUp(id);
    EXPECT_FALSE(scroll->isDecelerating());
    EXPECT_EQ(recorder->log.back(), "didEndDragging");

    fingers.drag({{160, 400}, {160, 200}}, 0.2);
    EventInjector::wait(0.1);
    const int stop = fingers.touchDown({160, 300});
    EXPECT_FALSE(scroll->isDecelerating());
    const Point caught = scroll->contentOffset();
    EventInjector::wait(1);
    EXPECT_EQ(scroll->contentOffset(), caught);
    fingers.touchUp(stop);
}

TEST_F(ScrollViewTest, PagingSettlesOnAPage) {
    scroll->setContentSize({320, 480 * 4});
    scroll->setPagingEnabled(true);
    fingers.drag({{160, 400}, {160, 250}}, 0.3);
    EventInjector::wait(2);
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 480}));
    fingers.drag({{160, 400}, {160, 350}}, 0.5);
    EventInjector::wait(2);
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 480}));
}

TEST_F(ScrollViewTest, AnimatedOffsetsAndScrollingRectsIntoView) {
    scroll->setContentOffset({0, 300}, true);
    EventInjector::wait(ScrollView::kAnimationDuration / 2);
    EXPECT_GT(scroll->contentOffset().y, 0);
    EXPECT_LT(scroll->contentOffset().y, 300);
    EventInjector::wait(ScrollView::kAnimationDuration);
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 300}));
    EXPECT_EQ(recorder->log.back(), "didEndScrollingAnimation");

    scroll->scrollRectToVisible({0, 1000, 320, 44}, false);
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 1044 - 480}));
    scroll->scrollRectToVisible({0, 100, 320, 44}, false);
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 100}));
    scroll->scrollRectToVisible({0, 1990, 320, 44}, false);  // clamped to the end
    EXPECT_EQ(scroll->contentOffset(), (Point{0, 2000 - 480}));
    scroll->setContentInset({64, 0, 0, 0});
    scroll->scrollRectToVisible({0, 0, 320, 10}, false);
    EXPECT_EQ(scroll->contentOffset(), (Point{0, -64}));
}

TEST_F(ScrollViewTest, ObserversHearTheOffsetAndThePanState) {
    std::vector<Point> offsets;
    std::vector<UIGestureRecognizerState> states;
    auto offsetToken = scroll->addObserver(
        "contentOffset", NSKeyValueObservingOptionNew,
        [&](const ObservedChange& c) { offsets.push_back(std::any_cast<Point>(c.newValue)); });
    auto stateToken = scroll->addObserver(
        "panGestureRecognizer.state", NSKeyValueObservingOptionNew, [&](const ObservedChange& c) {
            states.push_back(std::any_cast<UIGestureRecognizerState>(c.newValue));
        });
    scroll->setContentOffset({0, 10});
    scroll->setContentOffset({0, 10});
    EXPECT_EQ(offsets, std::vector<Point>{(Point{0, 10})});
    fingers.drag({{160, 400}, {160, 300}}, 0.1);
    EXPECT_EQ(states.front(), UIGestureRecognizerStateBegan);
    EXPECT_EQ(states[states.size() - 2], UIGestureRecognizerStateEnded);
    EXPECT_EQ(states.back(), UIGestureRecognizerStatePossible);
}

TEST_F(ScrollViewTest, RefreshControlFiresOncePastTheThresholdAndKeepsItsBand) {
    auto refresh = std::make_shared<RefreshControl>();
    int fired = 0;
    refresh->addAction([&](Control&) { ++fired; }, UIControlEventValueChanged);
    scroll->addSubview(refresh);

    fingers.drag({{160, 100}, {160, 140}}, 0.2);  // a short pull: nothing
    EventInjector::wait(1);
    EXPECT_EQ(fired, 0);

    const int id = fingers.drag({{160, 100}, {160, 400}}, 0.3, EventInjector::Lift::No);
    fingers.touchMove(id, {160, 420});
    EXPECT_EQ(fired, 1);
    EXPECT_TRUE(refresh->isRefreshing());
    EventInjector::wait(0.5);
    fingers.touchUp(id);
    EventInjector::wait(2);
    EXPECT_EQ(scroll->contentInset().top, RefreshControl::kHeight);
    EXPECT_EQ(scroll->contentOffset().y, -RefreshControl::kHeight);

    refresh->endRefreshing();
    EventInjector::wait(1);
    EXPECT_EQ(scroll->contentInset().top, 0);
    EXPECT_EQ(scroll->contentOffset().y, 0);
    refresh->beginRefreshing();
    EXPECT_EQ(fired, 1);  // not by code
    EXPECT_EQ(scroll->contentInset().top, RefreshControl::kHeight);
}

}  // namespace
}  // namespace ov::ui
