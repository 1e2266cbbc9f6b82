#include <gtest/gtest.h>

#include <vector>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/layers/Layer.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/layers/ShapeLayer.h"

namespace ov::ui {
namespace {

std::vector<Layer*> sublayersOf(const Layer& layer) {
    std::vector<Layer*> list;
    for (const auto& sublayer : layer.sublayers())
        list.push_back(sublayer.get());
    return list;
}

TEST(LayerTreeTest, InsertReplaceAndRemoveKeepOneParent) {
    auto root = Layer::layer(), a = Layer::layer(), b = Layer::layer(), c = Layer::layer();
    root->addSublayer(a);
    root->addSublayer(c);
    root->insertSublayerAbove(b, *a);
    EXPECT_EQ(sublayersOf(*root), (std::vector{a.get(), b.get(), c.get()}));
    a->addSublayer(c);  // moves
    EXPECT_EQ(sublayersOf(*root), (std::vector{a.get(), b.get()}));
    EXPECT_EQ(c->superlayer(), a.get());
    c->addSublayer(root);  // would make a cycle
    EXPECT_EQ(root->superlayer(), nullptr);

    auto d = Layer::layer();
    root->replaceSublayer(*b, d);
    EXPECT_EQ(sublayersOf(*root), (std::vector{a.get(), d.get()}));
    EXPECT_EQ(b->superlayer(), nullptr);

    std::weak_ptr<Layer> watch = d;
    d.reset();
    watch.lock()->removeFromSuperlayer();  // the parent held the last reference
    EXPECT_TRUE(watch.expired());
}

TEST(LayerGeometryTest, AnchorPointPlacesTheFrame) {
    auto layer = Layer::layer();
    layer->setFrame({10, 20, 100, 50});
    EXPECT_EQ(layer->position(), (Point{60, 45}));
    layer->setAnchorPoint({0, 1});
    EXPECT_EQ(layer->frame(), (Rect{60, -5, 100, 50}));  // the position now holds the corner
    layer->setAffineTransform(AffineTransform::makeScale(2, 2));
    EXPECT_EQ(layer->frame(), (Rect{60, -55, 200, 100}));  // grows away from the anchor
    EXPECT_TRUE(layer->containsPoint({99, 49}));
    EXPECT_FALSE(layer->containsPoint({100, 10}));
}

TEST(LayerPresentationTest, CopiesKnowTheirModelAndNothingElse) {
    auto layer = ShapeLayer::layer();
    layer->addSublayer(Layer::layer());
    layer->setLineWidth(3);
    const auto shown = layer->presentationLayer();
    EXPECT_EQ(shown->modelLayer(), layer);
    EXPECT_TRUE(shown->sublayers().empty());
    EXPECT_EQ(std::get<double>(*shown->valueForKeyPath("lineWidth")), 3);
    EXPECT_EQ(layer->modelLayer(), nullptr);
    RunLoop::main().runPending();
}

TEST(TrimmedPathTest, KeepsTheStretchBetweenTheFractions) {
    Path square = Path::bezierPathWithRect({0, 0, 10, 10});  // 40 long, closed
    const Path half = trimmedPath(square, 0.25, 0.75);
    EXPECT_EQ(half.currentPoint(), (Point{0, 10}));
    EXPECT_EQ(half.bounds(), (Rect{0, 0, 10, 10}));
    const Path start = trimmedPath(square, 0, 0.125);
    EXPECT_EQ(start.bounds(), (Rect{0, 0, 5, 0}));
    EXPECT_TRUE(trimmedPath(Path(), 0.2, 0.4).isEmpty());
}

TEST(LayerContentsTest, GravityPlacesTheImage) {
    auto painter = GraphicsContext::bitmap({10, 10}, 1);
    painter->setFillColor(Color::redColor());
    painter->fillRect({0, 0, 10, 10});
    auto layer = Layer::layer();
    layer->setBounds({0, 0, 40, 20});
    layer->setContents(painter->makeImage());
    auto alphaAt = [&](int x, int y) { return renderLayer(*layer, 1)->rgbaAt(x, y)[3]; };
    EXPECT_EQ(alphaAt(5, 5), 255);  // stretched over everything
    layer->setContentsGravity(ContentsGravity::ResizeAspect);
    EXPECT_EQ(alphaAt(5, 10), 0);  // 20 x 20 in the middle
    EXPECT_EQ(alphaAt(20, 10), 255);
    layer->setContentsGravity(ContentsGravity::BottomRight);
    EXPECT_EQ(alphaAt(35, 15), 255);
    EXPECT_EQ(alphaAt(25, 15), 0);
    RunLoop::main().runPending();
}

}  // namespace
}  // namespace ov::ui
