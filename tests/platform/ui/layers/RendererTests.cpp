#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <numbers>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/layers/GradientLayer.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/layers/ShapeLayer.h"
#include "orvane/platform/ui/views/View.h"
#include "support/FileSizeLimitScope.h"
#include "support/ManualClockScope.h"
#include "support/TemporaryDirectory.h"

namespace ov::ui {
namespace {

using Pixel = std::array<uint8_t, 4>;

// Within 3 of each channel: edges and blending round a little differently.
void expectPixel(const Image& image, Point point, Pixel expected) {
    const auto actual = image.rgbaAt(static_cast<int>(point.x * image.scale()),
                                     static_cast<int>(point.y * image.scale()));
    for (size_t c = 0; c < 4; ++c) {
        EXPECT_NEAR(actual[c], expected[c], 3)
            << "channel " << c << " at (" << point.x << ", " << point.y << ")";
    }
}

uint8_t alphaAt(const Image& image, Point point) {
    return image.rgbaAt(static_cast<int>(point.x * image.scale()),
                        static_cast<int>(point.y * image.scale()))[3];
}

constexpr Pixel kClear{0, 0, 0, 0};
constexpr Pixel kRed{255, 0, 0, 255};
constexpr Pixel kBlue{0, 0, 255, 255};
constexpr Pixel kWhite{255, 255, 255, 255};

class RendererTest : public ::testing::Test {
  protected:
    void TearDown() override { RunLoop::main().runPending(); }

