#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/ui/text/Framesetter.h"

namespace ov::ui {
namespace {

AttributedString styled(const char* text, NSTextAlignment alignment = NSTextAlignmentLeft,
                        double firstLineIndent = 0) {
    ParagraphStyle style;
    style.alignment = alignment;
    style.firstLineHeadIndent = firstLineIndent;
    style.lineSpacing = 3;
    Dictionary attributes;
    attributes.setObject(Font::systemFontOfSize(15).toValue(), NSFontAttributeName);
    attributes.setObject(style.toValue(), NSParagraphStyleAttributeName);
    return AttributedString(String(text), attributes);
}

constexpr const char* kText = "The quick brown fox jumps over the lazy dog.\nA second paragraph.";

TEST(Framesetter, LinesCoverTheTextInOrderAndBreakAtParagraphs) {
    const Framesetter framesetter(styled(kText));
    const auto& lines = framesetter.linesForWidth(120);
    ASSERT_GE(lines.size(), 4u);
    size_t next = 0;
    double bottom = 0;
    for (const TextLine& line : lines) {
        EXPECT_EQ(line.range.location, next);
        EXPECT_GE(line.box.minY(), bottom);
        next = line.range.location + line.range.length;
        bottom = line.box.maxY();
    }
    EXPECT_EQ(next, String(kText).length());
    const size_t paragraph = String(kText).rangeOfString("A second").location;
    const auto starts = std::count_if(lines.begin(), lines.end(), [&](const TextLine& line) {
        return line.range.location == paragraph;
    });
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(framesetter.attributedStringOfLine(lines.back()).string(), String("paragraph."));
}

TEST(Framesetter, SuggestedSizesCountOnlyTheLinesThatFit) {
    const Framesetter framesetter(styled(kText));
    const auto& lines = framesetter.linesForWidth(120);
    const Size all = framesetter.suggestFrameSizeWithConstraints({120, 0});
    EXPECT_DOUBLE_EQ(all.height, lines.back().box.maxY());
    EXPECT_DOUBLE_EQ(framesetter.suggestFrameSizeWithConstraints({120, 0}, 2).height,
                     lines[1].box.maxY());
    EXPECT_DOUBLE_EQ(
        framesetter.suggestFrameSizeWithConstraints({120, lines[2].box.maxY() - 1}).height,
        lines[1].box.maxY());
    // At least one line, however little room there is.
    EXPECT_EQ(framesetter.fittingLineCount({120, 1}), 1u);
}

// Drawing line by line at the boxes gives the picture of drawing the whole text at once.
TEST(Framesetter, LinesDrawnOneByOneMatchTheWholeText) {
    for (const auto alignment :
         {NSTextAlignmentLeft, NSTextAlignmentCenter, NSTextAlignmentRight}) {
        const AttributedString text = styled(kText, alignment, 12);
        const Framesetter framesetter(text);
        auto whole = GraphicsContext::bitmap({160, 160}, 2);
        whole->drawText(text, Rect{0, 0, 160, 160});
        auto lines = GraphicsContext::bitmap({160, 160}, 2);
        for (const TextLine& line : framesetter.linesForWidth(160))
            lines->drawText(framesetter.attributedStringOfLine(line), line.box.origin);
        const auto a = whole->makeImage();
        const auto b = lines->makeImage();
        int differing = 0;
        for (int y = 0; y < a->pixelHeight(); ++y) {
            for (int x = 0; x < a->pixelWidth(); ++x) {
                const auto p = a->rgbaAt(x, y);
                const auto q = b->rgbaAt(x, y);
                if (std::abs(p[3] - q[3]) > 40) ++differing;
            }
        }
        EXPECT_LT(differing, 20) << "alignment " << alignment;
    }
}

TEST(Framesetter, TruncatedLinesFitAndMapBackToTheirCharacters) {
    const Framesetter framesetter(styled("Alpha beta gamma delta epsilon zeta eta theta"));
    const TextLine& first = framesetter.linesForWidth(0).front();
    const AttributedString token = styled("\u2026");
    const double room = 120;

    const TruncatedLine tail =
        framesetter.truncatedLineFrom(first, room, NSLineBreakByTruncatingTail, token);
    EXPECT_LE(Framesetter::lineWidth(tail.text), room);
    EXPECT_TRUE(tail.text.string().hasPrefix("Alpha beta"));
    EXPECT_TRUE(tail.text.string().hasSuffix("\u2026"));
    EXPECT_EQ(tail.sourceIndex(0), 0u);
    EXPECT_EQ(tail.sourceIndex(tail.head.length), NSNotFound);

    const TruncatedLine head =
        framesetter.truncatedLineFrom(first, room, NSLineBreakByTruncatingHead, token);
    EXPECT_TRUE(head.text.string().hasPrefix("\u2026"));
    EXPECT_TRUE(head.text.string().hasSuffix("theta"));
    EXPECT_EQ(head.sourceIndex(head.text.length() - 1),
              framesetter.attributedString().length() - 1);

    const TruncatedLine middle = framesetter.truncatedLineFrom(
        first, room, NSLineBreakByTruncatingMiddle, styled(" [...] "));
    EXPECT_TRUE(middle.text.string().hasPrefix("Alpha"));
    EXPECT_TRUE(middle.text.string().hasSuffix("theta"));
    EXPECT_NE(middle.text.string().rangeOfString("[...]").location, NSNotFound);
    EXPECT_LE(Framesetter::lineWidth(middle.text), room);

    // Room for everything: nothing is cut.
    const TruncatedLine whole =
        framesetter.truncatedLineFrom(first, 1000, NSLineBreakByTruncatingTail, token);
    EXPECT_EQ(whole.text.string(), framesetter.attributedString().string());
}

TEST(Framesetter, PositionsFindTheCharacterDrawnThere) {
    const AttributedString line = styled("iiiiWWWW");
    const double narrow = Framesetter::lineWidth(styled("iiii"));
    EXPECT_EQ(Framesetter::stringIndexForPosition(line, 0.5), 0u);
    EXPECT_EQ(Framesetter::stringIndexForPosition(line, narrow - 0.5), 3u);
    EXPECT_EQ(Framesetter::stringIndexForPosition(line, narrow + 0.5), 4u);
    EXPECT_EQ(Framesetter::stringIndexForPosition(line, 1000), 7u);
    EXPECT_EQ(Framesetter::stringIndexForPosition(AttributedString(), 10), 0u);
}

}  // namespace
}  // namespace ov::ui
