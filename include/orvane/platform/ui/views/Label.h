#pragma once
// A view that draws read-only text (the platform's UILabel): plain or styled text, font,
// colour, alignment, line count and breaking (with truncation), shrinking to fit, a shadow
// and a highlighted colour.
//
//   auto title = std::make_shared<ov::ui::Label>(ov::ui::Rect{0, 0, 200, 20});
//   title->setText("Downloading");
//   title->setFont(ov::ui::Font::boldSystemFontOfSize(16));
//   title->setNumberOfLines(0);            // as many lines as the text needs
//   title->sizeThatFits({200, 0});         // the size the wrapped text takes
//
// The styled text is the one shown: setting the plain text makes it from the label's font,
// colour, alignment and line breaking; setting font, colour, alignment or line breaking
// applies them to the whole styled text. Subclasses override textRectForBounds and
// drawTextInRect to place or draw the text differently. Main thread only.

#include <optional>

#include "orvane/platform/ui/drawing/TextDrawingCache.h"
#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/ui/text/ParagraphStyle.h"
#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

class Label : public View {
  public:
    explicit Label(const Rect& frame = {});

    // None until set; setting none (or an empty text) clears the styled text.
    std::optional<String> text() const;
    void setText(const std::optional<String>& text);
    // None when there is no text.
    std::optional<AttributedString> attributedText() const;
    void setAttributedText(const std::optional<AttributedString>& text);

    // The system font of 17 points unless set (or an appearance default says otherwise).
    Font font() const;
    void setFont(const Font& font);
    // Black unless set (or an appearance default says otherwise); none goes back to that.
    Color textColor() const;
    void setTextColor(const std::optional<Color>& color);
    NSTextAlignment textAlignment() const { return m_textAlignment; }
    void setTextAlignment(NSTextAlignment alignment);
    // 0: as many lines as the text needs. 1 by default.
    long numberOfLines() const { return m_numberOfLines; }
    void setNumberOfLines(long lines);
    // Tail truncation by default.
    NSLineBreakMode lineBreakMode() const { return m_lineBreakMode; }
    void setLineBreakMode(NSLineBreakMode mode);

    // Single-line text wider than the bounds is drawn smaller, down to minimumScaleFactor of
    // its size (0: no limit), before it is truncated.
    bool adjustsFontSizeToFitWidth() const { return m_adjustsFontSizeToFitWidth; }
    void setAdjustsFontSizeToFitWidth(bool adjusts);
    double minimumScaleFactor() const { return m_minimumScaleFactor; }
    void setMinimumScaleFactor(double factor);

    // A sharp shadow under the text; none by default, offset (0, -1).
    const std::optional<Color>& shadowColor() const { return m_shadowColor; }
    void setShadowColor(const std::optional<Color>& color);
    Size shadowOffset() const { return m_shadowOffset; }
    void setShadowOffset(Size offset);

    // While highlighted, the text is drawn in highlightedTextColor (when there is one).
    const std::optional<Color>& highlightedTextColor() const { return m_highlightedTextColor; }
    void setHighlightedTextColor(const std::optional<Color>& color);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);

    // The width a label of several lines wraps at for intrinsicContentSize; 0: no limit.
    double preferredMaxLayoutWidth() const { return m_preferredMaxLayoutWidth; }
    void setPreferredMaxLayoutWidth(double width);

    // Where the text goes within `bounds` when limited to `numberOfLines` (0: no limit): the
    // top left of the bounds with the text's size.
    virtual Rect textRectForBounds(const Rect& bounds, long numberOfLines) const;
    // Draws the text vertically centred in `rect`.
    virtual void drawTextInRect(GraphicsContext& context, const Rect& rect);

    // The text's size within size.width (0 or less: no limit), rounded up to whole points.
    Size sizeThatFits(Size size) const override;
    Size intrinsicContentSize() const override;
    void drawRect(GraphicsContext& context, const Rect& rect) override;

  protected:
    // The text as drawn now: highlighted colour applied.
    AttributedString textForDrawing() const;

  private:
    Dictionary labelAttributes() const;
    ParagraphStyle paragraphStyle() const;
    // Applies one attribute over the whole styled text.
    void applyToText(const String& name, const Value& value);
    void textDidChange();
    // The text's size within `width`, measured again only when the text (with its font and
    // colour), the width or the line limit differ from the last call's.
    Size measured(const AttributedString& text, double width) const;

    struct Measurement {
        AttributedString text;
        double width;
        long numberOfLines;
        Size size;
    };
    mutable std::optional<Measurement> m_lastMeasurement;
    TextDrawingCache m_textCache;
    std::optional<AttributedString> m_text;
    std::optional<Font> m_font;
    std::optional<Color> m_textColor;
    NSTextAlignment m_textAlignment = NSTextAlignmentNatural;
    long m_numberOfLines = 1;
    NSLineBreakMode m_lineBreakMode = NSLineBreakByTruncatingTail;
    bool m_adjustsFontSizeToFitWidth = false;
    double m_minimumScaleFactor = 0;
    std::optional<Color> m_shadowColor;
    Size m_shadowOffset{0, -1};
    std::optional<Color> m_highlightedTextColor;
    bool m_highlighted = false;
    double m_preferredMaxLayoutWidth = 0;
};

}  // namespace ov::ui
