#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "orvane/components/TTTAttributedLabel.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/application/Pasteboard.h"
#include "orvane/platform/ui/input/EventInjector.h"
#include "orvane/platform/ui/views/Window.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

using ui::AttributedString;
using ui::Color;
using ui::Font;
using ui::MutableAttributedString;
using ui::ParagraphStyle;

const Font kFont = Font::systemFontOfSize(17);

std::optional<Color> colorAt(const TTTAttributedLabel& label, size_t index) {
    return Color::fromValue(
        label.attributedText()->attributeAtIndex(ui::kCTForegroundColorAttributeName, index));
}

std::optional<Font> fontAt(const AttributedString& text, size_t index) {
    return Font::fromValue(text.attributeAtIndex(ui::kCTFontAttributeName, index));
}

ParagraphStyle styleOf(const Dictionary& attributes) {
    return *ParagraphStyle::fromValue(attributes.objectForKey(ui::kCTParagraphStyleAttributeName));
}

TEST(TTTAttributedLabel, LabelSettingsBecomeTextAttributes) {
    TTTAttributedLabel label;
    label.setFont(kFont);
    label.setKern(2);
    label.setLeading(4);
    label.setFirstLineIndent(6);
    label.setMaximumLineHeight(55);
    label.setLineHeightMultiple(1.5);
    label.setTextAlignment(ui::NSTextAlignmentCenter);
    label.setLineBreakMode(ui::NSLineBreakByTruncatingTail);
    label.setNumberOfLines(2);
    Dictionary attributes = NSAttributedStringAttributesFromLabel(label);
    EXPECT_EQ(Font::fromValue(attributes.objectForKey(ui::kCTFontAttributeName)), kFont);
    EXPECT_EQ(attributes.objectForKey(ui::kCTKernAttributeName).ifNumber()->doubleValue(), 2);
    ParagraphStyle style = styleOf(attributes);
    EXPECT_EQ(style.minimumLineHeight, kFont.lineHeight());
    EXPECT_EQ(style.maximumLineHeight, 55 * 1.5);
    EXPECT_EQ(style.lineSpacing, 4);
    EXPECT_EQ(style.firstLineHeadIndent, 6);
    EXPECT_EQ(style.headIndent, 6);
    EXPECT_EQ(style.alignment, ui::NSTextAlignmentCenter);
    // Several lines wrap by word; one line keeps the label's own mode.
    EXPECT_EQ(style.lineBreakMode, ui::NSLineBreakByWordWrapping);
    label.setNumberOfLines(1);
    EXPECT_EQ(styleOf(NSAttributedStringAttributesFromLabel(label)).lineBreakMode,
              ui::NSLineBreakByTruncatingTail);

    const TTTLowLevelParagraphStyle low = lowLevelParagraphStyleFromLabel(label);
    EXPECT_EQ(low.alignment, 2);
    EXPECT_EQ(low.lineBreakMode, std::optional<long>(4));
    EXPECT_EQ(low.minimumLineSpacing, 0);  // no fallback to the font
    EXPECT_EQ(low.maximumLineSpacing, 82.5);
    EXPECT_EQ(low.lineSpacingAdjustment,
              std::ceil(kFont.lineHeight() - kFont.ascender() + kFont.descender()));
    label.setNumberOfLines(0);
    EXPECT_FALSE(lowLevelParagraphStyleFromLabel(label).lineBreakMode);
}

TEST(TTTAttributedLabel, LowLevelValuesAreTranslated) {
    const std::vector<long> alignments{0, 2, 1, 4, 4, 4};
    for (long given = 0; given < 6; ++given)
        EXPECT_EQ(lowLevelTextAlignment(given), alignments[given]) << given;
    for (long given : {1, 2, 3, 4, 5})
        EXPECT_EQ(lowLevelLineBreakMode(given), given);
    for (long given : {0, 6, -1})
        EXPECT_EQ(lowLevelLineBreakMode(given), 0);
}

