#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/layers/Animation.h"
#include "orvane/platform/ui/layers/Layer.h"
#include "orvane/platform/ui/layers/ShapeLayer.h"
#include "orvane/platform/ui/layers/Transaction.h"
#include "support/ManualClockScope.h"

namespace ov::ui {
namespace {

class AnimationTest : public ::testing::Test {
  protected:
    void SetUp() override { RunLoop::main().runPending(); }
    void TearDown() override {
        m_layer.reset();
        RunLoop::main().runPending();
    }

    void at(double seconds) { m_time.clock().setNow(seconds); }
    double opacityNow() const { return m_layer->presentationLayer()->opacity(); }

    static std::shared_ptr<BasicAnimation> fade(double from, double to, double duration) {
        auto animation = BasicAnimation::animationWithKeyPath("opacity");
        animation->setFromValue(from);
        animation->setToValue(to);
        animation->setDuration(duration);
        return animation;
    }

    test::ManualClockScope m_time{100.0};
    std::shared_ptr<Layer> m_layer = Layer::layer();
};

TEST(MediaTimingTest, RepeatAutoreverseAndFillModesPlaceTheSimpleTime) {
    MediaTiming timing;
    timing.setBeginTime(10);
    timing.setDuration(2);
    EXPECT_EQ(timing.simpleTime(9), std::nullopt);
    EXPECT_EQ(timing.simpleTime(11), 1.0);
    EXPECT_EQ(timing.simpleTime(12), std::nullopt);  // ended, no fill

    timing.setFillMode(FillMode::Both);
    EXPECT_EQ(timing.simpleTime(9), 0.0);
    EXPECT_EQ(timing.simpleTime(50), 2.0);

    timing.setAutoreverses(true);
    timing.setRepeatCount(1.5);  // forward, back, forward half way
    EXPECT_EQ(timing.activeDuration(), 6.0);
    EXPECT_EQ(timing.simpleTime(13.5), 0.5);  // running back
    EXPECT_EQ(timing.simpleTime(15), 1.0);    // forward again
    EXPECT_EQ(timing.simpleTime(99), 2.0);    // held where the fraction of a pass ended

    timing.setRepeatCount(2);
    EXPECT_EQ(timing.simpleTime(99), 0.0);  // whole reversing passes end at the start
    timing.setRepeatCount(MediaTiming::kRepeatForever);
    EXPECT_EQ(timing.endTime(), MediaTiming::kRepeatForever);
    EXPECT_EQ(timing.simpleTime(1010.5), 0.5);
}

TEST(MediaTimingTest, NamedCurvesKeepTheirEndsAndShape) {
    using Name = MediaTimingFunction::Name;
    for (Name name :
         {Name::Linear, Name::EaseIn, Name::EaseOut, Name::EaseInEaseOut, Name::Default}) {
        const auto function = MediaTimingFunction::functionWithName(name);
        EXPECT_NEAR(function.evaluate(0), 0, 1e-9);
        EXPECT_NEAR(function.evaluate(1), 1, 1e-9);
    }
    const auto easeIn = MediaTimingFunction::functionWithName(Name::EaseIn);
    const auto easeOut = MediaTimingFunction::functionWithName(Name::EaseOut);
    const auto both = MediaTimingFunction::functionWithName(Name::EaseInEaseOut);
    EXPECT_LT(easeIn.evaluate(0.5), 0.5);
    EXPECT_GT(easeOut.evaluate(0.5), 0.5);
    EXPECT_NEAR(both.evaluate(0.5), 0.5, 1e-6);
    EXPECT_NEAR(both.evaluate(0.2) + both.evaluate(0.8), 1, 1e-6);
    // A custom curve overshooting in y.
    const auto back = MediaTimingFunction::functionWithControlPoints(0.3, 1.6, 0.6, 1);
    EXPECT_GT(back.evaluate(0.6), 1.0);
}

TEST_F(AnimationTest, BasicAnimationMovesThePresentationNotTheModel) {
    m_layer->addAnimation(*fade(1, 0, 2), "fade");
    at(101);
    EXPECT_DOUBLE_EQ(opacityNow(), 0.5);
    EXPECT_DOUBLE_EQ(m_layer->opacity(), 1);
    at(101.5);
    EXPECT_DOUBLE_EQ(opacityNow(), 0.25);
    at(102);  // ended: the model shows again
    EXPECT_DOUBLE_EQ(opacityNow(), 1);
}

TEST_F(AnimationTest, MissingEndsComeFromTheModel) {
    m_layer->setActions({{"opacity", nullptr}, {"position", nullptr}});
    m_layer->setOpacity(0.2);
    auto up = BasicAnimation::animationWithKeyPath("opacity");
    up->setToValue(1.0);
    up->setDuration(1);
    m_layer->addAnimation(*up, "up");
    at(100.5);
    EXPECT_DOUBLE_EQ(opacityNow(), 0.6);

    auto by = BasicAnimation::animationWithKeyPath("position.x");
    by->setByValue(10.0);
    by->setDuration(1);
    m_layer->setPosition({5, 7});
    m_layer->addAnimation(*by, "by");
    at(101);
    EXPECT_EQ(m_layer->presentationLayer()->position(), (Point{10, 7}));
}

TEST_F(AnimationTest, KeyPathsReachIntoStructsAndTransforms) {
    m_layer->setBounds({0, 0, 100, 40});
    auto width = BasicAnimation::animationWithKeyPath("bounds.size.width");
    width->setFromValue(100.0);
    width->setToValue(200.0);
    width->setDuration(1);
    m_layer->addAnimation(*width, "width");

    auto spin = BasicAnimation::animationWithKeyPath("transform.rotation.z");
    spin->setFromValue(0.0);
    spin->setToValue(std::numbers::pi);
    spin->setDuration(1);
    m_layer->addAnimation(*spin, "spin");

    auto grow = BasicAnimation::animationWithKeyPath("transform.scale");
    grow->setFromValue(1.0);
    grow->setToValue(3.0);
    grow->setDuration(1);
    m_layer->addAnimation(*grow, "grow");

    at(100.5);
    const auto shown = m_layer->presentationLayer();
    EXPECT_DOUBLE_EQ(shown->bounds().size.width, 150);
    EXPECT_DOUBLE_EQ(shown->bounds().size.height, 40);
    EXPECT_NEAR(std::get<double>(*shown->valueForKeyPath("transform.rotation.z")),
                std::numbers::pi / 2, 1e-9);
    EXPECT_NEAR(std::get<double>(*shown->valueForKeyPath("transform.scale.x")), 2, 1e-9);
    // A quarter turn at scale 2 sends (1, 0) to (0, 2).
    const Point turned = shown->transform().apply(Point{1, 0});
    EXPECT_NEAR(turned.x, 0, 1e-9);
    EXPECT_NEAR(turned.y, 2, 1e-9);
    EXPECT_EQ(m_layer->valueForKeyPath("no.such.path"), std::nullopt);
}

TEST_F(AnimationTest, KeyframesHitTheirValuesAtTheirKeyTimes) {
    auto shake = KeyframeAnimation::animationWithKeyPath("transform.translation.x");
    shake->setValues({-5.0, 5.0, -5.0, 5.0, -2.0, 2.0, -1.0, 1.0, 0.0});
    shake->setDuration(0.8);
    m_layer->addAnimation(*shake, "shake");
    auto x = [&] { return m_layer->presentationLayer()->transform().m41; };
    at(100.1);
    EXPECT_NEAR(x(), 5, 1e-9);
    at(100.15);
    EXPECT_NEAR(x(), 0, 1e-9);  // half way from 5 to -5
    at(100.7);
    EXPECT_NEAR(x(), 1, 1e-9);

    auto steps = KeyframeAnimation::animationWithKeyPath("opacity");
    steps->setValues({0.0, 0.3, 1.0});
    steps->setKeyTimes({0, 0.8, 1});
    steps->setCalculationMode(KeyframeAnimation::CalculationMode::Discrete);
    steps->setDuration(1);
    steps->setBeginTime(100);
    m_layer->addAnimation(*steps, "steps");
    at(100.79);
    EXPECT_DOUBLE_EQ(opacityNow(), 0.0);
    at(100.81);
    EXPECT_DOUBLE_EQ(opacityNow(), 0.3);
}

TEST_F(AnimationTest, SpringOvershootsThenSettles) {
    auto spring = SpringAnimation::animationWithKeyPath("position.y");
    spring->setFromValue(0.0);
    spring->setToValue(100.0);
    spring->setDamping(5);  // under-damped
    spring->setDuration(spring->settlingDuration());
    EXPECT_GT(spring->settlingDuration(), 0.5);
    EXPECT_LT(spring->settlingDuration(), 5);
    m_layer->addAnimation(*spring, "drop");

    double highest = 0;
    for (double t = 0; t < spring->settlingDuration(); t += 0.01) {
        at(100 + t);
        highest = std::max(highest, m_layer->presentationLayer()->position().y);
    }
    EXPECT_GT(highest, 110);
    at(100 + spring->settlingDuration() - 0.001);
    EXPECT_NEAR(m_layer->presentationLayer()->position().y, 100, 0.2);

    SpringAnimation critical;
    critical.setDamping(20);  // 2 * sqrt(stiffness * mass): no overshoot
    for (double t = 0; t < 3; t += 0.01)
        EXPECT_LE(critical.springFraction(t), 1 + 1e-9);
    SpringAnimation overdamped;
    overdamped.setDamping(60);
    EXPECT_LT(overdamped.springFraction(0.5), critical.springFraction(0.5));
}

class Recorder : public AnimationDelegate {
  public:
    void animationDidStart(Animation&) override { events.push_back("start"); }
    void animationDidStop(Animation&, bool finished) override {
        events.push_back(finished ? "stop finished" : "stop cut");
    }
    std::vector<std::string> events;
};

TEST_F(AnimationTest, DelegateAndCompletionHearStartThenStopInEndOrder) {
    auto recorder = std::make_shared<Recorder>();
    std::vector<std::string> order;
    auto slow = fade(1, 0, 2);
    slow->setDelegate(recorder);
    slow->setCompletion([&](bool) { order.push_back("slow"); });
    auto quick = fade(1, 0, 1);
    quick->setCompletion([&](bool) { order.push_back("quick"); });
    m_layer->addAnimation(*slow, "slow");
    m_layer->addAnimation(*quick, "");

    RunLoop::main().runPending();
    EXPECT_EQ(recorder->events, std::vector<std::string>{"start"});
    RunLoop::main().runFor(1.5);
    EXPECT_EQ(order, std::vector<std::string>{"quick"});
    RunLoop::main().runFor(1);
    EXPECT_EQ(order, (std::vector<std::string>{"quick", "slow"}));
    EXPECT_EQ(recorder->events, (std::vector<std::string>{"start", "stop finished"}));
    EXPECT_TRUE(m_layer->animationKeys().empty());
}

TEST_F(AnimationTest, RemovalAndReplacementStopUnfinishedOnALaterTurn) {
    std::vector<bool> stops;
    auto first = fade(1, 0, 5);
    first->setCompletion([&](bool finished) { stops.push_back(finished); });
    m_layer->addAnimation(*first, "fade");
    m_layer->addAnimation(*fade(0, 1, 5), "fade");  // replaces the first
    EXPECT_TRUE(stops.empty());
    RunLoop::main().runPending();
    EXPECT_EQ(stops, std::vector<bool>{false});
    EXPECT_EQ(m_layer->animationKeys(), std::vector<std::string>{"fade"});

    m_layer->removeAnimationForKey("fade");
    m_layer->removeAnimationForKey("fade");  // twice is harmless
    EXPECT_EQ(m_layer->animationForKey("fade"), nullptr);
    EXPECT_DOUBLE_EQ(opacityNow(), 1);
}

TEST_F(AnimationTest, KeptAnimationHoldsItsEndWithForwardFill) {
    auto hold = fade(1, 0.25, 1);
    hold->setRemovedOnCompletion(false);
    hold->setFillMode(FillMode::Forwards);
    m_layer->addAnimation(*hold, "hold");
    RunLoop::main().runFor(5);
    EXPECT_DOUBLE_EQ(opacityNow(), 0.25);
    EXPECT_EQ(m_layer->animationKeys(), std::vector<std::string>{"hold"});
}

TEST_F(AnimationTest, RepeatForeverWithAutoreverseNeverEnds) {
    auto pulse = BasicAnimation::animationWithKeyPath("transform.scale");
    pulse->setFromValue(1.2);
    pulse->setToValue(0.8);
    pulse->setDuration(0.5);
    pulse->setAutoreverses(true);
    pulse->setRepeatCount(MediaTiming::kRepeatForever);
    m_layer->addAnimation(*pulse, "OVPulse");
    auto scale = [&] {
        return std::get<double>(*m_layer->presentationLayer()->valueForKeyPath("transform.scale"));
    };
    at(100.25);
    EXPECT_NEAR(scale(), 1.0, 1e-9);
    at(100.75);  // on the way back
    EXPECT_NEAR(scale(), 1.0, 1e-9);
    at(1000.5);
    EXPECT_NEAR(scale(), 0.8, 1e-9);
    RunLoop::main().runFor(10);
    EXPECT_NE(m_layer->animationForKey("OVPulse"), nullptr);
}

TEST_F(AnimationTest, DelayedStartWithBackwardsFillShowsTheFromValue) {
    auto late = fade(0.5, 0, 1);
    late->setBeginTime(102);
    m_layer->addAnimation(*late, "late");
    EXPECT_DOUBLE_EQ(opacityNow(), 1);
    m_layer->removeAllAnimations();
    late->setFillMode(FillMode::Backwards);
    m_layer->addAnimation(*late, "late");
    EXPECT_DOUBLE_EQ(opacityNow(), 0.5);
}

TEST_F(AnimationTest, GroupTimesItsChildrenAndAdditiveAddsUp) {
    m_layer->setPosition({10, 10});
    auto right = BasicAnimation::animationWithKeyPath("position.x");
    right->setFromValue(0.0);
    right->setToValue(100.0);
    right->setDuration(1);
    right->setBeginTime(1);  // one second into the group
    right->setAdditive(true);
    auto group = AnimationGroup::animation();
    group->setAnimations({right});
    group->setDuration(2);
    m_layer->addAnimation(*group, "group");
    at(100.5);
    EXPECT_DOUBLE_EQ(m_layer->presentationLayer()->position().x, 10);
    at(101.5);
    EXPECT_DOUBLE_EQ(m_layer->presentationLayer()->position().x, 60);
}

TEST_F(AnimationTest, StandAloneLayersAnimateImplicitlyAfterTheirFirstTurn) {
    auto fresh = Layer::layer();
    fresh->setOpacity(0);  // same turn as creation: nothing to animate from
    EXPECT_TRUE(fresh->animationKeys().empty());

    m_layer->setOpacity(0);
    m_layer->removeAllAnimations();

    m_layer->setOpacity(1);
    ASSERT_EQ(m_layer->animationKeys(), std::vector<std::string>{"opacity"});
    at(100 + MediaTiming::kDefaultDuration / 2);
    EXPECT_GT(opacityNow(), 0.5);  // the default curve is ahead half way
    EXPECT_LT(opacityNow(), 1);

    auto shape = ShapeLayer::layer();
    shape->setActions({{"strokeEnd", nullptr}});
    RunLoop::main().runPending();
    shape->setStrokeEnd(0.5);
    shape->setLineWidth(3);
    EXPECT_EQ(shape->animationKeys(), std::vector<std::string>{"lineWidth"});

    Transaction::begin();
    Transaction::setDisableActions(true);
    shape->setLineWidth(4);
    Transaction::commit();
    EXPECT_EQ(shape->animationKeys(), std::vector<std::string>{"lineWidth"});
}

TEST_F(AnimationTest, TransactionCompletionWaitsForItsAnimations) {
    RunLoop::main().runPending();
    bool done = false;
    Transaction::begin();
    Transaction::setAnimationDuration(1);
    Transaction::setCompletionBlock([&] { done = true; });
    m_layer->setPosition({50, 50});
    Transaction::commit();
    RunLoop::main().runFor(0.9);
    EXPECT_FALSE(done);
    RunLoop::main().runFor(0.2);
    EXPECT_TRUE(done);

    bool empty = false;
    Transaction::begin();
    Transaction::setCompletionBlock([&] { empty = true; });
    Transaction::commit();
    EXPECT_FALSE(empty);  // never inside the commit
    RunLoop::main().runPending();
    EXPECT_TRUE(empty);
}

TEST(AnimationValueTest, InterpolatesEveryKind) {
    EXPECT_EQ(interpolate(Rect{0, 0, 10, 10}, Rect{10, 20, 30, 40}, 0.5),
              AnimationValue(Rect{5, 10, 20, 25}));
    const auto grey = std::get<Color>(interpolate(Color::blackColor(), Color::whiteColor(), 0.5));
    EXPECT_DOUBLE_EQ(grey.rgba().red, 0.5);
    // A half-way rotation is a rotation, not a squashed matrix.
    const auto half = std::get<Transform3D>(interpolate(
        Transform3D::identity(), Transform3D::makeRotation(std::numbers::pi / 2, 0, 0, 1), 0.5));
    EXPECT_NEAR(std::hypot(half.m11, half.m12), 1, 1e-9);
    EXPECT_EQ(withComponent(Point{1, 2}, "z", 3.0), std::nullopt);
    EXPECT_EQ(withComponent(Point{1, 2}, "y", Size{}), std::nullopt);
}

}  // namespace
}  // namespace ov::ui