    test::ManualClockScope m_time{0.0};
    std::shared_ptr<View> m_root = std::make_shared<View>(Rect{0, 0, 100, 100});
};

TEST_F(RendererTest, RoundedCornersBordersAndClippingShowInThePixels) {
    auto card = std::make_shared<View>(Rect{10, 10, 80, 80});
    card->setBackgroundColor(Color::redColor());
    card->layer().setCornerRadius(20);
    card->layer().setBorderWidth(4);
    card->layer().setBorderColor(Color::blueColor());
    card->setClipsToBounds(true);
    auto overflow = std::make_shared<View>(Rect{40, 40, 100, 100});
    overflow->setBackgroundColor(Color::whiteColor());
    card->addSubview(overflow);
    m_root->addSubview(card);

    const auto image = renderToImage(*m_root, 2);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelWidth(), 200);
    expectPixel(*image, {12, 12}, kClear);  // cut off by the rounded corner
    expectPixel(*image, {30, 30}, kRed);
    expectPixel(*image, {50, 11}, kBlue);  // the border lies over the content
    expectPixel(*image, {70, 70}, kWhite);
    expectPixel(*image, {95, 95}, kClear);  // the subview is clipped
}

TEST_F(RendererTest, OpacityComposesDownTheTree) {
    auto outer = std::make_shared<View>(Rect{0, 0, 100, 100});
    outer->setAlpha(0.5);
    auto inner = std::make_shared<View>(Rect{0, 0, 50, 100});
    inner->setBackgroundColor(Color::redColor());
    inner->setAlpha(0.5);
    outer->addSubview(inner);
    m_root->addSubview(outer);
    const auto image = renderToImage(*m_root, 1);
    EXPECT_NEAR(alphaAt(*image, {25, 50}), 64, 2);
    m_root->setHidden(true);
    EXPECT_EQ(alphaAt(*renderToImage(*m_root, 1), {25, 50}), 0);
}

TEST_F(RendererTest, RotatedViewTurnsItsPixels) {
    auto bar = std::make_shared<View>(Rect{0, 40, 100, 20});
    bar->setBackgroundColor(Color::blueColor());
    m_root->addSubview(bar);
    auto flat = renderToImage(*m_root, 1);
    expectPixel(*flat, {10, 50}, kBlue);
    expectPixel(*flat, {50, 10}, kClear);

    bar->setTransform(AffineTransform::makeRotation(std::numbers::pi / 2));
    const auto turned = renderToImage(*m_root, 1);
    expectPixel(*turned, {10, 50}, kClear);
    expectPixel(*turned, {50, 10}, kBlue);
}

TEST_F(RendererTest, PerspectiveNarrowsATiltedLayer) {
    auto plane = std::make_shared<View>(Rect{10, 10, 80, 80});
    plane->setBackgroundColor(Color::redColor());
    Transform3D perspective;
    perspective.m34 = -1.0 / 200;
    plane->layer().setTransform(perspective.rotate(std::numbers::pi / 3, 0, 1, 0));
    m_root->addSubview(plane);
    const auto image = renderToImage(*m_root, 1);
    expectPixel(*image, {50, 50}, kRed);
    expectPixel(*image, {12, 50}, kClear);
    expectPixel(*image, {88, 50}, kClear);
}

TEST_F(RendererTest, ShadowFallsBelowTheLayerByItsOffset) {
    auto box = std::make_shared<View>(Rect{20, 20, 40, 40});
    box->setBackgroundColor(Color::whiteColor());
    box->layer().setShadowOpacity(1);
    box->layer().setShadowOffset({10, 10});
    box->layer().setShadowRadius(1);
    m_root->addSubview(box);
    const auto image = renderToImage(*m_root, 1);
    expectPixel(*image, {40, 40}, kWhite);
    expectPixel(*image, {65, 65}, {0, 0, 0, 255});  // the shadow, black
    expectPixel(*image, {15, 15}, kClear);          // nothing on the other side
}

TEST_F(RendererTest, MaskLayerCutsOutByItsAlpha) {
    m_root->setBackgroundColor(Color::redColor());
    auto circle = ShapeLayer::layer();
    circle->setFrame({0, 0, 100, 100});
    circle->setPath(Path::bezierPathWithOvalInRect({0, 0, 100, 100}));
    m_root->layer().setMask(circle);
    const auto image = renderToImage(*m_root, 1);
    expectPixel(*image, {50, 50}, kRed);
    expectPixel(*image, {3, 3}, kClear);
}

TEST_F(RendererTest, ShapeStrokeEndAndGradientEnds) {
    auto line = ShapeLayer::layer();
    line->setFrame({0, 0, 100, 100});
    Path path;
    path.moveToPoint({0, 10});
    path.addLineToPoint({100, 10});
    line->setPath(path);
    line->setStrokeColor(Color::blueColor());
    line->setLineWidth(4);
    line->setStrokeEnd(0.5);
    m_root->layer().addSublayer(line);

    auto gradient = GradientLayer::layer();
    gradient->setFrame({0, 50, 100, 50});
    gradient->setColors({Color::redColor(), Color::blueColor()});
    gradient->setStartPoint({0, 0.5});
    gradient->setEndPoint({1, 0.5});
    m_root->layer().addSublayer(gradient);

    const auto image = renderToImage(*m_root, 1);
    expectPixel(*image, {25, 10}, kBlue);
    expectPixel(*image, {75, 10}, kClear);
    EXPECT_GT(image->rgbaAt(1, 75)[0], 240);
    EXPECT_GT(image->rgbaAt(98, 75)[2], 240);
}

TEST_F(RendererTest, DrawRectRunsAgainWhenMarked) {
    class Swatch : public View {
      public:
        using View::View;
        void drawRect(GraphicsContext& context, const Rect& rect) override {
            ++draws;
            context.setFillColor(color);
            context.fillRect(rect);
        }
        Color color = Color::redColor();
        int draws = 0;
    };
    auto swatch = std::make_shared<Swatch>(Rect{0, 0, 50, 50});
    m_root->addSubview(swatch);
    expectPixel(*renderToImage(*m_root, 1), {25, 25}, kRed);
    renderToImage(*m_root, 1);
    EXPECT_EQ(swatch->draws, 1);  // kept between renders
    swatch->color = Color::blueColor();
    swatch->setNeedsDisplay();
    expectPixel(*renderToImage(*m_root, 1), {25, 25}, kBlue);
    renderToImage(*m_root, 2);  // another scale draws again
    EXPECT_EQ(swatch->draws, 3);
}

TEST_F(RendererTest, RendersThePresentationAtTheClockTime) {
    RunLoop::main().runPending();
    auto box = std::make_shared<View>(Rect{0, 0, 100, 100});
    box->setBackgroundColor(Color::redColor());
    m_root->addSubview(box);
    View::animateWithDuration(1.0, 0, UIViewAnimationOptionCurveLinear, [&] {
        box->setAlpha(0);
        box->setCenter({150, 50});
    });
    m_time.clock().setNow(0.5);
    const auto image = renderToImage(*m_root, 1);
    EXPECT_NEAR(alphaAt(*image, {60, 50}), 128, 2);
    expectPixel(*image, {40, 50}, kClear);  // moved right by 50
}

TEST_F(RendererTest, TransitionCrossFadesTheOldLookIntoTheNew) {
    m_root->setBackgroundColor(Color::redColor());
    View::transitionWithView(
        *m_root, 1.0,
        UIViewAnimationOptionTransitionCrossDissolve | UIViewAnimationOptionCurveLinear,
        [&] { m_root->setBackgroundColor(Color::blueColor()); });
    EXPECT_EQ(m_root->backgroundColor(), Color::blueColor());
    m_time.clock().setNow(0.5);
    expectPixel(*renderToImage(*m_root, 1), {50, 50}, {128, 0, 128, 255});
    m_time.clock().setNow(2);
    expectPixel(*renderToImage(*m_root, 1), {50, 50}, kBlue);
}

TEST_F(RendererTest, WritesAPngThatReadsBackTheSame) {
    m_root->setBackgroundColor(Color::colorWithRed(0.2, 0.4, 0.6, 1));
    const auto image = renderToImage(*m_root, 1);
    test::TemporaryDirectory folder;
    const std::string path = folder.file("picture.png").toUtf8();
    ASSERT_TRUE(writePNG(*image, path));
    const auto back = Image::imageWithContentsOfFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->rgbaAt(50, 50), image->rgbaAt(50, 50));

    Error error(NSCocoaErrorDomain, 0);
    EXPECT_FALSE(writePNG(*image, "/no/such/folder/x.png", &error));
    EXPECT_NE(error.localizedDescription().toUtf8().find("No such file"), std::string::npos);
}

TEST_F(RendererTest, APngThatDoesNotFitLeavesTheOldPicture) {
    test::TemporaryDirectory folder;
    const std::string path = folder.file("picture.png").toUtf8();
    m_root->setBackgroundColor(Color::redColor());
    ASSERT_TRUE(writePNG(*renderToImage(*m_root, 1), path));
    const auto written = std::filesystem::file_size(path);

    m_root->setBackgroundColor(Color::blueColor());
    {
        test::FileSizeLimitScope full(written - 1);
        EXPECT_FALSE(writePNG(*renderToImage(*m_root, 2), path));
    }
    const auto back = Image::imageWithContentsOfFile(path);
    ASSERT_TRUE(back);
    expectPixel(*back, {50, 50}, kRed);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path().toUtf8()), {}), 1);
}

}  // namespace
}  // namespace ov::ui
