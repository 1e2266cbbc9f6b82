#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/views/View.h"
#include "support/ManualClockScope.h"

namespace ov::ui {
namespace {

class ViewAnimationTest : public ::testing::Test {
  protected:
    void SetUp() override { RunLoop::main().runPending(); }
    void TearDown() override {
        m_view.reset();
        RunLoop::main().runPending();
    }

    void at(double seconds) { m_time.clock().setNow(seconds); }
    std::shared_ptr<Layer> shown() const { return m_view->layer().presentationLayer(); }

    test::ManualClockScope m_time{0.0};
    std::shared_ptr<View> m_view = std::make_shared<View>(Rect{0, 0, 100, 100});
};

TEST_F(ViewAnimationTest, ModelChangesAtOncePresentationFollowsTheCurve) {
    std::vector<bool> completions;
    View::animateWithDuration(
        1.0, 0, UIViewAnimationOptionCurveLinear,
        [&] {
            m_view->setAlpha(0);
            m_view->setFrame({100, 0, 200, 100});
        },
        [&](bool finished) { completions.push_back(finished); });
    EXPECT_EQ(m_view->alpha(), 0);
    EXPECT_EQ(m_view->frame(), (Rect{100, 0, 200, 100}));
    at(0.5);
    EXPECT_DOUBLE_EQ(shown()->opacity(), 0.5);
    EXPECT_EQ(shown()->frame(), (Rect{50, 0, 150, 100}));
    RunLoop::main().runFor(0.4);
    EXPECT_TRUE(completions.empty());
    RunLoop::main().runFor(0.2);
    EXPECT_EQ(completions, std::vector<bool>{true});
    EXPECT_DOUBLE_EQ(shown()->opacity(), 0);
}

TEST_F(ViewAnimationTest, ChangesOutsideABlockOrWithoutAnimationJump) {
    m_view->setAlpha(0.5);
    View::animateWithDuration(1.0, [&] {
        View::performWithoutAnimation([&] { m_view->setCenter({0, 0}); });
    });
    EXPECT_TRUE(m_view->layer().animationKeys().empty());
    EXPECT_DOUBLE_EQ(shown()->opacity(), 0.5);

    bool called = false;
    View::animateWithDuration(
        1.0, [] {}, [&](bool finished) { called = finished; });
    EXPECT_FALSE(called);
    RunLoop::main().runPending();
    EXPECT_TRUE(called);  // nothing changed: told on the next turn
}

TEST_F(ViewAnimationTest, DelayKeepsTheOldValueUntilTheStart) {
    View::animateWithDuration(1.0, 2.0, UIViewAnimationOptionCurveLinear,
                              [&] { m_view->setAlpha(0); });
    at(1.0);
    EXPECT_DOUBLE_EQ(shown()->opacity(), 1);
    at(2.5);
    EXPECT_DOUBLE_EQ(shown()->opacity(), 0.5);
}

TEST_F(ViewAnimationTest, ReplacingAnAnimationCutsTheFirstAndCanStartFromTheScreen) {
    std::vector<std::string> events;
    View::animateWithDuration(
        1.0, 0, UIViewAnimationOptionCurveLinear,
        [&] {
            m_view->setCenter({150, 50});
        },
        [&](bool finished) { events.push_back(finished ? "first finished" : "first cut"); });
    at(0.5);  // on screen at x = 100
    View::animateWithDuration(
        1.0, 0, UIViewAnimationOptionCurveLinear | UIViewAnimationOptionBeginFromCurrentState,
        [&] {
            m_view->setCenter({200, 50});
        },
        [&](bool finished) { events.push_back(finished ? "second finished" : "second cut"); });
    EXPECT_DOUBLE_EQ(shown()->position().x, 100);
    RunLoop::main().runFor(2);
    EXPECT_EQ(events, (std::vector<std::string>{"first cut", "second finished"}));

    // Without starting from the screen, the new animation starts at the old model value.
    at(10);
    View::animateWithDuration(1.0, 0, UIViewAnimationOptionCurveLinear, [&] {
        m_view->setCenter({0, 50});
    });
    at(10.5);
    View::animateWithDuration(1.0, 0, UIViewAnimationOptionCurveLinear, [&] {
        m_view->setCenter({100, 50});
    });
    EXPECT_DOUBLE_EQ(shown()->position().x, 0);
}

TEST_F(ViewAnimationTest, RepeatAndAutoreverseRunUntilRemoved) {
    View::animateWithDuration(0.5, 0,
                              UIViewAnimationOptionRepeat | UIViewAnimationOptionAutoreverse |
                                  UIViewAnimationOptionCurveLinear,
                              [&] { m_view->setAlpha(0); });
    at(0.75);
    EXPECT_DOUBLE_EQ(shown()->opacity(), 0.5);
    at(100.25);
    EXPECT_DOUBLE_EQ(shown()->opacity(), 0.5);
    m_view->layer().removeAllAnimations();
    EXPECT_DOUBLE_EQ(shown()->opacity(), 0);
}

TEST_F(ViewAnimationTest, RepeatCountSetInsideTheBlockLimitsTheRepeats) {
    bool done = false;
    View::animateWithDuration(
        0.5, 0, UIViewAnimationOptionRepeat | UIViewAnimationOptionAutoreverse,
        [&] {
            View::setAnimationRepeatCount(2);
            m_view->setTransform(AffineTransform::makeScale(1.3, 1.3));
        },
        [&](bool) { done = true; });
    RunLoop::main().runFor(1.9);
    EXPECT_FALSE(done);
    RunLoop::main().runFor(0.2);
    EXPECT_TRUE(done);
}

TEST_F(ViewAnimationTest, SpringSettlesWithinItsDuration) {
    View::animateWithDuration(0.3, 0, 1.0, 0, 0, [&] { m_view->setAlpha(0); });
    double last = 1;
    for (double t = 0.03; t < 0.3; t += 0.03) {
        at(t);
        const double opacity = shown()->opacity();
        EXPECT_LE(opacity, last + 1e-9);  // damping ratio 1 never overshoots
        last = opacity;
    }
    at(0.299);
    EXPECT_NEAR(shown()->opacity(), 0, 0.01);

    at(1);
    View::animateWithDuration(1.0, 0, 0.3, 0, 0, [&] { m_view->setCenter({150, 50}); });
    double furthest = 0;
    for (double t = 1; t < 2; t += 0.01) {
        at(t);
        furthest = std::max(furthest, shown()->position().x);
    }
    EXPECT_GT(furthest, 160);  // a light damping overshoots
}

TEST_F(ViewAnimationTest, BlockedTouchesUnlessAllowed) {
    auto parent = std::make_shared<View>(Rect{0, 0, 200, 200});
    parent->addSubview(m_view);
    View::animateWithDuration(1.0, [&] { m_view->setAlpha(0.5); });
    EXPECT_EQ(parent->hitTest({10, 10}), parent.get());
    RunLoop::main().runFor(1.1);
    EXPECT_EQ(parent->hitTest({10, 10}), m_view.get());
    View::animateWithDuration(1.0, 0, UIViewAnimationOptionAllowUserInteraction,
                              [&] { m_view->setAlpha(1); });
    EXPECT_EQ(parent->hitTest({10, 10}), m_view.get());
}

class CommitDelegate : public ViewAnimationDelegate {
  public:
    void animationWillStart(const String& id, void*) override {
        events.push_back("start " + id.toUtf8());
    }
    void animationDidStop(const String& id, bool finished, void* context) override {
        events.push_back("stop " + id.toUtf8() + (finished ? " finished" : " cut"));
        lastContext = context;
    }
    std::vector<std::string> events;
    void* lastContext = nullptr;
};

TEST_F(ViewAnimationTest, BeginCommitAnimatesWithItsSettingsAndTellsTheDelegate) {
    auto delegate = std::make_shared<CommitDelegate>();
    int context = 0;
    View::beginAnimations("up", &context);
    View::setAnimationDuration(0.35);
    View::setAnimationCurve(UIViewAnimationCurveLinear);
    View::setAnimationDelegate(delegate);
    m_view->setCenter({50, -100});
    View::commitAnimations();
    at(0.175);
    EXPECT_DOUBLE_EQ(shown()->position().y, -25);
    RunLoop::main().runFor(1);
    EXPECT_EQ(delegate->events, (std::vector<std::string>{"start up", "stop up finished"}));
    EXPECT_EQ(delegate->lastContext, &context);
}

TEST_F(ViewAnimationTest, LayoutSubviewsOptionAnimatesTheLayoutToo) {
    class Column : public View {
      public:
        using View::View;
        void layoutSubviews() override { subviews()[0]->setFrame({0, 0, bounds().size.width, 10}); }
    };
    auto column = std::make_shared<Column>(Rect{0, 0, 100, 100});
    auto row = std::make_shared<View>(Rect{0, 0, 100, 10});
    column->addSubview(row);
    column->layoutIfNeeded();
    View::animateWithDuration(
        1.0, 0, UIViewAnimationOptionLayoutSubviews | UIViewAnimationOptionCurveLinear, [&] {
            column->setBounds({0, 0, 200, 100});
        });
    EXPECT_EQ(row->frame().width(), 200);
    at(0.5);
    EXPECT_DOUBLE_EQ(row->layer().presentationLayer()->bounds().size.width, 150);
}

}  // namespace
}  // namespace ov::ui
