#include <gtest/gtest.h>

#include "orvane/components/AMPopTip.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/input/EventInjector.h"
#include "orvane/platform/ui/views/Window.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

constexpr double kTolerance = 1e-9;

void expectRect(const ui::Rect& actual, const ui::Rect& expected) {
    EXPECT_NEAR(actual.origin.x, expected.origin.x, kTolerance);
    EXPECT_NEAR(actual.origin.y, expected.origin.y, kTolerance);
    EXPECT_NEAR(actual.size.width, expected.size.width, kTolerance);
    EXPECT_NEAR(actual.size.height, expected.size.height, kTolerance);
}

void expectPoint(ui::Point actual, ui::Point expected) {
    EXPECT_NEAR(actual.x, expected.x, kTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTolerance);
}

class PopTipLayoutTest : public ::testing::Test {
  protected:
    // A tip without an entrance: its geometry is final when show returns.
    static std::shared_ptr<AMPopTip> still() {
        auto tip = AMPopTip::popTip();
        tip->setEntranceAnimation(AMPopTipEntranceAnimationNone);
        return tip;
    }
    static ui::Size textSize(const AMPopTip& tip, const char* text, double width) {
        return ui::AttributedString(String(text), {{ui::NSFontAttributeName, tip.font().toValue()}})
            .boundingRectWithSize({width, 0}, ui::NSStringDrawingUsesLineFragmentOrigin)
            .size;
    }

    test::ManualClockScope time{500};
    std::shared_ptr<ui::Window> screen = std::make_shared<ui::Window>(ui::Rect{0, 0, 320, 480});
};

TEST_F(PopTipLayoutTest, EachDirectionPlacesBubbleArrowAndContent) {
    const ui::Rect target{130, 200, 60, 40};
    struct Expected {
        AMPopTipDirection direction;
        ui::Point origin;  // from the content size c, bubble size (w, h)
        ui::Point arrow;
        ui::Point anchor;
        ui::Point content;
    };
    auto tip = still();
    tip->setOffset(5);
    const ui::Size c = textSize(*tip, "Tip", 100);
    const double w = c.width + 12, h = c.height + 12;
    const Expected cases[] = {
        {AMPopTipDirectionUp, {160 - w / 2, 200 - (h + 8) - 5}, {w / 2, h + 8}, {0.5, 1}, {6, 6}},
        {AMPopTipDirectionDown, {160 - w / 2, 245}, {w / 2, 0}, {0.5, 0}, {6, 14}},
        {AMPopTipDirectionLeft, {130 - (w + 8) - 5, 220 - h / 2}, {w + 8, h / 2}, {1, 0.5}, {6, 6}},
        {AMPopTipDirectionRight, {195, 220 - h / 2}, {0, h / 2}, {0, 0.5}, {14, 6}},
        {AMPopTipDirectionNone, {160 - w / 2, 220 - h / 2 - 5}, {0, 0}, {0.5, 0.5}, {6, 6}},
    };
    for (const Expected& expected : cases) {
        SCOPED_TRACE(expected.direction);
        tip->showText("Tip", expected.direction, 100, screen, target);
        const bool sideways = expected.direction == AMPopTipDirectionLeft ||
                              expected.direction == AMPopTipDirectionRight;
        const bool vertical = expected.direction == AMPopTipDirectionUp ||
                              expected.direction == AMPopTipDirectionDown;
        expectRect(tip->frame(),
                   {expected.origin, {w + (sideways ? 8 : 0), h + (vertical ? 8 : 0)}});
        if (expected.direction != AMPopTipDirectionNone)
            expectPoint(tip->arrowPosition(), expected.arrow);
        expectPoint(tip->layer().anchorPoint(), expected.anchor);
        expectPoint(tip->textBounds().origin, expected.content);
        EXPECT_EQ(tip->textBounds().size, c);
    }
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->accessibilityLabel(), String("Tip"));
}

