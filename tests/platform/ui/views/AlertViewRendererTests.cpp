#include <gtest/gtest.h>

#include "ControlTestSupport.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/application/Application.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/views/AlertViewRenderer.h"

namespace ov::ui {
namespace {

class AlertViewRendererTest : public ::testing::Test {
  protected:
    void TearDown() override {
        Application::sharedApplication().clearShownAlerts();
        RunLoop::main().runPending();
    }
};

TEST_F(AlertViewRendererTest, TwoButtonsSitSideBySideWithCancelOnTheLeft) {
    auto alert =
        AlertView::create("Delete?", "This cannot be undone.", nullptr, "Cancel", {"Delete"});
    AlertViewRenderer screen(alert, {0, 0, 320, 480});
    const Rect card = screen.cardRect();
    EXPECT_EQ(card.width(), 270);
    EXPECT_NEAR(card.midY(), 240, 1);
    const Rect cancel = screen.buttonRectAtIndex(0);
    const Rect destroy = screen.buttonRectAtIndex(1);
    EXPECT_LT(cancel.minX(), destroy.minX());
    EXPECT_EQ(cancel.minY(), destroy.minY());
    EXPECT_EQ(destroy.maxY(), card.maxY());
    EXPECT_EQ(screen.buttonIndexAtPoint({destroy.midX(), destroy.midY()}), 1);
    EXPECT_EQ(screen.buttonIndexAtPoint({5, 5}), -1);
    EXPECT_TRUE(screen.buttonRectAtIndex(2).isNull());
}

TEST_F(AlertViewRendererTest, ThreeButtonsStackWithCancelLast) {
    auto alert = AlertView::create("Share", std::nullopt, nullptr, "Cancel", {"Mail", "Copy"});
    AlertViewRenderer screen(alert, {0, 0, 320, 480});
    EXPECT_LT(screen.buttonRectAtIndex(1).minY(), screen.buttonRectAtIndex(2).minY());
    EXPECT_EQ(screen.buttonRectAtIndex(0).maxY(), screen.cardRect().maxY());
}

TEST_F(AlertViewRendererTest, TheLastShownAlertRendersAsACardOverADimmedScreen) {
    EXPECT_EQ(renderLastShownAlert({320, 480}, 1), nullptr);
    auto alert = AlertView::create("Saved", "All done.", nullptr, "OK", {});
    ASSERT_TRUE(alert->show());
    const auto image = renderLastShownAlert({320, 480}, 1);
    ASSERT_TRUE(image);
    const auto dim = test::pixelAt(*image, {5, 5});
    EXPECT_NEAR(dim[3], 102, 2);
    AlertViewRenderer screen(alert, {0, 0, 320, 480});
    const Rect card = screen.cardRect();
    const Rect ink = test::inkBox(*image, [](test::Pixel p) { return p[3] == 255 && p[0] < 100; });
    ASSERT_FALSE(ink.isNull());
    EXPECT_TRUE(card.contains(ink));  // the title and message are drawn on the card
    const Rect button = screen.buttonRectAtIndex(0);
    const Rect blue = test::inkBox(*image, [](test::Pixel p) { return p[2] > 200 && p[0] < 120; });
    EXPECT_TRUE(button.contains(blue));
}

}  // namespace
}  // namespace ov::ui
