#include <gtest/gtest.h>

#include <numbers>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/drawing/ImageDrawing.h"
#include "orvane/platform/ui/text/Font.h"

namespace ov::ui {
namespace {

using Rgba = std::array<uint8_t, 4>;
constexpr double kPi = std::numbers::pi;

class GraphicsContextTest : public ::testing::Test {
  protected:
    // A 40 x 40 point context at scale 1 unless a test makes its own.
    std::unique_ptr<GraphicsContext> context = GraphicsContext::bitmap({40, 40});

    Rgba pixel(int x, int y) const { return context->makeImage()->rgbaAt(x, y); }
};

void expectColor(Rgba actual, Rgba expected, int tolerance = 2) {
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "channel " << i;
}

TEST_F(GraphicsContextTest, BitmapsHaveScaledPixelsAndRefuseImpossibleSizes) {
    auto retina = GraphicsContext::bitmap({10.5, 3}, 2);
    ASSERT_TRUE(retina);
    EXPECT_EQ(retina->pixelWidth(), 21);
    EXPECT_EQ(retina->pixelHeight(), 6);
    retina->setFillColor(Color::redColor());
    retina->fillRect({0, 0, 1, 1});
    const auto image = retina->makeImage();
    EXPECT_EQ(image->scale(), 2);
    EXPECT_EQ(image->rgbaAt(1, 1), (Rgba{255, 0, 0, 255}));  // one point is two pixels
    EXPECT_EQ(image->rgbaAt(2, 2), (Rgba{0, 0, 0, 0}));
    EXPECT_FALSE(GraphicsContext::bitmap({0, 10}));
    EXPECT_FALSE(GraphicsContext::bitmap({10, 10}, 0));
    EXPECT_FALSE(GraphicsContext::bitmap({1e6, 10}));
    EXPECT_FALSE(GraphicsContext::bitmap({std::nan(""), 10}));
    EXPECT_EQ(GraphicsContext::bitmap({2, 2}, 1, true)->makeImage()->rgbaAt(0, 0),
              (Rgba{0, 0, 0, 255}));
}

TEST_F(GraphicsContextTest, TakenImagesKeepTheirPixelsAndEndTheDrawing) {
    context->setFillColor(Color::redColor());
    context->fillRect({0, 0, 20, 40});
    const auto copy = context->makeImage();
    const auto taken = context->takeImage();
    ASSERT_TRUE(taken);
    EXPECT_EQ(*taken->pixels(), *copy->pixels());
    context->fillRect({20, 0, 20, 40});  // refused: the pixels belong to the image now
    EXPECT_EQ(taken->rgbaAt(30, 10), (Rgba{0, 0, 0, 0}));
    EXPECT_FALSE(context->takeImage());
    EXPECT_FALSE(context->makeImage());
}

TEST_F(GraphicsContextTest, FillsClipsAndStateRestore) {
    context->setFillColor(Color::colorWithRed(0, 0, 1, 1));
    context->fillRect({0, 0, 40, 40});
    context->saveGState();
    context->clipToRect({10, 10, 10, 10});
    context->setFillColor(Color::greenColor());
    context->fillRect({0, 0, 40, 40});
    context->restoreGState();
    context->fillRect({30, 30, 10, 10});  // blue again, unclipped
    expectColor(pixel(15, 15), {0, 255, 0, 255});
    expectColor(pixel(5, 5), {0, 0, 255, 255});
    expectColor(pixel(35, 35), {0, 0, 255, 255});
    context->restoreGState();  // unbalanced: nothing happens
    EXPECT_EQ(context->getClipBoundingBox(), (Rect{0, 0, 40, 40}));
}

TEST_F(GraphicsContextTest, FillRulesDecideTheHoleOfNestedShapes) {
    Path rings = Path::bezierPathWithRect({0, 0, 20, 20});
    rings.addRect({5, 5, 10, 10});
    context->setFillColor(Color::blackColor());
    context->fillPath(rings, FillRule::EvenOdd);
    EXPECT_EQ(pixel(10, 10)[3], 0);
    EXPECT_EQ(pixel(2, 2)[3], 255);
    context->fillPath(rings, FillRule::NonZero);
    EXPECT_EQ(pixel(10, 10)[3], 255);
    EXPECT_TRUE(rings.containsPoint({10, 10}));
    EXPECT_FALSE(rings.containsPoint({10, 10}, FillRule::EvenOdd));
}

TEST_F(GraphicsContextTest, TheCurrentPathKeepsTheTransformItWasBuiltWith) {
    context->translateCTM(20, 0);
    context->addRect({0, 0, 10, 10});
    context->translateCTM(-20, 0);  // too late to move the rectangle
    context->setFillColor(Color::redColor());
    context->fillPath();
    EXPECT_EQ(pixel(25, 5)[3], 255);
    EXPECT_EQ(pixel(5, 5)[3], 0);
    EXPECT_TRUE(context->isPathEmpty());
    EXPECT_TRUE(context->getCTM().isIdentity());
}

TEST_F(GraphicsContextTest, ArcFlagsFollowCoreGraphicsAndPathsFollowTheScreen) {
    // Flag 0: angles grow, so 0 to pi/2 sweeps through the lower right quarter (y down).
    context->moveToPoint({20, 20});
    context->addArc({20, 20}, 15, 0, kPi / 2, 0);
    context->closePath();
    context->fillPath();
    EXPECT_EQ(pixel(28, 28)[3], 255);
    EXPECT_EQ(pixel(28, 12)[3], 0);

    auto other = GraphicsContext::bitmap({40, 40});
    other->moveToPoint({20, 20});
    other->addArc({20, 20}, 15, 0, kPi / 2, 1);  // falling angles: the other three quarters
    other->closePath();
    other->fillPath();
    EXPECT_EQ(other->makeImage()->rgbaAt(28, 28)[3], 0);
    EXPECT_EQ(other->makeImage()->rgbaAt(28, 12)[3], 255);

    Path clockwise = Path::bezierPathWithArcCenter({20, 20}, 15, -kPi / 2, 0, Path::Clockwise);
    clockwise.addLineToPoint({20, 20});
    EXPECT_TRUE(clockwise.containsPoint({26, 14}));  // upper right on screen
    EXPECT_FALSE(clockwise.containsPoint({14, 26}));
}

TEST_F(GraphicsContextTest, StrokesUseWidthCapsAndDashes) {
    context->setStrokeColor(Color::blackColor());
    context->setLineWidth(4);
    context->setLineCap(LineCap::Square);
    context->strokePath([] {
        Path line;
        line.moveToPoint({10, 10});
        line.addLineToPoint({30, 10});
        return line;
    }());
    EXPECT_EQ(pixel(20, 9)[3], 255);
    EXPECT_EQ(pixel(9, 10)[3], 255);  // square cap reaches past the end
    EXPECT_EQ(pixel(20, 14)[3], 0);

    context->setLineCap(LineCap::Butt);
    context->setLineDash(0, {5, 5});
    context->moveToPoint({0, 30});
    context->addLineToPoint({40, 30});
    context->strokePath();
    EXPECT_EQ(pixel(2, 30)[3], 255);
    EXPECT_EQ(pixel(7, 30)[3], 0);
    context->setLineDash(0, {0, 0});  // all zero: solid
    context->moveToPoint({0, 36});
    context->addLineToPoint({40, 36});
    context->strokePath();
    EXPECT_EQ(pixel(7, 36)[3], 255);
}

TEST_F(GraphicsContextTest, LinearGradientEndsAndExtensions) {
    const auto gradient = Gradient::withColors({Color::redColor(), Color::blueColor()});
    ASSERT_TRUE(gradient);
    context->drawLinearGradient(*gradient, {10, 0}, {30, 0}, 0);
    expectColor(pixel(10, 5), {255, 0, 0, 255}, 16);
    expectColor(pixel(29, 5), {0, 0, 255, 255}, 16);
    EXPECT_EQ(pixel(5, 5)[3], 0);  // nothing before the start
    EXPECT_EQ(pixel(35, 5)[3], 0);

    auto before = GraphicsContext::bitmap({40, 40});
    before->drawLinearGradient(*gradient, {10, 0}, {30, 0}, kCGGradientDrawsBeforeStartLocation);
    expectColor(before->makeImage()->rgbaAt(2, 5), {255, 0, 0, 255});
    EXPECT_EQ(before->makeImage()->rgbaAt(35, 5)[3], 0);

    auto both = GraphicsContext::bitmap({40, 40});
    both->clipToRect({0, 0, 40, 20});  // gradients fill the clip only
    both->drawLinearGradient(
        *gradient, {10, 0}, {30, 0},
        kCGGradientDrawsBeforeStartLocation | kCGGradientDrawsAfterEndLocation);
    expectColor(both->makeImage()->rgbaAt(2, 5), {255, 0, 0, 255});
    expectColor(both->makeImage()->rgbaAt(38, 5), {0, 0, 255, 255});
    EXPECT_EQ(both->makeImage()->rgbaAt(38, 30)[3], 0);
}

TEST_F(GraphicsContextTest, GradientStopsFollowTheirLocations) {
    EXPECT_FALSE(Gradient::withColors({}));
    EXPECT_FALSE(Gradient::withColors({Color::redColor()}, {0, 1}));
    EXPECT_FALSE(Gradient::withColorComponents({1, 0, 0}));
    const auto stops = Gradient::withColorComponents({0, 0, 1, 1, 1, 0, 0, 1}, {0.8, 0.2});
    ASSERT_TRUE(stops);
    EXPECT_EQ(stops->stops()[0].location, 0.2);
    EXPECT_EQ(stops->stops()[0].color.red, 1);
    context->drawLinearGradient(
        *stops, {0, 0}, {40, 0},
        kCGGradientDrawsBeforeStartLocation | kCGGradientDrawsAfterEndLocation);
    expectColor(pixel(4, 5), {255, 0, 0, 255});  // red up to 0.2
    expectColor(pixel(36, 5), {0, 0, 255, 255});

    auto radial = GraphicsContext::bitmap({40, 40});
    radial->drawRadialGradient(*Gradient::withColors({Color::whiteColor(), Color::blackColor()}),
                               {20, 20}, 0, {20, 20}, 10, 0);
    expectColor(radial->makeImage()->rgbaAt(20, 20), {255, 255, 255, 255}, 30);
    EXPECT_EQ(radial->makeImage()->rgbaAt(2, 2)[3], 0);
}

TEST_F(GraphicsContextTest, ClearAndCopyReplaceWhatIsUnderneath) {
    context->setFillColor(Color::redColor());
    context->fillRect({0, 0, 40, 40});
    context->setBlendMode(BlendMode::Clear);
    context->fillRect({0, 0, 10, 10});
    EXPECT_EQ(pixel(5, 5), (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(pixel(15, 15), (Rgba{255, 0, 0, 255}));  // only the shape is cleared

    context->setBlendMode(BlendMode::Copy);
    context->setFillColor(Color::blueColor().colorWithAlphaComponent(0.5));
    context->fillRect({10, 10, 10, 10});
    expectColor(pixel(15, 15), {0, 0, 255, 128});  // replaced, not blended over red
    EXPECT_EQ(pixel(25, 25), (Rgba{255, 0, 0, 255}));

    context->setBlendMode(BlendMode::Multiply);
    context->setFillColor(Color::colorWithRed(0.5, 1, 1, 1));
    context->fillRect({30, 30, 10, 10});
    expectColor(pixel(35, 35), {128, 0, 0, 255});
    context->setBlendMode(BlendMode::Normal);
    context->clearRect({30, 0, 10, 10});
    EXPECT_EQ(pixel(35, 5)[3], 0);
}

TEST_F(GraphicsContextTest, ShadowsAreOffsetInScreenSpaceAndEndWithTheState) {
    context->saveGState();
    context->setShadowWithColor({6, 6}, 0, Color::blackColor());
    context->rotateCTM(0);  // the transform does not turn the offset
    context->setFillColor(Color::redColor());
    context->fillRect({5, 5, 10, 10});
    context->restoreGState();
    context->setFillColor(Color::greenColor());
    context->fillRect({25, 5, 5, 5});  // no shadow any more
    expectColor(pixel(10, 10), {255, 0, 0, 255});
    expectColor(pixel(18, 18), {0, 0, 0, 255});  // shadow only
    EXPECT_EQ(pixel(3, 3)[3], 0);
    EXPECT_EQ(pixel(32, 12)[3], 0);

    auto blurred = GraphicsContext::bitmap({40, 40}, 2);
    blurred->translateCTM(10, 0);
    blurred->setShadow({0, 8}, 4);
    blurred->fillRect({0, 0, 10, 10});
    const auto image = blurred->makeImage();
    const int under = image->rgbaAt(30, 30)[3];  // point (15, 15): in the offset shadow
    EXPECT_GT(under, 40);
    EXPECT_LT(under, 100);                       // black at a third, softened
    EXPECT_LT(image->rgbaAt(30, 41)[3], under);  // the blurred edge fades
    EXPECT_EQ(image->rgbaAt(4, 4)[3], 0);
}

TEST_F(GraphicsContextTest, TransparencyLayersCompositeOnceWithTheirAlpha) {
    context->setAlpha(0.5);
    context->beginTransparencyLayer();
    context->setFillColor(Color::redColor());
    context->fillRect({0, 0, 20, 20});
    context->fillRect({10, 10, 20, 20});  // overlap stays one layer of red
    context->endTransparencyLayer();
    expectColor(pixel(15, 15), {255, 0, 0, 128});
    expectColor(pixel(5, 5), {255, 0, 0, 128});
    context->endTransparencyLayer();  // nothing open: nothing happens

    auto limited = GraphicsContext::bitmap({40, 40});
    limited->beginTransparencyLayerWithRect({0, 0, 10, 40});
    limited->saveGState();  // left open: closed with the layer
    limited->fillRect({0, 0, 40, 40});
    limited->endTransparencyLayer();
    EXPECT_EQ(limited->makeImage()->rgbaAt(5, 5)[3], 255);
    EXPECT_EQ(limited->makeImage()->rgbaAt(20, 5)[3], 0);
    limited->fillRect({30, 30, 5, 5});  // the clip ended with the layer
    EXPECT_EQ(limited->makeImage()->rgbaAt(32, 32)[3], 255);
}

TEST_F(GraphicsContextTest, ImagesDrawUprightAndScaled) {
    auto source = GraphicsContext::bitmap({2, 2});
    source->setFillColor(Color::redColor());
    source->fillRect({0, 0, 2, 1});  // red top row
    source->setFillColor(Color::blueColor());
    source->fillRect({0, 1, 2, 1});
    const auto image = source->makeImage();
    context->drawImage(*image, {0, 0, 20, 20});
    expectColor(pixel(10, 2), {255, 0, 0, 255});
    expectColor(pixel(10, 17), {0, 0, 255, 255});
    EXPECT_EQ(pixel(25, 25)[3], 0);

    const auto tinted =
        imageWithTintColor(*image, Color::greenColor().colorWithAlphaComponent(0.5));
    expectColor(tinted->rgbaAt(0, 0), {0, 255, 0, 128});
    EXPECT_EQ(image->imageWithRenderingMode(Image::RenderingMode::AlwaysTemplate)->renderingMode(),
              Image::RenderingMode::AlwaysTemplate);

    const auto decoded = Image::imageWithData(UIImagePNGRepresentation(*image));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->rgbaAt(1, 1), (Rgba{0, 0, 255, 255}));
}

TEST_F(GraphicsContextTest, TextIsDrawnWhereItIsMeasured) {
    const AttributedString text("Hello",
                                {{NSFontAttributeName, Font::boldSystemFontOfSize(20).toValue()},
                                 {NSForegroundColorAttributeName, Color::redColor().toValue()}});
    auto wide = GraphicsContext::bitmap({120, 40});
    wide->drawText(text, Point{10, 5});
    const auto image = wide->makeImage();
    const Size size = text.size();
    int inked = 0, outside = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (image->rgbaAt(x, y)[3] == 0) continue;
            const bool inBox = x >= 10 && x <= 10 + size.width && y >= 5 && y <= 5 + size.height;
            (inBox ? inked : outside)++;
            if (inBox && image->rgbaAt(x, y)[3] == 255) {
                EXPECT_EQ(image->rgbaAt(x, y)[0], 255);
            }
        }
    }
    EXPECT_GT(inked, 50);
    EXPECT_EQ(outside, 0);