TEST(TTTAttributedLabel, SetTextTakesTheLabelsAttributesUnlessTheCallbackSetsThemAgain) {
    TTTAttributedLabel label;
    label.setFont(kFont);
    MutableAttributedString own(String("Styled"));
    own.addAttribute(ui::kCTFontAttributeName, Font::boldSystemFontOfSize(30).toValue(), {0, 6});
    own.addAttribute(ui::kCTUnderlineStyleAttributeName, 1, {0, 3});

    label.setText(own, TTTAttributedLabel::ConfigureBlock());
    EXPECT_EQ(fontAt(*label.attributedText(), 0), kFont);
    EXPECT_FALSE(
        label.attributedText()->attributeAtIndex(ui::kCTUnderlineStyleAttributeName, 0).isAbsent());
    EXPECT_EQ(label.text(), String("Styled"));

    label.setText(own, [](MutableAttributedString& text) {
        text.addAttribute(ui::kCTFontAttributeName, Font::boldSystemFontOfSize(30).toValue(),
                          {0, 2});
        return AttributedString(text);
    });
    EXPECT_EQ(fontAt(*label.attributedText(), 0), Font::boldSystemFontOfSize(30));
    EXPECT_EQ(fontAt(*label.attributedText(), 3), kFont);

    // Styled text set directly keeps its own font; plain text takes the label's.
    label.setText(AttributedString(own));
    EXPECT_EQ(fontAt(*label.attributedText(), 0), Font::boldSystemFontOfSize(30));
    label.setText(String("Plain"));
    EXPECT_EQ(fontAt(*label.attributedText(), 0), kFont);
    label.setText(std::nullopt);
    EXPECT_FALSE(label.attributedText());
    EXPECT_FALSE(label.text());
}

TEST(TTTAttributedLabel, AnEqualTextDoesNotRedraw) {
    TTTAttributedLabel label({0, 0, 100, 30});
    label.setText(String("Same"));
    label.layer().displayIfNeeded(1);
    label.setAttributedText(label.attributedText());
    EXPECT_FALSE(label.layer().needsDisplay());
    label.setText(String("Other"));
    EXPECT_TRUE(label.layer().needsDisplay());
}

TEST(TTTAttributedLabel, ContextColoursTakeTheTextColourAndKeepTheirFont) {
    TTTAttributedLabel label;
    label.setTextColor(Color::redColor());
    MutableAttributedString text(String("context plain"));
    text.addAttribute(ui::kCTFontAttributeName, Font::boldSystemFontOfSize(20).toValue(), {0, 7});
    text.addAttribute(ui::kCTForegroundColorFromContextAttributeName, true, {0, 7});
    label.setText(AttributedString(text));
    const AttributedString rendered = *label.renderedAttributedText();
    EXPECT_EQ(Color::fromValue(rendered.attributeAtIndex(ui::kCTForegroundColorAttributeName, 0)),
              Color::redColor());
    EXPECT_EQ(fontAt(rendered, 0), Font::boldSystemFontOfSize(20));
    EXPECT_TRUE(
        rendered.attributeAtIndex(ui::kCTForegroundColorFromContextAttributeName, 0).isAbsent());
    EXPECT_TRUE(rendered.attributeAtIndex(ui::kCTForegroundColorAttributeName, 9).isAbsent());

    // A cleared colour is black, and the text is rendered again with it.
    label.setTextColor(std::nullopt);
    EXPECT_EQ(label.textColor(), Color::blackColor());
    EXPECT_EQ(Color::fromValue(label.renderedAttributedText()->attributeAtIndex(
                  ui::kCTForegroundColorAttributeName, 0)),
              Color::blackColor());
}

TEST(TTTAttributedLabel, LinkRunsBecomeLinksEvenWithoutDetection) {
    auto label = std::make_shared<TTTAttributedLabel>();
    label->setText(String("see www.example.com now"));
    RunLoop::main().runFor(0.05);
    EXPECT_TRUE(label->links().empty());

    MutableAttributedString text(String("one two"));
    text.addAttribute(ui::NSLinkAttributeName, String("https://one.example"), {0, 3});
    text.addAttribute(ui::NSLinkAttributeName, String("https://two.example"), {4, 3});
    label->setText(AttributedString(text));
    ASSERT_EQ(label->links().size(), 2u);
    EXPECT_EQ(label->links()[1].URL()->absoluteString(), String("https://two.example"));
    EXPECT_EQ(label->links()[1].range(), (Range{4, 3}));
    EXPECT_EQ(colorAt(*label, 5), Color::blueColor());
}

