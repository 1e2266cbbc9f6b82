#include <gtest/gtest.h>

#include "ControlTestSupport.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/views/ImageView.h"
#include "support/ManualClockScope.h"

namespace ov::ui {
namespace {

using test::Pixel;

class ImageViewTest : public ::testing::Test {
  protected:
    void TearDown() override { RunLoop::main().runPending(); }
    ov::test::ManualClockScope m_time{50.0};
};

TEST_F(ImageViewTest, ContentModesPlaceTheImage) {
    const Rect box{0, 0, 100, 50};
    const Size wide{40, 10};
    EXPECT_EQ(rectForContentMode(UIViewContentModeScaleToFill, box, wide), box);
    EXPECT_EQ(rectForContentMode(UIViewContentModeScaleAspectFit, box, wide),
              (Rect{0, 12.5, 100, 25}));
    EXPECT_EQ(rectForContentMode(UIViewContentModeScaleAspectFill, box, wide),
              (Rect{-50, 0, 200, 50}));
    EXPECT_EQ(rectForContentMode(UIViewContentModeCenter, box, wide), (Rect{30, 20, 40, 10}));
    EXPECT_EQ(rectForContentMode(UIViewContentModeBottomRight, box, wide), (Rect{60, 40, 40, 10}));
}

TEST_F(ImageViewTest, SizedByItsImage) {
    auto view = std::make_shared<ImageView>(test::solidImage({30, 20}, Color::redColor()));
    EXPECT_EQ(view->frame(), (Rect{0, 0, 30, 20}));
    EXPECT_EQ(view->intrinsicContentSize(), (Size{30, 20}));
    view->setImage(nullptr);
    EXPECT_EQ(view->intrinsicContentSize(),
              (Size{UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric}));
}

TEST_F(ImageViewTest, AnimationFramesFollowTheClockAndStopAfterTheRepeats) {
    const auto red = test::solidImage({4, 4}, Color::redColor());
    const auto green = test::solidImage({4, 4}, Color::greenColor());
    const auto blue = test::solidImage({4, 4}, Color::blueColor());
    auto view = std::make_shared<ImageView>(red);
    view->setAnimationImages({green, blue});
    view->setAnimationDuration(1.0);
    view->setAnimationRepeatCount(2);
    view->startAnimating();
    EXPECT_EQ(view->displayedImage(), green);
    RunLoop::main().runFor(0.6);
    EXPECT_EQ(view->displayedImage(), blue);
    RunLoop::main().runFor(0.5);  // second round
    EXPECT_EQ(view->displayedImage(), green);
    RunLoop::main().runFor(1.0);
    EXPECT_FALSE(view->isAnimating());
    EXPECT_EQ(view->displayedImage(), red);
}

TEST_F(ImageViewTest, TemplateImagesAreDrawnInTheTint) {
    const auto shape = test::solidImage({10, 10}, Color::blackColor())
                           ->imageWithRenderingMode(Image::RenderingMode::AlwaysTemplate);
    auto view = std::make_shared<ImageView>(shape);
    view->setTintColor(Color::greenColor());
    EXPECT_EQ(test::pixelAt(*renderToImage(*view, 1), {5, 5}), (Pixel{0, 255, 0, 255}));
    view->setHighlightedImage(test::solidImage({10, 10}, Color::redColor()));
    view->setHighlighted(true);
    EXPECT_EQ(test::pixelAt(*renderToImage(*view, 1), {5, 5}), (Pixel{255, 0, 0, 255}));
}

}  // namespace
}  // namespace ov::ui