    // In a rectangle: wrapped and clipped to it.
    auto boxed = GraphicsContext::bitmap({60, 60});
    boxed->setFillColor(Color::blueColor());
    boxed->drawText(AttributedString("wrap these words please",
                                     {{kCTForegroundColorFromContextAttributeName, Value(true)}}),
                    Rect{0, 0, 60, 20});
    const auto boxedImage = boxed->makeImage();
    bool blue = false;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            const Rgba p = boxedImage->rgbaAt(x, y);
            if (p[3] == 0) continue;
            EXPECT_LT(y, 20);
            blue = blue || (p[3] == 255 && p[2] == 255);
        }
    }
    EXPECT_TRUE(blue);  // the context's colour
}

TEST(UIGraphicsTest, ImageContextsStackPerThread) {
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    EXPECT_EQ(UIGraphicsGetImageFromCurrentImageContext(), nullptr);
    UIGraphicsBeginImageContextWithOptions({10, 10}, false, 3);
    GraphicsContext* outer = UIGraphicsGetCurrentContext();
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->scale(), 3);
    auto mine = GraphicsContext::bitmap({5, 5});
    UIGraphicsPushContext(*mine);
    drawAtPoint("x", {0, 0}, {});
    EXPECT_EQ(UIGraphicsGetCurrentContext(), mine.get());
    UIGraphicsEndImageContext();  // not an image context on top: nothing
    EXPECT_EQ(UIGraphicsGetCurrentContext(), mine.get());
    UIGraphicsPopContext();
    outer->setFillColor(Color::redColor());
    outer->fillRect({0, 0, 10, 10});
    const auto image = UIGraphicsGetImageFromCurrentImageContext();
    EXPECT_EQ(image->pixelWidth(), 30);
    EXPECT_EQ(image->rgbaAt(0, 0), (Rgba{255, 0, 0, 255}));
    UIGraphicsEndImageContext();
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    UIGraphicsBeginImageContextWithOptions({0, 10}, false, 1);  // impossible: nothing pushed
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
}

}  // namespace
}  // namespace ov::ui