TEST(TTTAttributedLabel, EveryKindOfLinkIsRecordedAndTheLatestWinsOverlaps) {
    TTTAttributedLabel label;
    label.setText(String("0123456789abcdefghij"));
    label.addLinkToURL(*URL::withString("https://a.example"), {0, 10});
    label.addLinkToPhoneNumber(String("+1 650-253-0000"), {5, 10});
    label.addLinkToAddress(Dictionary(), {16, 1});
    label.addLinkToDate(Date(), {17, 1});
    label.addLinkToDate(Date(), TimeZone::utc(), 60, {18, 1});
    label.addLinkToTransitInformation(Dictionary(), {19, 1});
    label.addLinkWithTextCheckingResult(
        TextCheckingResult::linkCheckingResultWithRange({15, 1}, *URL::withString("x:y")),
        std::nullopt);
    const std::vector<NSTextCheckingTypes> kinds{
        NSTextCheckingTypeLink, NSTextCheckingTypePhoneNumber, NSTextCheckingTypeAddress,
        NSTextCheckingTypeDate, NSTextCheckingTypeDate,        NSTextCheckingTypeTransitInformation,
        NSTextCheckingTypeLink};
    ASSERT_EQ(label.links().size(), kinds.size());
    for (size_t i = 0; i < kinds.size(); ++i)
        EXPECT_EQ(label.links()[i].resultType(), kinds[i]);

    EXPECT_EQ(label.linkAtCharacterIndex(2)->resultType(), NSTextCheckingTypeLink);
    EXPECT_EQ(label.linkAtCharacterIndex(7)->resultType(), NSTextCheckingTypePhoneNumber);
    EXPECT_EQ(label.linkAtCharacterIndex(14)->resultType(), NSTextCheckingTypePhoneNumber);
    EXPECT_FALSE(label.linkAtCharacterIndex(20));
    EXPECT_FALSE(label.linkAtCharacterIndex(NSNotFound));
    // Styled with the link attributes, except the one added without attributes.
    EXPECT_EQ(colorAt(label, 19), Color::blueColor());
    EXPECT_FALSE(colorAt(label, 15) == Color::blueColor());
    // A new text drops the links.
    label.setText(String("fresh"));
    EXPECT_TRUE(label.links().empty());
}

// Records what the delegate hears; `specific` false answers only the fallback.
struct LinkRecorder : TTTAttributedLabelDelegate {
    explicit LinkRecorder(bool specific) : specific(specific) {}
    bool record(const std::string& entry) {
        if (specific) heard.push_back(entry);
        return specific;
    }
    bool attributedLabel_didSelectLinkWithURL(TTTAttributedLabel&, const URL& url) override {
        return record("url " + url.absoluteString().toUtf8());
    }
    bool attributedLabel_didSelectLinkWithAddress(TTTAttributedLabel&, const Dictionary&) override {
        return record("address");
    }
    bool attributedLabel_didSelectLinkWithPhoneNumber(TTTAttributedLabel&,
                                                      const String& number) override {
        return record("phone " + number.toUtf8());
    }
    bool attributedLabel_didSelectLinkWithDate(TTTAttributedLabel&, const Date&) override {
        return record("date");
    }
    bool attributedLabel_didSelectLinkWithDate_timeZone_duration(TTTAttributedLabel&, const Date&,
                                                                 const TimeZone& zone,
                                                                 double duration) override {
        return record("date in " + zone.name().toUtf8() + " for " +
                      std::to_string(static_cast<int>(duration)));
    }
    bool attributedLabel_didSelectLinkWithTransitInformation(TTTAttributedLabel&,
                                                             const Dictionary&) override {
        return record("transit");
    }
    bool attributedLabel_didSelectLinkWithTextCheckingResult(
        TTTAttributedLabel&, const TextCheckingResult& result) override {
        heard.push_back("result " + std::to_string(result.resultType()));
        return true;
    }
    bool specific;
    std::vector<std::string> heard;
};

