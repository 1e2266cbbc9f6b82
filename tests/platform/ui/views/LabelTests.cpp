#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "ControlTestSupport.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/views/Label.h"

namespace ov::ui {
namespace {

using test::Pixel;

const String kLongText = "The quick brown fox jumps over the lazy dog again and again";

class LabelTest : public ::testing::Test {
  protected:
    void TearDown() override { RunLoop::main().runPending(); }

    std::shared_ptr<Label> label(const String& text, long lines = 1) {
        auto made = std::make_shared<Label>(Rect{0, 0, 120, 60});
        made->setNumberOfLines(lines);
        made->setText(text);
        return made;
    }
};

bool isInk(Pixel p) {
    return p[3] > 100;
}

TEST_F(LabelTest, SizeGrowsWithTheTextAndWrapsOnlyWithMoreLines) {
    const double lineHeight = label("A")->sizeThatFits({}).height;
    EXPECT_GT(label("Hello there")->sizeThatFits({}).width, label("Hello")->sizeThatFits({}).width);

    const Size oneLine = label(kLongText, 1)->sizeThatFits({120, 0});
    EXPECT_EQ(oneLine.height, lineHeight);
    EXPECT_LE(oneLine.width, 120);

    const Size wrapped = label(kLongText, 0)->sizeThatFits({120, 0});
    EXPECT_LE(wrapped.width, 120);
    EXPECT_GE(wrapped.height, 3 * lineHeight);
    EXPECT_EQ(label(kLongText, 2)->sizeThatFits({120, 0}).height, 2 * lineHeight);
    EXPECT_EQ(label("")->sizeThatFits({}), (Size{0, 0}));
}

TEST_F(LabelTest, IntrinsicSizeWrapsAtThePreferredWidth) {
    auto wrapped = label(kLongText, 0);
    const double unlimited = wrapped->intrinsicContentSize().width;
    wrapped->setPreferredMaxLayoutWidth(100);
    EXPECT_LE(wrapped->intrinsicContentSize().width, 100);
    EXPECT_LT(wrapped->intrinsicContentSize().width, unlimited);
}

TEST_F(LabelTest, LabelSettingsRestyleTheWholeStyledText) {
    MutableAttributedString styled("red then plain");
    styled.addAttribute(NSForegroundColorAttributeName, Color::redColor().toValue(), {0, 3});
    auto shown = std::make_shared<Label>();
    shown->setAttributedText(AttributedString(styled));
    // Runs without their own colour take the label's.
    EXPECT_EQ(Color::fromValue(
                  shown->attributedText()->attributeAtIndex(NSForegroundColorAttributeName, 10)),
              Color::blackColor());
    EXPECT_EQ(Color::fromValue(
                  shown->attributedText()->attributeAtIndex(NSForegroundColorAttributeName, 0)),
              Color::redColor());

    shown->setFont(Font::boldSystemFontOfSize(30));
    shown->setTextAlignment(NSTextAlignmentRight);
    const auto font =
        Font::fromValue(shown->attributedText()->attributeAtIndex(NSFontAttributeName, 0));
    EXPECT_EQ(font, Font::boldSystemFontOfSize(30));
    const auto style = ParagraphStyle::fromValue(
        shown->attributedText()->attributeAtIndex(NSParagraphStyleAttributeName, 5));
    ASSERT_TRUE(style);
    EXPECT_EQ(style->alignment, NSTextAlignmentRight);
    EXPECT_EQ(style->lineBreakMode, NSLineBreakByTruncatingTail);

    shown->setText(std::nullopt);
    EXPECT_EQ(shown->attributedText(), std::nullopt);
    EXPECT_EQ(shown->text(), std::nullopt);
}

TEST_F(LabelTest, OneLineTruncatesWhereManyLinesWrap) {
    auto single = label(kLongText, 1);
    single->setFrame({0, 0, 120, 80});
    const auto oneLine = renderToImage(*single, 1);
    auto many = label(kLongText, 0);
    many->setFrame({0, 0, 120, 80});
    const auto wrapped = renderToImage(*many, 1);
    const Rect singleInk = test::inkBox(*oneLine, isInk);
    const Rect wrappedInk = test::inkBox(*wrapped, isInk);
    ASSERT_FALSE(singleInk.isNull());
    EXPECT_LE(singleInk.maxX(), 120);
    EXPECT_LT(singleInk.height(), wrappedInk.height() / 2);
    // Vertically centred: as much room above the line as below.
    EXPECT_NEAR(singleInk.minY(), 80 - singleInk.maxY(), 6);
}

TEST_F(LabelTest, ShrinksToFitWidthBeforeTruncating) {
    auto plain = label("WWWWWWWWWWWWWWWWWWWW");
    auto shrinking = label("WWWWWWWWWWWWWWWWWWWW");
    shrinking->setAdjustsFontSizeToFitWidth(true);
    shrinking->setMinimumScaleFactor(0.2);
    const Rect big = test::inkBox(*renderToImage(*plain, 1), isInk);
    const Rect small = test::inkBox(*renderToImage(*shrinking, 1), isInk);
    EXPECT_LT(small.height(), big.height() * 0.8);
}

TEST_F(LabelTest, HighlightedColourAndShadowAreDrawn) {
    auto shown = label("Hi");
    shown->setFont(Font::boldSystemFontOfSize(40));
    shown->setTextColor(Color::blueColor());
    shown->setHighlightedTextColor(Color::redColor());
    const auto isRed = [](Pixel p) { return p[0] > 200 && p[2] < 60 && p[3] > 200; };
    const auto isBlue = [](Pixel p) { return p[2] > 200 && p[0] < 60 && p[3] > 200; };
    EXPECT_TRUE(test::inkBox(*renderToImage(*shown, 1), isRed).isNull());
    shown->setHighlighted(true);
    const auto highlighted = renderToImage(*shown, 1);
    EXPECT_FALSE(test::inkBox(*highlighted, isRed).isNull());
    EXPECT_TRUE(test::inkBox(*highlighted, isBlue).isNull());

    shown->setHighlighted(false);
    shown->setShadowColor(Color::greenColor());
    shown->setShadowOffset({3, 3});
    const auto shadowed = renderToImage(*shown, 1);
    const Rect shadow = test::inkBox(*shadowed, [](Pixel p) { return p[1] > 100 && p[2] < 60; });
    const Rect text = test::inkBox(*shadowed, isBlue);
    ASSERT_FALSE(shadow.isNull());
    EXPECT_NEAR(shadow.maxX() - text.maxX(), 3, 1);
}

// What a label shows: each test step changes one of these on a label drawn before, and the
// result must match a label that starts out with the same settings. Highlighting comes last:
// it gives drawing and measuring different texts, which would hide a stale width.
struct LabelLook {
    String text = "Hello there";
    Font font = Font::systemFontOfSize(14);
    Color colour = Color::blackColor();
    double width = 120;
    long lines = 1;
    double scale = 1;
    bool highlighted = false;
};

void applyLook(Label& shown, const LabelLook& look) {
    shown.setFrame({0, 0, look.width, 40});
    shown.setText(look.text);
    shown.setFont(look.font);
    shown.setTextColor(look.colour);
    shown.setHighlightedTextColor(Color::redColor());
    shown.setNumberOfLines(look.lines);
    shown.setHighlighted(look.highlighted);
}

std::shared_ptr<Label> freshLabel(const LabelLook& look) {
    auto fresh = std::make_shared<Label>();
    applyLook(*fresh, look);
    return fresh;
}

TEST_F(LabelTest, RedrawAfterEachChangeMatchesAFreshLabel) {
    LabelLook look;
    const auto reused = freshLabel(look);
    // Measuring for layout at another width must not leak into what is drawn.
    reused->sizeThatFits({30, 0});
    renderToImage(*reused, look.scale);
    const std::vector<std::pair<const char*, std::function<void(LabelLook&)>>> changes = {
        {"text", [](LabelLook& l) { l.text = "Hello there, world"; }},
        {"font", [](LabelLook& l) { l.font = Font::boldSystemFontOfSize(20); }},
        {"colour", [](LabelLook& l) { l.colour = Color::blueColor(); }},
        {"narrower", [](LabelLook& l) { l.width = 60; }},
        {"wrapping", [](LabelLook& l) { l.lines = 0; }},
        {"scale", [](LabelLook& l) { l.scale = 2; }},
        {"wider", [](LabelLook& l) { l.width = 200; }},
        {"highlight", [](LabelLook& l) { l.highlighted = true; }},
    };
    for (const auto& [name, change] : changes) {
        change(look);
        applyLook(*reused, look);
        const auto fresh = freshLabel(look);
        const auto drawn = renderToImage(*reused, look.scale);
        const auto expected = renderToImage(*fresh, look.scale);
        ASSERT_TRUE(drawn && expected) << name;
        EXPECT_EQ(*drawn->pixels(), *expected->pixels()) << "after changing the " << name;
        EXPECT_EQ(reused->sizeThatFits({look.width, 0}), fresh->sizeThatFits({look.width, 0}))
            << "after changing the " << name;
    }
}

}  // namespace
}  // namespace ov::ui
