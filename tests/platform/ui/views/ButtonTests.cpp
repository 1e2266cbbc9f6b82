#include <gtest/gtest.h>

#include "ControlTestSupport.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/views/Button.h"

namespace ov::ui {
namespace {

using test::Pixel;

class ButtonTest : public ::testing::Test {
  protected:
    void TearDown() override { RunLoop::main().runPending(); }
};

TEST_F(ButtonTest, PerStateValuesFallBackToTheNormalState) {
    auto button = Button::buttonWithType(UIButtonTypeCustom);
    button->setTitle("Play", UIControlStateNormal);
    button->setTitle("Playing", UIControlStateSelected);
    button->setTitleColor(Color::redColor(), UIControlStateNormal);
    button->setTitleColor(Color::blueColor(), UIControlStateHighlighted);

    EXPECT_EQ(button->titleForState(UIControlStateHighlighted), String("Play"));
    EXPECT_EQ(button->titleForState(UIControlStateDisabled), String("Play"));
    EXPECT_EQ(button->titleColorForState(UIControlStateSelected), Color::redColor());

    button->setSelected(true);
    EXPECT_EQ(button->currentTitle(), String("Playing"));
    EXPECT_EQ(button->titleLabel().text(), String("Playing"));
    button->setSelected(false);
    button->touchDown({0, 0});
    EXPECT_EQ(button->currentTitleColor(), Color::blueColor());
    EXPECT_EQ(button->titleLabel().textColor(), Color::blueColor());
    button->touchUp({0, 0});
    EXPECT_EQ(button->titleLabel().textColor(), Color::redColor());

    // Removing a state's own value uncovers the normal one again.
    button->setTitleColor(std::nullopt, UIControlStateHighlighted);
    EXPECT_EQ(button->titleColorForState(UIControlStateHighlighted), Color::redColor());
}

TEST_F(ButtonTest, DefaultTitleColoursFollowTheTypeAndTint) {
    auto custom = Button::buttonWithType(UIButtonTypeCustom);
    EXPECT_EQ(custom->currentTitleColor(), Color::whiteColor());
    EXPECT_EQ(custom->titleColorForState(UIControlStateNormal), std::nullopt);

    auto system = Button::buttonWithType(UIButtonTypeSystem);
    system->setTintColor(Color::greenColor());
    EXPECT_EQ(system->currentTitleColor(), Color::greenColor());
    system->setHighlighted(true);
    EXPECT_LT(system->currentTitleColor().alpha(), 0.5);
    system->setHighlighted(false);
    system->setEnabled(false);
    EXPECT_NE(system->currentTitleColor(), Color::greenColor());
}

TEST_F(ButtonTest, StyledTitleWinsOverThePlainOne) {
    auto button = Button::buttonWithType(UIButtonTypeSystem);
    button->setTitle("plain", UIControlStateNormal);
    const AttributedString styled("STYLED", {});
    button->setAttributedTitle(styled, UIControlStateNormal);
    EXPECT_EQ(button->titleLabel().text(), String("STYLED"));
    button->setAttributedTitle(std::nullopt, UIControlStateNormal);
    EXPECT_EQ(button->titleLabel().text(), String("plain"));
}

TEST_F(ButtonTest, SizeAddsImageTitleAndContentInsets) {
    auto button = Button::buttonWithType(UIButtonTypeCustom);
    EXPECT_EQ(button->intrinsicContentSize(), (Size{0, 0}));
    button->setImage(test::solidImage({20, 24}, Color::redColor()), UIControlStateNormal);
    EXPECT_EQ(button->intrinsicContentSize(), (Size{20, 24}));

    button->setTitle("Go", UIControlStateNormal);
    const Size withTitle = button->intrinsicContentSize();
    EXPECT_GT(withTitle.width, 20);
    button->setTitle("Go somewhere far", UIControlStateNormal);
    EXPECT_GT(button->intrinsicContentSize().width, withTitle.width);

    button->setContentEdgeInsets({5, 10, 5, 10});
    const Size padded = button->intrinsicContentSize();
    button->setContentEdgeInsets({});
    EXPECT_EQ(padded.width, button->intrinsicContentSize().width + 20);
    EXPECT_EQ(padded.height, button->intrinsicContentSize().height + 10);
}

TEST_F(ButtonTest, ImageThenTitlePlacedTogetherByTheAlignment) {
    auto button = std::make_shared<Button>(Rect{0, 0, 200, 40});
    button->setImage(test::solidImage({20, 20}, Color::redColor()), UIControlStateNormal);
    button->setTitle("Title", UIControlStateNormal);
    button->layoutIfNeeded();
    const Rect image = button->imageView().frame();
    const Rect title = button->titleLabel().frame();
    EXPECT_EQ(image.maxX(), title.minX());
    EXPECT_NEAR(image.minX() - 0, 200 - title.maxX(), 1);  // centred as a pair
    EXPECT_EQ(image.midY(), 20);

    button->setContentHorizontalAlignment(UIControlContentHorizontalAlignmentLeft);
    button->setImageEdgeInsets({0, 6, 0, 0});
    button->layoutIfNeeded();
    EXPECT_EQ(button->imageView().frame().minX(), 6);
    EXPECT_EQ(button->titleLabel().frame().minX(), 20);
}

TEST_F(ButtonTest, TapFiresTouchUpInside) {
    auto button = std::make_shared<Button>(Rect{0, 0, 80, 30}, UIButtonTypeSystem);
    int taps = 0;
    button->addAction([&](Control&) { ++taps; }, UIControlEventTouchUpInside);
    button->simulateTap();
    EXPECT_EQ(taps, 1);
}

TEST_F(ButtonTest, TitleAndBackgroundImageShowInThePixels) {
    auto button = std::make_shared<Button>(Rect{0, 0, 120, 40});
    button->setBackgroundImage(test::solidImage({120, 40}, Color::blueColor()),
                               UIControlStateNormal);
    button->setTitle("HELLO", UIControlStateNormal);
    button->setTitleColor(Color::whiteColor(), UIControlStateNormal);
    button->titleLabel().setFont(Font::boldSystemFontOfSize(20));
    const auto image = renderToImage(*button, 1);
    ASSERT_TRUE(image);
    EXPECT_EQ(test::pixelAt(*image, {2, 2}), (Pixel{0, 0, 255, 255}));
    const Rect title = button->titleLabel().frame();
    const Rect ink = test::inkBox(*image, [](Pixel p) { return p[0] > 200 && p[2] > 200; });
    ASSERT_FALSE(ink.isNull());
    EXPECT_TRUE(title.insetBy(-1, -1).contains(ink));
    EXPECT_GT(ink.width(), title.width() / 2);
}

}  // namespace
}  // namespace ov::ui
