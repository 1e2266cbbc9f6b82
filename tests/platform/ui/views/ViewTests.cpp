#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/views/View.h"
#include "orvane/platform/ui/views/Window.h"

namespace ov::ui {
namespace {

std::shared_ptr<View> makeView(Rect frame) {
    return std::make_shared<View>(frame);
}

void expectNear(Point actual, Point expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

TEST(ViewGeometryTest, FrameBoundsCentreAndTransformStayConsistent) {
    auto view = makeView({10, 20, 100, 50});
    EXPECT_EQ(view->center(), (Point{60, 45}));
    EXPECT_EQ(view->bounds(), (Rect{0, 0, 100, 50}));
    view->setCenter({100, 100});
    EXPECT_EQ(view->frame(), (Rect{50, 75, 100, 50}));

    view->setTransform(AffineTransform::makeScale(2, 2));
    EXPECT_EQ(view->frame(), (Rect{0, 50, 200, 100}));
    EXPECT_EQ(view->bounds().size, (Size{100, 50}));  // transforms leave the bounds alone
    view->setTransform(AffineTransform::makeRotation(std::numbers::pi / 2));
    EXPECT_NEAR(view->frame().width(), 50, 1e-9);
    EXPECT_NEAR(view->frame().height(), 100, 1e-9);
}

TEST(ViewGeometryTest, AutoresizingSharesTheChangeAmongFlexibleParts) {
    auto parent = makeView({0, 0, 300, 200});
    auto stretch = makeView({10, 10, 280, 50});
    stretch->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    auto pinnedRight = makeView({250, 10, 40, 40});
    pinnedRight->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin |
                                     UIViewAutoresizingFlexibleBottomMargin);
    auto centred = makeView({100, 50, 100, 100});
    centred->setAutoresizingMask(
        UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin |
        UIViewAutoresizingFlexibleTopMargin | UIViewAutoresizingFlexibleBottomMargin);
    auto fixed = makeView({5, 5, 10, 10});
    parent->addSubview(stretch);
    parent->addSubview(pinnedRight);
    parent->addSubview(centred);
    parent->addSubview(fixed);

    parent->setFrame({0, 0, 400, 300});
    EXPECT_EQ(stretch->frame(), (Rect{10, 10, 380, 50}));
    EXPECT_EQ(pinnedRight->frame(), (Rect{350, 10, 40, 40}));
    EXPECT_EQ(centred->frame(), (Rect{150, 100, 100, 100}));
    EXPECT_EQ(fixed->frame(), (Rect{5, 5, 10, 10}));

    parent->setAutoresizesSubviews(false);
    parent->setBounds({0, 0, 100, 100});
    EXPECT_EQ(stretch->frame(), (Rect{10, 10, 380, 50}));
}

TEST(ViewTreeTest, SubviewsOrderLayersAndLetGoOfTheirParent) {
    auto parent = makeView({0, 0, 100, 100});
    auto a = makeView({}), b = makeView({}), c = makeView({});
    parent->addSubview(a);
    parent->addSubview(c);
    parent->insertSubviewBelow(b, *c);
    EXPECT_EQ(parent->subviews(), (std::vector{a, b, c}));
    parent->bringSubviewToFront(*a);
    parent->sendSubviewToBack(*c);
    EXPECT_EQ(parent->subviews(), (std::vector{c, b, a}));
    std::vector<Layer*> layers;
    for (const auto& layer : parent->layer().sublayers())
        layers.push_back(layer.get());
    EXPECT_EQ(layers, (std::vector{&c->layer(), &b->layer(), &a->layer()}));

    a->addSubview(parent);  // would make a cycle
    EXPECT_EQ(parent->superview(), nullptr);

    b->setTag(7);
    EXPECT_EQ(parent->viewWithTag(7), b.get());
    EXPECT_EQ(parent->viewWithTag(8), nullptr);

    std::weak_ptr<View> watch = parent;
    parent.reset();
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(a->superview(), nullptr);
}

class HookRecorder : public View {
  public:
    using View::View;
    void willMoveToWindow(Window* window) override {
        events.push_back(window ? "will join window" : "will leave window");
    }
    void didMoveToWindow() override { events.push_back("did move window"); }
    void didMoveToSuperview() override { events.push_back("did move superview"); }
    void layoutSubviews() override { ++layouts; }
    std::vector<std::string> events;
    int layouts = 0;
};

TEST(ViewTreeTest, MoveHooksAndMergedLayoutPasses) {
    auto window = std::make_shared<Window>(Rect{0, 0, 320, 480});
    auto view = std::make_shared<HookRecorder>(Rect{0, 0, 10, 10});
    window->addSubview(view);
    EXPECT_EQ(view->window(), window.get());
    view->removeFromSuperview();
    EXPECT_EQ(view->window(), nullptr);
    EXPECT_EQ(view->events, (std::vector<std::string>{"will join window", "did move superview",
                                                      "did move window", "will leave window",
                                                      "did move superview", "did move window"}));

    view->layoutIfNeeded();
    EXPECT_EQ(view->layouts, 1);
    view->setNeedsLayout();
    view->setNeedsLayout();
    view->setFrame({0, 0, 20, 20});
    RunLoop::main().runPending();
    EXPECT_EQ(view->layouts, 2);
    view->layoutIfNeeded();
    EXPECT_EQ(view->layouts, 2);
}

TEST(ViewHitTestTest, FindsTheFrontmostTouchableViewThroughTransforms) {
    auto root = makeView({0, 0, 300, 300});
    auto back = makeView({0, 0, 300, 300});
    auto front = makeView({100, 100, 100, 100});
    auto child = makeView({0, 0, 50, 50});
    root->addSubview(back);
    root->addSubview(front);
    front->addSubview(child);

    EXPECT_EQ(root->hitTest({120, 120}), child.get());
    EXPECT_EQ(root->hitTest({180, 180}), front.get());
    EXPECT_EQ(root->hitTest({10, 10}), back.get());
    EXPECT_EQ(root->hitTest({-1, 10}), nullptr);

    // Scaled by 2 about its centre (150, 150): it now covers 50 ... 250.
    front->setTransform(AffineTransform::makeScale(2, 2));
    EXPECT_EQ(root->hitTest({60, 60}), child.get());
    EXPECT_EQ(root->hitTest({240, 240}), front.get());

    front->setHidden(true);
    EXPECT_EQ(root->hitTest({60, 60}), back.get());
    front->setHidden(false);
    front->setUserInteractionEnabled(false);
    EXPECT_EQ(root->hitTest({60, 60}), back.get());
    front->setUserInteractionEnabled(true);
    front->setAlpha(0.005);
    EXPECT_EQ(root->hitTest({60, 60}), back.get());
}

TEST(ViewConversionTest, PointsAndRectsCrossTheTreeBothWays) {
    auto root = makeView({0, 0, 400, 400});
    auto a = makeView({50, 50, 200, 200});
    auto b = makeView({10, 20, 100, 100});
    auto other = makeView({300, 0, 50, 50});
    root->addSubview(a);
    a->addSubview(b);
    root->addSubview(other);
    expectNear(b->convertPoint_toView({0, 0}, root.get()), {60, 70});
    expectNear(b->convertPoint_toView({0, 0}, other.get()), {-240, 70});
    expectNear(root->convertPoint_toView({60, 70}, b.get()), {0, 0});
    expectNear(b->convertPoint_fromView({0, 0}, other.get()), {240, -70});
    expectNear(b->convertPoint_toView({0, 0}, nullptr), {60, 70});

    a->layer().setBounds({100, 0, 200, 200});  // scrolled by 100
    expectNear(b->convertPoint_toView({0, 0}, root.get()), {-40, 70});

    a->layer().setBounds({0, 0, 200, 200});
    a->setTransform(AffineTransform::makeRotation(std::numbers::pi / 2));
    // a turns about its centre (150, 150): its top-left corner goes to the top right.
    expectNear(a->convertPoint_toView({0, 0}, root.get()), {250, 50});
    const Rect r = b->convertRect_toView({0, 0, 100, 100}, root.get());
    EXPECT_NEAR(r.width(), 100, 1e-9);
    const Rect back = b->convertRect_fromView(r, root.get());
    EXPECT_NEAR(back.minX(), 0, 1e-9);
    EXPECT_NEAR(back.minY(), 0, 1e-9);
}

TEST(ViewConversionTest, PerspectiveProjectsThroughTheLayers) {
    auto root = makeView({0, 0, 200, 200});
    auto tilted = makeView({50, 50, 100, 100});
    root->addSubview(tilted);
    Transform3D perspective;
    perspective.m34 = -1.0 / 500;
    tilted->layer().setTransform(perspective.rotate(std::numbers::pi / 4, 0, 1, 0));
    const Point corner = tilted->convertPoint_toView({100, 50}, root.get());
    EXPECT_LT(corner.x, 150);  // the turned edge is foreshortened
    expectNear(tilted->convertPoint_fromView(corner, root.get()), {100, 50});
}

TEST(ViewObservationTest, ObserversHearFrameChangesUntilCancelled) {
    auto view = makeView({0, 0, 10, 10});
    std::vector<Rect> frames;
    ObservationToken token =
        view->addObserver("frame", NSKeyValueObservingOptionNew | NSKeyValueObservingOptionOld,
                          [&](const ObservedChange& change) {
                              EXPECT_EQ(std::any_cast<Rect>(change.oldValue), (Rect{0, 0, 10, 10}));
                              frames.push_back(std::any_cast<Rect>(change.newValue));
                          });
    view->setCenter({10, 10});
    view->setCenter({10, 10});  // no change, no news
    EXPECT_EQ(frames, std::vector<Rect>{(Rect{5, 5, 10, 10})});
    token.cancel();
    token.cancel();
    view->setCenter({0, 0});
    EXPECT_EQ(frames.size(), 1u);
}

TEST(ViewObservationTest, AnObserverMayCancelItselfAndOutliveTheObject) {
    auto view = makeView({});
    int heard = 0;
    ObservationToken token;
    token = view->addObserver("alpha", NSKeyValueObservingOptionNew, [&](const ObservedChange&) {
        ++heard;
        token.cancel();
    });
    view->setAlpha(0.5);
    view->setAlpha(0.2);
    EXPECT_EQ(heard, 1);
    ObservationToken late = view->addObserver("alpha", 0, [](const ObservedChange&) {});
    view.reset();
    late.cancel();  // the object is gone: nothing to do
}

}  // namespace
}  // namespace ov::ui
