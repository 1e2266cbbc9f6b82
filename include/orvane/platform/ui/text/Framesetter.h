#pragma once
// Line-by-line layout of styled text (the platform's CTFramesetter, CTFrame and CTLine): where
// the text breaks into lines within a width, each line's box, the size the lines take, a line
// shortened with a truncation token, and the character at a place on a line.
//
//   ov::ui::Framesetter framesetter(text);
//   for (const ov::ui::TextLine& line : framesetter.linesForWidth(200)) {
//       context.drawText(framesetter.attributedStringOfLine(line), line.box.origin);
//   }
//   framesetter.suggestFrameSizeWithConstraints({200, 40});   // the lines that fit 40 points
//
// Lines are laid out as GraphicsContext::drawText lays out text (Pango), so drawing each line
// at its box's origin shows the same picture as drawing the whole text. The paragraph style of
// the first character rules the whole text; its truncating line-break modes wrap by word here
// (shortening a line is the caller's choice, see truncatedLine).
//
// Main thread only (the lines of the last width asked are kept).

#include <optional>
#include <vector>

#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/text/ParagraphStyle.h"

namespace ov::ui {

struct TextLine {
    // The characters of the line, the line break that ends it included.
    Range range;
    // Points from the top left of the text: the indent and the alignment are in the x.
    Rect box;
    // From the top of the text.
    double baseline = 0;
};

// A line shortened to a width with a token in place of what does not fit.
struct TruncatedLine {
    AttributedString text;
    // Characters of the original line kept before the token and after it.
    Range head;
    Range tail;
    size_t tokenLength = 0;
    // The original line's index of the character at `index` of `text`, NSNotFound in the token.
    size_t sourceIndex(size_t index) const;
};

class Framesetter {
  public:
    explicit Framesetter(AttributedString text);

    const AttributedString& attributedString() const { return m_text; }
    // The first character's paragraph style, or the default one.
    const ParagraphStyle& paragraphStyle() const { return m_style; }

    // The lines of the text broken within `width` (0 or less: no limit), top to bottom; one
    // empty line for an empty text.
    const std::vector<TextLine>& linesForWidth(double width) const;
    // The size of the lines that fit the constraints (a height of 0 or less: no limit; at
    // least the first line), no more than `numberOfLines` (0: no limit), not rounded.
    Size suggestFrameSizeWithConstraints(Size constraints, size_t numberOfLines = 0) const;
    // How many of the lines within `width` fit `height` (0 or less: no limit; at least one),
    // no more than `numberOfLines` (0: no limit).
    size_t fittingLineCount(Size constraints, size_t numberOfLines = 0) const;
    // The line's own text, ready to draw as one line at its box's origin: without the
    // paragraph's indents and the line break that ends it.
    AttributedString attributedStringOfLine(const TextLine& line) const;
    // The text from the line's start to the end of the text on one line (line breaks become
    // blanks), shortened to `width` the way `mode` says (head, middle, else tail) with
    // `token` in place of what is left out; unchanged when it fits.
    TruncatedLine truncatedLineFrom(const TextLine& line, double width, NSLineBreakMode mode,
                                    const AttributedString& token) const;

    // The width of a text drawn as one line.
    static double lineWidth(const AttributedString& line);
    // The index of the character drawn at `x` on a one-line text (the nearest end beyond it).
    static size_t stringIndexForPosition(const AttributedString& line, double x);

  private:
    AttributedString m_text;
    ParagraphStyle m_style;
    mutable std::optional<double> m_linesWidth;
    mutable std::vector<TextLine> m_lines;
};

}  // namespace ov::ui
