#include <gtest/gtest.h>

#include <memory>

#include "orvane/components/CustomButton.h"
#include "orvane/components/CustomLable.h"
#include "orvane/components/NSMutableAttributedString+Color.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/layers/Animation.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

namespace styled = NSMutableAttributedString_Color;

std::optional<ui::Font> fontAt(const ui::AttributedString& text, size_t index) {
    return ui::Font::fromValue(text.attributeAtIndex(ui::NSFontAttributeName, index));
}

std::optional<ui::Color> colorAt(const ui::AttributedString& text, size_t index) {
    return ui::Color::fromValue(text.attributeAtIndex(ui::NSForegroundColorAttributeName, index));
}

TEST(NSMutableAttributedStringColor, StylesTheFirstOccurrenceWhateverItsCase) {
    ui::MutableAttributedString text(String("Total: 5 (1+1) tOtal"));
    styled::setColorForText(text, String("TOTAL"), ui::Color::redColor());
    EXPECT_EQ(colorAt(text, 0), ui::Color::redColor());
    EXPECT_FALSE(colorAt(text, 5));
    EXPECT_FALSE(colorAt(text, 16));

    // The piece is literal text, not a pattern.
    styled::setBoldForText(text, String("(1+1)"), std::nullopt);
    EXPECT_EQ(fontAt(text, 9), ui::Font::fontWithName("Helvetica-Bold", 17));
    EXPECT_EQ(styled::rangeOfText(text, String("t.tal")).location, NSNotFound);
    EXPECT_EQ(styled::rangeOfText(text, String("1\\E+")).location, NSNotFound);
    ui::MutableAttributedString quoted(String("a\\Eb"));
    EXPECT_EQ(styled::rangeOfText(quoted, String("A\\EB")), (Range{0, 4}));

    styled::setRegularForText(text, String("5"), std::nullopt);
    EXPECT_EQ(fontAt(text, 7), ui::Font::fontWithName("Helvetica", 17));
    EXPECT_EQ(styled::getFont(text), ui::Font::fontWithName("Helvetica-Bold", 17));
    EXPECT_TRUE(styled::getFontAndMakeItBold(text)->isBold());
}

TEST(NSMutableAttributedStringColor, LeavesTheTextAloneForMissingPiecesAndValues) {
    ui::MutableAttributedString text(String("Read the terms"));
    const ui::AttributedString before = text;
    styled::setColorForText(text, std::nullopt, ui::Color::redColor());
    styled::setColorForText(text, String("missing"), ui::Color::redColor());
    styled::setColorForText(text, String(""), ui::Color::redColor());
    styled::setColorForText(text, String("terms"), std::nullopt);
    styled::setSizeForText(text, String("terms"), std::nullopt, 30);
    styled::setURL(text, String("not an address"), String("terms"));
    EXPECT_EQ(text, before);
    EXPECT_FALSE(styled::getFont(text));
    EXPECT_FALSE(styled::getFontAndMakeItBold(text));

    styled::setSizeForText(text, String("READ"), ui::Font::systemFontOfSize(9), 30);
    EXPECT_EQ(fontAt(text, 0)->pointSize(), 9);  // the size given alongside is not used
    styled::setURL(text, String("https://example.com/terms"), String("Terms"));
    EXPECT_EQ(text.attributeAtIndex(ui::NSLinkAttributeName, 9).asString(),
              String("https://example.com/terms"));
}

TEST(CustomLable, BuildsTwoLinesFromUpperCasedTexts) {
    auto label = std::make_shared<CustomLable>(ui::Rect{0, 0, 200, 60});
    EXPECT_EQ(label->numberOfLines(), 0);
    EXPECT_FALSE(label->title());

    label->setSubtitle(String("secure checkout"));
    EXPECT_EQ(label->attributedText()->string(), String("SECURE CHECKOUT"));  // no break before
    label->setTitle(String("Pay now"));
    EXPECT_EQ(label->title(), String("PAY NOW"));
    const auto text = *label->attributedText();
    EXPECT_EQ(text.string(), String("PAY NOW\nSECURE CHECKOUT"));
    EXPECT_EQ(fontAt(text, 0), ui::Font::systemFontOfSize(17, ui::UIFontWeightHeavy));
    EXPECT_EQ(fontAt(text, 10), ui::Font::systemFontOfSize(14));
    EXPECT_EQ(colorAt(text, 10), ui::Color::blackColor());

    label->setTitle(String(""));
    EXPECT_FALSE(label->title());
    EXPECT_EQ(label->attributedText()->string(), String("SECURE CHECKOUT"));
}

TEST(CustomLable, UsesStyledLinesOnlyWhileTheyHoldText) {
    auto label = std::make_shared<CustomLable>();
    label->setTitle(String("plain"));
    label->setAttriburedTitle(ui::AttributedString(String("")));
    EXPECT_FALSE(label->isTitleAttributed());
    EXPECT_EQ(label->attributedText()->string(), String("PLAIN"));

    label->setAttriburedSubitle(ui::AttributedString(String("as Given")));
    EXPECT_TRUE(label->isSubtitleAttributed());
    EXPECT_EQ(label->attributedText()->string(), String("PLAIN\nas Given"));
    label->setSubtitle(String("back"));
    EXPECT_FALSE(label->isSubtitleAttributed());
    EXPECT_EQ(label->attributedText()->string(), String("PLAIN\nBACK"));
}

