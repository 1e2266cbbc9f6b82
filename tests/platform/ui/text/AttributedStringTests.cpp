#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/ui/text/ParagraphStyle.h"

namespace ov::ui {
namespace {

const Value kRed = Color::redColor().toValue();
const Value kBlue = Color::blueColor().toValue();

std::vector<Range> runsOf(const AttributedString& text) {
    std::vector<Range> runs;
    text.enumerateAttributesInRange({0, text.length()}, [&runs](const Dictionary&, Range range,
                                                                bool&) { runs.push_back(range); });
    return runs;
}

TEST(AttributedStringTest, AddingSplitsRunsAndEqualNeighboursMerge) {
    MutableAttributedString text("Hello world");
    text.addAttribute(NSForegroundColorAttributeName, kRed, {2, 3});
    EXPECT_EQ(runsOf(text), (std::vector<Range>{{0, 2}, {2, 3}, {5, 6}}));
    Range range;
    EXPECT_EQ(text.attributeAtIndex(NSForegroundColorAttributeName, 4, &range), kRed);
    EXPECT_EQ(range, (Range{2, 3}));
    EXPECT_TRUE(text.attributeAtIndex(NSForegroundColorAttributeName, 8, &range).isAbsent());
    EXPECT_EQ(range, (Range{5, 6}));

    text.addAttribute(NSForegroundColorAttributeName, kRed, {0, 2});
    text.addAttribute(NSForegroundColorAttributeName, kRed, {5, 6});
    EXPECT_EQ(runsOf(text), (std::vector<Range>{{0, 11}}));
    text.removeAttribute(NSForegroundColorAttributeName, {0, 11});
    EXPECT_EQ(text, AttributedString("Hello world"));
}

TEST(AttributedStringTest, OneAttributeRunsAcrossChangesOfOthers) {
    MutableAttributedString text("abcdef",
                                 {{NSFontAttributeName, Font::systemFontOfSize(12).toValue()}});
    text.addAttribute(NSKernAttributeName, Value(2.0), {1, 2});
    text.addAttribute(NSUnderlineStyleAttributeName, Value(1), {3, 1});
    Range range;
    EXPECT_EQ(Font::fromValue(text.attributeAtIndex(NSFontAttributeName, 2, &range)),
              Font::systemFontOfSize(12));
    EXPECT_EQ(range, (Range{0, 6}));
    std::vector<Range> kernRuns;
    text.enumerateAttribute(NSKernAttributeName, {0, 6},
                            [&](const Value&, Range run, bool&) { kernRuns.push_back(run); });
    EXPECT_EQ(kernRuns, (std::vector<Range>{{0, 1}, {1, 2}, {3, 3}}));

    int calls = 0;
    text.enumerateAttributesInRange({0, 6}, [&calls](const Dictionary&, Range, bool& stop) {
        ++calls;
        stop = true;
    });
    EXPECT_EQ(calls, 1);
}

TEST(AttributedStringTest, ReplacedTextInheritsAttributes) {
    MutableAttributedString text("ab", {{NSForegroundColorAttributeName, kRed}});
    text.appendAttributedString(AttributedString("cd", {{NSForegroundColorAttributeName, kBlue}}));
    text.replaceCharactersInRange({2, 0}, "X");  // inserted: takes the character before
    EXPECT_EQ(text.string(), "abXcd");
    EXPECT_EQ(text.attributeAtIndex(NSForegroundColorAttributeName, 2), kRed);
    text.replaceCharactersInRange({3, 2}, "YZW");  // replacing: takes the first replaced one
    EXPECT_EQ(text.string(), "abXYZW");
    EXPECT_EQ(text.attributeAtIndex(NSForegroundColorAttributeName, 5), kBlue);
    text.replaceCharactersInRange({0, 0}, "_");  // at the start: the one after
    EXPECT_EQ(text.attributeAtIndex(NSForegroundColorAttributeName, 0), kRed);
    text.deleteCharactersInRange({1, 100});  // clipped to the end
    EXPECT_EQ(text.string(), "_");
    text.insertAttributedString(AttributedString("!"), 5);  // past the end: nothing
    EXPECT_EQ(text.string(), "_");
}

TEST(AttributedStringTest, RangesPastTheEndAreClippedOrIgnored) {
    MutableAttributedString text("Zoë 👋");  // the hand is two UTF-16 units
    EXPECT_EQ(text.length(), 6u);
    text.addAttribute(NSLinkAttributeName, Value("https://example.com"), {4, 99});
    EXPECT_EQ(runsOf(text), (std::vector<Range>{{0, 4}, {4, 2}}));
    text.setAttributes({}, {10, 1});
    Range range;
    EXPECT_TRUE(text.attributesAtIndex(6, &range).isEmpty());
    EXPECT_EQ(range.location, NSNotFound);
    const AttributedString tail = text.attributedSubstringFromRange({4, 10});
    EXPECT_EQ(tail.string(), "👋");
    EXPECT_EQ(tail.attributeAtIndex(NSLinkAttributeName, 1), Value("https://example.com"));
}

TEST(AttributedStringTest, EqualityNeedsTheSameAttributesEverywhere) {
    const AttributedString plain("text");
    MutableAttributedString styled("text");
    EXPECT_EQ(styled, plain);
    styled.addAttribute(NSForegroundColorAttributeName, kRed, {1, 1});
    EXPECT_NE(styled, plain);
    MutableAttributedString same("text");
    same.addAttribute(NSForegroundColorAttributeName, Color::redColor().toValue(), {1, 1});
    EXPECT_TRUE(styled.isEqualToAttributedString(same));
}

// Measuring: exact widths belong to the fonts, but the order of sizes does not.
Dictionary fontAttributes(double size) {
    return {{NSFontAttributeName, Font::systemFontOfSize(size).toValue()}};
}

TEST(TextMeasuringTest, SizesGrowWithTextFontAndKerning) {
    const Size short_ = sizeWithAttributes("Hello", fontAttributes(17));
    const Size longer = sizeWithAttributes("Hello there", fontAttributes(17));
    const Size bigger = sizeWithAttributes("Hello", fontAttributes(34));
    EXPECT_GT(short_.width, 20);
    EXPECT_GT(longer.width, short_.width);
    EXPECT_NEAR(short_.height, Font::systemFontOfSize(17).lineHeight(), 1);
    EXPECT_NEAR(bigger.width, 2 * short_.width, 0.5);
    Dictionary kerned = fontAttributes(17);
    kerned.setObject(Value(3.0), NSKernAttributeName);
    // Kerning goes between letters at least.
    EXPECT_GE(sizeWithAttributes("Hello", kerned).width, short_.width + 4 * 3 - 0.01);
    EXPECT_LE(sizeWithAttributes("Hello", kerned).width, short_.width + 5 * 3 + 0.01);
    EXPECT_EQ(sizeWithAttributes("", fontAttributes(17)).width, 0);
    // Without a font the text is Helvetica 12.
    EXPECT_NEAR(AttributedString("Hello").size().height,
                Font::fontWithName("Helvetica", 12)->lineHeight(), 1);
}

TEST(TextMeasuringTest, NarrowerBoxesWrapIntoMoreLines) {
    const String text = "The quick brown fox jumps over the lazy dog again and again";
    const Dictionary attributes = fontAttributes(14);
    const double line = Font::systemFontOfSize(14).lineHeight();
    const Rect oneLine =
        boundingRectWithSize(text, {1e9, 1e9}, NSStringDrawingUsesLineFragmentOrigin, attributes);
    EXPECT_NEAR(oneLine.size.height, line, 1);
    double previousHeight = 0;
    for (double width : {400.0, 200.0, 100.0}) {
        const Rect box = boundingRectWithSize(text, {width, 1e9},
                                              NSStringDrawingUsesLineFragmentOrigin, attributes);
        EXPECT_LE(box.size.width, width);
        EXPECT_GT(box.size.height, previousHeight);
        previousHeight = box.size.height;
    }
    // Limits: a number of lines, and a height that fits two lines.
    const AttributedString styled(text, attributes);
    EXPECT_NEAR(
        styled.boundingRectWithSize({100, 0}, NSStringDrawingUsesLineFragmentOrigin, 2).size.height,
        2 * line, 1);
    EXPECT_NEAR(boundingRectWithSize(text, {100, 2.5 * line}, NSStringDrawingUsesLineFragmentOrigin,
                                     attributes)
                    .size.height,
                2 * line, 1);
    // A box as tall as the largest double is no limit at all.
    EXPECT_EQ(
        boundingRectWithSize(text, {100, std::numeric_limits<double>::max()},
                             NSStringDrawingUsesLineFragmentOrigin, attributes),
        boundingRectWithSize(text, {100, 0}, NSStringDrawingUsesLineFragmentOrigin, attributes));
    // Without line fragments the text is one line standing on its baseline.
    const Rect baseline = boundingRectWithSize(text, {100, 1e9}, 0, attributes);
    EXPECT_LT(baseline.origin.y, 0);
    EXPECT_NEAR(baseline.size.width, oneLine.size.width, 1e-6);
}

TEST(TextMeasuringTest, ParagraphStyleSpacingAndLineHeights) {
    const String text = "one two three four five six";
    ParagraphStyle spaced;
    spaced.lineSpacing = 10;
    Dictionary attributes = fontAttributes(14);
    const double plain =
        boundingRectWithSize(text, {60, 0}, NSStringDrawingUsesLineFragmentOrigin, attributes)
            .size.height;
    attributes.setObject(spaced.toValue(), NSParagraphStyleAttributeName);
    const double withSpacing =
        boundingRectWithSize(text, {60, 0}, NSStringDrawingUsesLineFragmentOrigin, attributes)
            .size.height;
    EXPECT_GT(withSpacing, plain + 10);

    ParagraphStyle tall;
    tall.minimumLineHeight = 40;
    attributes.setObject(tall.toValue(), NSParagraphStyleAttributeName);
    EXPECT_NEAR(sizeWithAttributes("x", attributes).height, 40, 1);
    ParagraphStyle capped;
    capped.lineHeightMultiple = 3;
    capped.maximumLineHeight = 30;
    attributes.setObject(capped.toValue(), NSParagraphStyleAttributeName);
    EXPECT_NEAR(sizeWithAttributes("x", attributes).height, 30, 1);
}

TEST(TextMeasuringTest, TruncationKeepsLongTextWithinTheBox) {
    const String text = "A line far too long to fit into a small label at all";
    ParagraphStyle tail;
    tail.lineBreakMode = NSLineBreakByTruncatingTail;
    Dictionary attributes = fontAttributes(14);
    attributes.setObject(tail.toValue(), NSParagraphStyleAttributeName);
    const double line = Font::systemFontOfSize(14).lineHeight();
    const Rect truncated =
        boundingRectWithSize(text, {80, line}, NSStringDrawingUsesLineFragmentOrigin, attributes);
    EXPECT_LE(truncated.size.width, 80);
    EXPECT_NEAR(truncated.size.height, line, 1);
    // Word wrapping would take more lines than fit; the limit keeps one.
    const Rect wrapped = boundingRectWithSize(
        text, {80, line}, NSStringDrawingUsesLineFragmentOrigin, fontAttributes(14));
    EXPECT_NEAR(wrapped.size.height, line, 1);
}

TEST(TextMeasuringTest, ASmallerLineAfterATallerOneStaysWhereItFits) {
    MutableAttributedString text(String("TITLE\nsmaller line"), fontAttributes(17));
    text.addAttribute(NSFontAttributeName, Font::systemFontOfSize(12).toValue(), {6, 12});
    const double whole =
        text.boundingRectWithSize({200, 0}, NSStringDrawingUsesLineFragmentOrigin).size.height;
    EXPECT_GT(whole, Font::systemFontOfSize(17).lineHeight() + 10);
    const double boxed =
        text.boundingRectWithSize({200, std::ceil(whole)}, NSStringDrawingUsesLineFragmentOrigin)
            .size.height;
    EXPECT_DOUBLE_EQ(boxed, whole);
}

}  // namespace
}  // namespace ov::ui