// A one-line, left-aligned label in a window, with the fingers to touch it.
class LinkTouchTest : public ::testing::Test {
  protected:
    LinkTouchTest() {
        label->setFont(kFont);
        label->setTextAlignment(ui::NSTextAlignmentLeft);
        window->addSubview(label);
        label->setText(String("url addr tel day zone bus plain"));
        label->addLinkToURL(*URL::withString("https://a.example"), {0, 3});
        label->addLinkToAddress(Dictionary(), {4, 4});
        label->addLinkToPhoneNumber(String("+1 650-253-0000"), {9, 3});
        label->addLinkToDate(Date(), {13, 3});
        label->addLinkToDate(Date(), TimeZone::utc(), 60, {17, 4});
        label->addLinkToTransitInformation(Dictionary(), {22, 3});
    }

    // The window's pending layout runs now, not in the exit handlers after the views are gone.
    void TearDown() override { RunLoop::main().runFor(0.01); }

    // The middle of the character at `index`, in window coordinates.
    ui::Point on(size_t index) const {
        const AttributedString text = *label->attributedText();
        const double start =
            ui::Framesetter::lineWidth(text.attributedSubstringFromRange({0, index}));
        const double end =
            ui::Framesetter::lineWidth(text.attributedSubstringFromRange({0, index + 1}));
        return {(start + end) / 2, label->bounds().midY()};
    }

    test::ManualClockScope time{100};
    std::shared_ptr<ui::Window> window = std::make_shared<ui::Window>(ui::Rect{0, 0, 320, 100});
    std::shared_ptr<TTTAttributedLabel> label =
        std::make_shared<TTTAttributedLabel>(ui::Rect{0, 0, 320, 40});
    ui::EventInjector fingers{window};
};

TEST_F(LinkTouchTest, EachKindReachesItsOwnOperationOrTheFallback) {
    for (const bool specific : {true, false}) {
        auto delegate = std::make_shared<LinkRecorder>(specific);
        label->setDelegate(delegate);
        for (const size_t index : {1, 5, 10, 14, 18, 23, 28})
            fingers.tap(on(index));
        const std::vector<std::string> expected =
            specific ? std::vector<std::string>{"url https://a.example", "address",
                                                "phone +1 650-253-0000", "date",
                                                "date in UTC for 60",    "transit"}
                     : std::vector<std::string>{"result 32", "result 16", "result 2048",
                                                "result 8",  "result 8",  "result 4096"};
        EXPECT_EQ(delegate->heard, expected);
    }
}

TEST_F(LinkTouchTest, PressingShowsTheLinkAndDraggingOffReportsNothing) {
    auto delegate = std::make_shared<LinkRecorder>(true);
    label->setDelegate(delegate);
    const AttributedString original = *label->attributedText();

    int finger = fingers.touchDown(on(1));
    ASSERT_TRUE(label->activeLink());
    EXPECT_EQ(colorAt(*label, 1), Color::redColor());
    EXPECT_EQ(colorAt(*label, 5), Color::blueColor());
    fingers.touchMove(finger, on(2));  // still on the link
    EXPECT_TRUE(label->activeLink());
    fingers.touchMove(finger, on(28));
    EXPECT_FALSE(label->activeLink());
    EXPECT_EQ(*label->attributedText(), original);
    fingers.touchUp(finger);
    EXPECT_TRUE(delegate->heard.empty());

    finger = fingers.touchDown(on(1));
    fingers.touchCancel(finger);
    EXPECT_TRUE(delegate->heard.empty());
    EXPECT_EQ(*label->attributedText(), original);

    finger = fingers.touchDown(on(2));
    fingers.touchUp(finger);
    EXPECT_EQ(delegate->heard, std::vector<std::string>{"url https://a.example"});
    EXPECT_EQ(*label->attributedText(), original);
}