TEST(CustomLable, SizesColoursAndAlignmentRebuildTheText) {
    auto label = std::make_shared<CustomLable>();
    label->setTitle(String("a"));
    label->setSubtitle(String("b"));
    label->setSize_title(22);
    label->setSize_subtitle(9);
    label->setColor(ui::Color::blueColor());
    label->setTextAlignment(ui::NSTextAlignmentCenter);
    const auto text = *label->attributedText();
    EXPECT_EQ(fontAt(text, 0), ui::Font::systemFontOfSize(22, ui::UIFontWeightHeavy));
    EXPECT_EQ(fontAt(text, 2), ui::Font::systemFontOfSize(9));
    EXPECT_EQ(colorAt(text, 0), ui::Color::blueColor());
    EXPECT_EQ(colorAt(text, 2), ui::Color::blueColor());
    EXPECT_EQ(label->ui::Label::textAlignment(), ui::NSTextAlignmentCenter);

    // The font setters only store.
    label->setTitle_font(ui::Font::systemFontOfSize(30));
    EXPECT_EQ(fontAt(*label->attributedText(), 0)->pointSize(), 22);
}

TEST(CustomButton, StylesTheFirstOccurrenceOfEachLine) {
    auto button = std::make_shared<CustomButton>(ui::Rect{0, 0, 160, 56});
    EXPECT_EQ(button->titleLabel().numberOfLines(), 0);
    button->setTitleColor(ui::Color::redColor());
    button->setSubtitleColor(ui::Color::greenColor());
    button->setTitle(String("Buy"));
    button->setAttributedSubtitle(ui::AttributedString(String("7 days free")));
    auto text = *button->attributedTitleForState(ui::UIControlStateNormal);
    EXPECT_EQ(text.string(), String("BUY\n7 DAYS FREE"));
    EXPECT_EQ(fontAt(text, 0), ui::Font::systemFontOfSize(17, ui::UIFontWeightHeavy));
    EXPECT_EQ(colorAt(text, 0), ui::Color::redColor());
    EXPECT_EQ(fontAt(text, 4), ui::Font::systemFontOfSize(12));
    EXPECT_EQ(colorAt(text, 4), ui::Color::greenColor());

    // The subtitle repeats the title's letters: its style lands on the title.
    button->setTitle(String("OK"));
    button->setSubtitle(String("ok"));
    text = *button->attributedTitleForState(ui::UIControlStateNormal);
    EXPECT_EQ(text.string(), String("OK\nOK"));
    EXPECT_EQ(colorAt(text, 0), ui::Color::greenColor());
    EXPECT_FALSE(colorAt(text, 3));

    button->setSize_title(20);
    button->setSize_subtitle(10);
    EXPECT_EQ(button->title_font(), ui::Font::systemFontOfSize(20, ui::UIFontWeightBlack));
    EXPECT_EQ(button->subtitle_font(), ui::Font::systemFontOfSize(10, ui::UIFontWeightLight));
    button->setSubtitle(String("later"));
    button->setTitle_font(ui::Font::italicSystemFontOfSize(15));
    EXPECT_EQ(fontAt(*button->attributedTitleForState(ui::UIControlStateNormal), 0),
              ui::Font::italicSystemFontOfSize(15));
}

TEST(CustomButton, ShadowTakesTheBackgroundColour) {
    CustomButton button;
    button.setBackgroundColor(ui::Color::orangeColor());
    button.shadow(true);
    EXPECT_EQ(button.layer().shadowColor(), ui::Color::orangeColor());
    button.shadow(false);
    EXPECT_EQ(button.layer().shadowColor(), ui::Color::clearColor());
}

bool isShaking(const ui::View& view) {
    return view.layer().animationForKey("shake") != nullptr;
}

TEST(CustomButton, ShakesAtItsIntervalAndFollowsAChange) {
    test::ManualClockScope time;
    auto button = std::make_shared<CustomButton>();
    button->startShakeButton();
    EXPECT_EQ(button->tmr_shake()->timeInterval(), 2.0);
    EXPECT_TRUE(isShaking(*button));  // at once

    button->layer().removeAllAnimations();
    RunLoop::main().runFor(1.9);
    EXPECT_FALSE(isShaking(*button));
    RunLoop::main().runFor(0.2);
    EXPECT_TRUE(isShaking(*button));

    const auto first = button->tmr_shake();
    button->setShakeDistance(0.5);
    EXPECT_FALSE(first->isValid());
    RunLoop::main().runFor(0.25);  // half way between two shakes
    for (int period = 0; period < 3; ++period) {
        button->layer().removeAllAnimations();
        RunLoop::main().runFor(0.2);
        EXPECT_FALSE(isShaking(*button)) << period;
        RunLoop::main().runFor(0.1);
        EXPECT_TRUE(isShaking(*button)) << period;
        RunLoop::main().runFor(0.2);
    }

    button->stopShakeButton();
    button->setShakeDistance(1);  // not shaking: no restart
    EXPECT_FALSE(button->tmr_shake()->isValid());

    // Under the address sanitizer a timer firing into a freed button fails this test.
    button->startShakeButtonAfterDelay(1);
    auto shaking = std::make_shared<CustomButton>();
    shaking->startShakeButton();
    button.reset();
    shaking.reset();
    RunLoop::main().runFor(5);
}

}  // namespace
}  // namespace ov
