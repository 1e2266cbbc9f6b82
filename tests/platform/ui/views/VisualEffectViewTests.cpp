#include <gtest/gtest.h>

#include "ControlTestSupport.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/views/VisualEffectView.h"

namespace ov::ui {
namespace {

class VisualEffectViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_root->setBackgroundColor(Color::whiteColor());
        auto red = std::make_shared<View>(Rect{0, 0, 50, 100});
        red->setBackgroundColor(Color::redColor());
        m_root->addSubview(red);
    }
    void TearDown() override { RunLoop::main().runPending(); }

    std::shared_ptr<View> m_root = std::make_shared<View>(Rect{0, 0, 100, 100});
};

TEST_F(VisualEffectViewTest, BlursWhatIsBehindAndWashesItWithTheStyle) {
    auto glass =
        std::make_shared<VisualEffectView>(BlurEffect::effectWithStyle(UIBlurEffectStyleLight));
    glass->setFrame({10, 10, 80, 80});
    m_root->addSubview(glass);
    auto cover = std::make_shared<View>(Rect{0, 0, 100, 100});
    cover->setBackgroundColor(Color::blackColor());
    cover->setHidden(true);
    m_root->addSubview(cover);  // above the glass: never part of its backdrop
    cover->setHidden(false);
    cover->setAlpha(0.01f);

    const auto image = renderToImage(*m_root, 1);
    const auto overRed = test::pixelAt(*image, {15, 50});
    const auto overWhite = test::pixelAt(*image, {85, 50});
    const auto atEdge = test::pixelAt(*image, {50, 50});
    EXPECT_GT(overRed[0], 200);
    EXPECT_LT(overRed[1], 170);             // red shows through, lightened
    EXPECT_GT(overWhite[1], 240);           // white stays white
    EXPECT_GT(atEdge[1], overRed[1] + 20);  // the edge is soft
    EXPECT_LT(atEdge[1], overWhite[1] - 20);
}

TEST_F(VisualEffectViewTest, WithNothingBehindOnlyTheTintShowsAndContentStaysSharp) {
    auto glass =
        std::make_shared<VisualEffectView>(BlurEffect::effectWithStyle(UIBlurEffectStyleDark));
    glass->setFrame({0, 0, 40, 40});
    auto dot = std::make_shared<View>(Rect{10, 10, 4, 4});
    dot->setBackgroundColor(Color::greenColor());
    glass->contentView().addSubview(dot);
    const auto image = renderToImage(*glass, 1);
    EXPECT_EQ(glass->contentView().frame(), glass->bounds());
    EXPECT_NEAR(test::pixelAt(*image, {30, 30})[3], 186, 3);
    EXPECT_EQ(test::pixelAt(*image, {11, 11}), (test::Pixel{0, 255, 0, 255}));
}

}  // namespace
}  // namespace ov::ui