TEST_F(LinkTouchTest, OnlyLinksAreHit) {
    EXPECT_EQ(window->hitTest(on(1)), label.get());
    EXPECT_EQ(window->hitTest(on(28)), window.get());
    EXPECT_EQ(window->hitTest({300, 20}), window.get());
}

// Rows of the picture with ink in them, as runs [first, last].
std::vector<std::pair<int, int>> inkBands(const Image& image) {
    std::vector<std::pair<int, int>> bands;
    for (int y = 0; y < image.pixelHeight(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.pixelWidth() && !ink; ++x)
            ink = image.rgbaAt(x, y)[3] > 128;
        if (!ink) continue;
        if (!bands.empty() && bands.back().second == y - 1) {
            bands.back().second = y;
        } else {
            bands.push_back({y, y});
        }
    }
    return bands;
}

std::pair<int, int> inkColumns(const Image& image, std::pair<int, int> band) {
    int left = image.pixelWidth(), right = -1;
    for (int y = band.first; y <= band.second; ++y) {
        for (int x = 0; x < image.pixelWidth(); ++x) {
            if (image.rgbaAt(x, y)[3] <= 128) continue;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    return {left, right};
}

TEST(TTTAttributedLabel, TheCharacterUnderAPointIsTheOneDrawnThere) {
    for (const auto alignment :
         {TTTAttributedLabelVerticalAlignmentCenter, TTTAttributedLabelVerticalAlignmentTop,
          TTTAttributedLabelVerticalAlignmentBottom}) {
        TTTAttributedLabel label({0, 0, 200, 120});
        label.setFont(Font::systemFontOfSize(20));
        label.setNumberOfLines(0);
        label.setTextAlignment(ui::NSTextAlignmentCenter);
        label.setVerticalAlignment(alignment);
        label.setText(String("Hello\nworld"));
        const auto image = ui::renderToImage(label, 1);
        const auto bands = inkBands(*image);
        ASSERT_EQ(bands.size(), 2u) << alignment;
        const auto [left, right] = inkColumns(*image, bands[1]);
        const double middle = (bands[1].first + bands[1].second) / 2.0;
        EXPECT_EQ(label.characterIndexAtPoint({left + 1.0, middle}), 6u) << alignment;
        EXPECT_EQ(label.characterIndexAtPoint({right - 1.0, middle}), 10u) << alignment;
        EXPECT_EQ(label.characterIndexAtPoint({left - 8.0, middle}), NSNotFound);
        EXPECT_EQ(label.characterIndexAtPoint({100, -1}), NSNotFound);
    }
}

TEST(TTTAttributedLabel, TheLastLineShownEndsWithTheTokenAndSizesCountShownLines) {
    TTTAttributedLabel label({0, 0, 160, 60});
    label.setFont(kFont);
    label.setTextAlignment(ui::NSTextAlignmentLeft);
    label.setNumberOfLines(1);
    label.setLineBreakMode(ui::NSLineBreakByTruncatingTail);
    label.setTruncationTokenString(String(" more"));
    Dictionary tokenLook;
    tokenLook.setObject(kFont.toValue(), ui::kCTFontAttributeName);
    tokenLook.setObject(Color::redColor().toValue(), ui::kCTForegroundColorAttributeName);
    label.setTruncationTokenStringAttributes(tokenLook);
    label.setText(String("A sentence far too long for one short line of a label"));
    const double oneLine = label.sizeThatFits({160, 0}).height;
    EXPECT_NEAR(oneLine, std::ceil(kFont.lineHeight()), 1);

    const auto image = ui::renderToImage(label, 1);
    int redColumn = -1;
    for (int x = 0; x < image->pixelWidth() && redColumn < 0; ++x) {
        for (int y = 0; y < image->pixelHeight(); ++y) {
            const auto pixel = image->rgbaAt(x, y);
            if (pixel[3] > 200 && pixel[0] > 200 && pixel[1] < 80) {
                redColumn = x;
                break;
            }
        }
    }
    ASSERT_GT(redColumn, 40);  // the token follows the start of the text
    EXPECT_EQ(label.characterIndexAtPoint({redColumn + 2.0, 30}), NSNotFound);
    EXPECT_EQ(label.characterIndexAtPoint({2, 30}), 0u);

    label.setNumberOfLines(2);
    EXPECT_NEAR(label.sizeThatFits({160, 0}).height, 2 * oneLine, 2);
    label.setTextInsets({5, 5, 5, 5});
    EXPECT_NEAR(label.sizeThatFits({170, 0}).height, 2 * oneLine + 10, 2);
}

TEST(TTTAttributedLabel, ShrinkingScalesEveryFontToTheRoom) {
    TTTAttributedLabel label({0, 0, 100, 30});
    label.setFont(Font::systemFontOfSize(20));
    label.setAdjustsFontSizeToFitWidth(true);
    label.setText(String("A fairly long line of text"));
    const double natural = label.sizeThatFits({}).width;
    ui::renderToImage(label, 1);
    const auto font = fontAt(*label.attributedText(), 0);
    EXPECT_EQ(font->pointSize(), std::floor(20 * 100 / natural));
    EXPECT_LE(label.sizeThatFits({}).width, 100);
}

TEST(TTTAttributedLabel, HighlightedTextAndShadowsAreDrawnInTheirColours) {
    const auto hasColour = [](const Image& image, int channel) {
        for (int y = 0; y < image.pixelHeight(); ++y) {
            for (int x = 0; x < image.pixelWidth(); ++x) {
                const auto pixel = image.rgbaAt(x, y);
                if (pixel[3] > 200 && pixel[channel] > 200 && pixel[(channel + 1) % 3] < 60)
                    return true;
            }
        }
        return false;
    };
    TTTAttributedLabel label({0, 0, 120, 40});
    label.setFont(Font::boldSystemFontOfSize(24));
    label.setText(String("Lit"));
    label.setHighlightedTextColor(Color::greenColor());
    label.setHighlighted(true);
    EXPECT_TRUE(hasColour(*ui::renderToImage(label, 1), 1));
    label.setHighlighted(false);
    label.setShadowColor(Color::redColor());
    label.setShadowOffset({4, 4});
    const auto shadowed = ui::renderToImage(label, 1);
    EXPECT_TRUE(hasColour(*shadowed, 0));
    EXPECT_FALSE(hasColour(*shadowed, 1));
}

TEST(TTTAttributedLabel, DetectedLinksApplyOnlyToTheTextStillShown) {
    auto label = std::make_shared<TTTAttributedLabel>();
    label->setEnabledTextCheckingTypes(NSTextCheckingTypeLink | NSTextCheckingTypePhoneNumber);
    ASSERT_TRUE(label->dataDetector());
    label->setText(String("visit www.first.com"));
    label->setText(String("or www.second.org, +1 650-253-0000"));
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return label->links().size() == 2; }, 10));
    RunLoop::main().runFor(0.2);  // the first text's results have come back by now
    ASSERT_EQ(label->links().size(), 2u);
    EXPECT_EQ(label->links()[0].URL()->absoluteString(), String("http://www.second.org"));
    EXPECT_EQ(label->links()[1].phoneNumber(), String("+1 650-253-0000"));
    EXPECT_EQ(colorAt(*label, 4), Color::blueColor());

    // A label gone before its results arrive is left alone.
    label->setText(String("www.gone.com"));
    label.reset();
    RunLoop::main().runFor(0.1);

    TTTAttributedLabel plain;
    plain.setEnabledTextCheckingTypes(0);
    EXPECT_FALSE(plain.dataDetector());
}

TEST(TTTAttributedLabel, CopiesItsPlainText) {
    TTTAttributedLabel label;
    label.setText(String("Copy me"));
    EXPECT_TRUE(label.canBecomeFirstResponder());
    EXPECT_TRUE(label.canPerformAction("copy:"));
    EXPECT_FALSE(label.canPerformAction("paste:"));
    label.copy();
    EXPECT_EQ(ui::Pasteboard::generalPasteboard().string(), String("Copy me"));
}

}  // namespace
}  // namespace ov
