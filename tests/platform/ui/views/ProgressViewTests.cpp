#include <gtest/gtest.h>

#include "ControlTestSupport.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/views/ProgressView.h"
#include "support/ManualClockScope.h"

namespace ov::ui {
namespace {

class ProgressViewTest : public ::testing::Test {
  protected:
    void TearDown() override { RunLoop::main().runPending(); }
    ov::test::ManualClockScope m_time{10.0};
};

TEST_F(ProgressViewTest, FillsItsShareInTheTintOverTheTrack) {
    auto bar = std::make_shared<ProgressView>(Rect{0, 0, 100, 4});
    bar->setProgressTintColor(Color::redColor());
    bar->setTrackTintColor(Color::blueColor());
    bar->setProgress(1.7f);
    EXPECT_EQ(bar->progress(), 1.0f);
    bar->setProgress(0.3f);
    const auto image = renderToImage(*bar, 1);
    EXPECT_EQ(test::pixelAt(*image, {10, 2}), (test::Pixel{255, 0, 0, 255}));
    EXPECT_EQ(test::pixelAt(*image, {50, 2}), (test::Pixel{0, 0, 255, 255}));
}

TEST_F(ProgressViewTest, AnimatedChangesSlideOverAQuarterSecond) {
    auto bar = std::make_shared<ProgressView>(Rect{0, 0, 100, 4});
    bar->setProgress(1.0f, true);
    const auto& fill = *bar->subviews().front();
    EXPECT_EQ(fill.frame().width(), 100);  // the model is there at once
    m_time.clock().advance(0.125);
    const double halfway = fill.layer().presentationLayer()->bounds().width();
    EXPECT_GT(halfway, 10);
    EXPECT_LT(halfway, 90);
}

}  // namespace
}  // namespace ov::ui