TEST_F(PopTipLayoutTest, EdgeMarginAndSideRoomKeepTheBubbleInside) {
    auto tip = still();
    tip->setEdgeMargin(8);
    tip->showText("A longer hint", AMPopTipDirectionUp, 200, screen, {0, 200, 20, 20});
    EXPECT_DOUBLE_EQ(tip->frame().origin.x, 8);
    EXPECT_NEAR(tip->arrowPosition().x, 2, kTolerance);  // still over the rectangle's middle
    tip->showText("A longer hint", AMPopTipDirectionDown, 200, screen, {300, 200, 20, 20});
    EXPECT_NEAR(tip->frame().maxX(), 312, kTolerance);
    tip->showText("Side", AMPopTipDirectionLeft, 200, screen, {200, 0, 40, 10});
    EXPECT_DOUBLE_EQ(tip->frame().origin.y, 8);
    tip->showText("Side", AMPopTipDirectionRight, 200, screen, {20, 470, 40, 10});
    EXPECT_NEAR(tip->frame().maxY(), 472, kTolerance);

    const char* text = "Several words that need more than fifty points";
    tip->showText(text, AMPopTipDirectionLeft, 200, screen, {70, 200, 40, 40});
    EXPECT_DOUBLE_EQ(tip->maxWidth(), 70 - 12 - 8);
    EXPECT_NEAR(tip->frame().maxX(), 70, kTolerance);
    // No width limit of its own still leaves the room as the limit.
    tip->showText(text, AMPopTipDirectionRight, 0, screen, {210, 200, 40, 40});
    EXPECT_DOUBLE_EQ(tip->maxWidth(), 320 - 250 - 12 - 8);
    EXPECT_LE(tip->frame().maxX(), 320);
}

TEST_F(PopTipLayoutTest, BubbleOffsetIsLimitedAndStoredBack) {
    auto tip = still();
    const ui::Size c = textSize(*tip, "Offset", 200);
    const double w = c.width + 12, h = c.height + 12;
    tip->setBubbleOffset(-10);  // room enough: taken as it is
    tip->showText("Offset", AMPopTipDirectionUp, 200, screen, {140, 200, 40, 20});
    EXPECT_NEAR(tip->frame().origin.x, 160 - w / 2 - 10, kTolerance);
    EXPECT_NEAR(tip->arrowPosition().x, w / 2 + 10, kTolerance);

    tip->setBubbleOffset(1000);  // past the arrow: the arrow keeps its width on the bubble
    tip->setFromFrame({140, 200, 40, 20});
    EXPECT_NEAR(tip->bubbleOffset(), w / 2 - 8, kTolerance);
    EXPECT_NEAR(tip->arrowPosition().x, 8, kTolerance);

    tip->setEdgeMargin(4);  // past the container's right edge: ends a margin before it
    tip->setBubbleOffset(15);
    tip->showText("Offset", AMPopTipDirectionDown, 200, screen, {300 - w / 2, 200, 20, 20});
    EXPECT_NEAR(tip->frame().maxX(), 316, kTolerance);

    tip->setBubbleOffset(1000);  // sideways the shift runs along y
    tip->showText("Offset", AMPopTipDirectionRight, 200, screen, {20, 200, 40, 40});
    EXPECT_NEAR(tip->bubbleOffset(), h / 2 - 8, kTolerance);
    EXPECT_NEAR(tip->frame().origin.y, 220 - 8, kTolerance);

    // Room is measured in the container's own coordinates, not from its frame in its parent.
    auto panel = std::make_shared<ui::View>(ui::Rect{150, 0, 320, 480});
    screen->addSubview(panel);
    tip->setBubbleOffset(-40);
    tip->showText("Offset", AMPopTipDirectionUp, 200, panel, {180, 200, 40, 20});
    EXPECT_DOUBLE_EQ(tip->bubbleOffset(), -40);
    EXPECT_NEAR(tip->frame().midX(), 160, kTolerance);
}

TEST_F(PopTipLayoutTest, CustomViewSizesTheBubbleAndLeavesWithTheNextContent) {
    auto tip = still();
    auto custom = std::make_shared<ui::View>(ui::Rect{0, 0, 60, 30});
    tip->showCustomView(custom, AMPopTipDirectionDown, screen, {100, 100, 40, 20});
    EXPECT_EQ(tip->frame().size, (ui::Size{72, 50}));
    EXPECT_EQ(custom->frame(), (ui::Rect{6, 14, 60, 30}));
    EXPECT_EQ(custom->superview(), tip.get());
    EXPECT_DOUBLE_EQ(tip->maxWidth(), 60);
    EXPECT_FALSE(tip->text());

    tip->showText("Words now", AMPopTipDirectionDown, 100, screen, {100, 100, 40, 20});
    EXPECT_EQ(custom->superview(), nullptr);
    EXPECT_EQ(tip->customView(), nullptr);
}

TEST_F(PopTipLayoutTest, StyledTextIsMeasuredWithItsOwnAttributes) {
    auto tip = still();
    ui::AttributedString big("Big",
                             {{ui::NSFontAttributeName, ui::Font::systemFontOfSize(30).toValue()}});
    tip->showAttributedText(big, AMPopTipDirectionUp, 200, screen, {100, 200, 40, 20});
    const ui::Size size =
        big.boundingRectWithSize({200, 0}, ui::NSStringDrawingUsesLineFragmentOrigin).size;
    EXPECT_NEAR(tip->frame().size.height, size.height + 20, kTolerance);
    EXPECT_EQ(tip->accessibilityLabel(), String("Big"));

    tip->updateText("Small");  // the bubble keeps its size, the new text is drawn in it
    EXPECT_NEAR(tip->frame().size.height, size.height + 20, kTolerance);
    EXPECT_EQ(tip->accessibilityLabel(), String("Small"));
    EXPECT_TRUE(tip->layer().needsDisplay());
}

TEST_F(PopTipLayoutTest, OneTapRecognizerHoweverOftenTheTipIsLaidOut) {
    auto tip = still();
    int taps = 0;
    tip->setTapHandler([&taps] { ++taps; });
    const ui::Rect target{140, 200, 40, 20};
    for (int i = 0; i < 3; ++i)
        tip->showText("Tap me", AMPopTipDirectionUp, 200, screen, target);
    tip->setFromFrame(target);
    EXPECT_EQ(ui::gestureRecognizers(*tip).size(), 1u);

    ui::EventInjector fingers(screen);
    const ui::Rect bubble = tip->frame();
    fingers.tap({bubble.midX(), bubble.origin.y + 6});
    EXPECT_EQ(taps, 1);
    RunLoop::main().runFor(0.5);
    EXPECT_EQ(tip->superview(), screen.get());  // the tap outside recogniser lost to it

    tip->setShouldDismissOnTap(true);
    fingers.tap({bubble.midX(), bubble.origin.y + 6});
    RunLoop::main().runFor(0.5);
    EXPECT_EQ(taps, 2);
    EXPECT_EQ(tip->superview(), nullptr);
}

TEST_F(PopTipLayoutTest, BorderGrowsTheBubbleAndTheOutlineStartsAtTheArrowTipInsideIt) {
    auto tip = still();
    tip->setBorderWidth(2);
    tip->showText("Edge", AMPopTipDirectionUp, 200, screen, {140, 200, 40, 30});
    const ui::Size c = textSize(*tip, "Edge", 200);
    EXPECT_EQ(tip->bounds().size, (ui::Size{c.width + 12 + 4, c.height + 20 + 4}));
    for (const auto direction : {AMPopTipDirectionUp, AMPopTipDirectionDown, AMPopTipDirectionLeft,
                                 AMPopTipDirectionRight, AMPopTipDirectionNone}) {
        SCOPED_TRACE(direction);
        tip->showText("Edge", direction, 200, screen, {140, 200, 40, 30});
        const ui::Rect bounds = tip->bounds();
        const ui::Path path = tip->pathWithRect(bounds, direction);
        expectRect(path.bounds(), bounds.insetBy(2, 2));
        ASSERT_FALSE(path.elements().empty());
        const ui::Point arrow = tip->arrowPosition();
        const ui::Size size = bounds.size;
        const ui::Point starts[] = {{arrow.x, size.height - 2},
                                    {arrow.x, 2},
                                    {size.width - 2, arrow.y},
                                    {2, arrow.y},
                                    {2, 2 + tip->radius()}};  // no arrow: the body's corner
        expectPoint(path.elements().front().points[0], starts[direction]);
        // The body's corners are cut round; its middle is inside.
        EXPECT_FALSE(path.containsPoint({2.2, 2.2}));
        EXPECT_TRUE(path.containsPoint({bounds.midX(), bounds.midY()}));
    }
}

TEST_F(PopTipLayoutTest, DrawsTheBubbleWithItsArrow) {
    auto tip = still();
    tip->showText("", AMPopTipDirectionUp, 200, screen, {140, 200, 40, 20});
    const auto image = ui::renderToImage(*tip, 1);
    ASSERT_TRUE(image);
    const int w = image->pixelWidth(), h = image->pixelHeight();
    EXPECT_GT(image->rgbaAt(w / 2, 4)[0], 200);      // the body is red
    EXPECT_GT(image->rgbaAt(w / 2, h - 4)[3], 200);  // so is the arrow near its tip
    EXPECT_EQ(image->rgbaAt(1, h - 2)[3], 0);        // beside the arrow there is nothing
    EXPECT_LT(image->rgbaAt(0, 0)[3], 128);          // the corners are rounded
    tip->setRounded(true);                           // a pill: the radius follows the body's height
    tip->setNeedsDisplay();
    ui::renderToImage(*tip, 1);
    EXPECT_DOUBLE_EQ(tip->radius(), (tip->bounds().size.height - 8) / 2);
}

}  // namespace
}  // namespace ov
