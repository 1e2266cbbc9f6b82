#pragma once
// A label that holds and draws styled text with links (TTTAttributedLabel).
//
//   auto label = std::make_shared<ov::TTTAttributedLabel>(ov::ui::Rect{0, 0, 280, 60});
//   label->setNumberOfLines(0);
//   label->setEnabledTextCheckingTypes(ov::NSTextCheckingTypeLink);   // found in the background
//   label->setText("Read the terms", [](ov::ui::MutableAttributedString& text) {
//       text.addAttribute(ov::ui::kCTForegroundColorAttributeName,
//                         ov::ui::Color::grayColor().toValue(), {0, 4});
//       return text;
//   });
//   label->addLinkToURL(*ov::URL::withString("https://example.com/terms"), {9, 5});
//   label->setDelegate(screen);   // told when a link is tapped
//
// The label's own settings (font, colour, kerning, alignment, line heights, indent, line
// breaking) become the attributes of a text when it is set; changing a setting later reaches
// the text at the next set. Lines are drawn one by one within the text area, no more than
// numberOfLines of them; when text is left over and the line-break mode truncates, the last
// line shown ends (or starts, or is cut in the middle) with the truncation token, "…" in the
// attributes of that line's last character unless set. characterIndexAtPoint answers from the
// same lines, so a touch finds the character that is drawn under it.
//
// Main thread only; link detection alone runs on the global queue and its results apply
// only while the text it searched is still shown.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/network/DataDetector.h"
#include "orvane/platform/network/TextCheckingResult.h"
#include "orvane/platform/ui/input/Responder.h"
#include "orvane/platform/ui/text/Framesetter.h"
#include "orvane/platform/ui/views/Label.h"

namespace ov {

class TTTAttributedLabel;

// Where the text sits in a label taller than it.
enum TTTAttributedLabelVerticalAlignment : long {
    TTTAttributedLabelVerticalAlignmentCenter = 0,
    TTTAttributedLabelVerticalAlignmentTop = 1,
    TTTAttributedLabelVerticalAlignmentBottom = 2,
};

// Told about tapped links. Each operation answers whether it is implemented (the defaults are
// not), which stands for the platform's "responds to". The names carry all their keywords, as
// address and transit information take the same kind of argument.
class TTTAttributedLabelDelegate {
  public:
    virtual ~TTTAttributedLabelDelegate() = default;
    virtual bool attributedLabel_didSelectLinkWithURL(TTTAttributedLabel&, const URL&) {
        return false;
    }
    virtual bool attributedLabel_didSelectLinkWithAddress(TTTAttributedLabel&,
                                                          const Dictionary& /*components*/) {
        return false;
    }
    virtual bool attributedLabel_didSelectLinkWithPhoneNumber(TTTAttributedLabel&, const String&) {
        return false;
    }
    virtual bool attributedLabel_didSelectLinkWithDate(TTTAttributedLabel&, const Date&) {
        return false;
    }
    virtual bool attributedLabel_didSelectLinkWithDate_timeZone_duration(TTTAttributedLabel&,
                                                                         const Date&,
                                                                         const TimeZone&,
                                                                         double /*duration*/) {
        return false;
    }
    virtual bool attributedLabel_didSelectLinkWithTransitInformation(
        TTTAttributedLabel&, const Dictionary& /*components*/) {
        return false;
    }
    // Every kind the delegate does not take by its own operation comes here.
    virtual bool attributedLabel_didSelectLinkWithTextCheckingResult(TTTAttributedLabel&,
                                                                     const TextCheckingResult&) {
        return false;
    }
};

// The label's paragraph settings in the low-level text system's terms, for text laid out
// without the paragraph-style class.
struct TTTLowLevelParagraphStyle {
    long alignment = 0;                 // translated, see lowLevelTextAlignment
    std::optional<long> lineBreakMode;  // translated; only for a label of one line
    double lineSpacing = 0;
    double minimumLineSpacing = 0;
    double maximumLineSpacing = 0;
    double lineSpacingAdjustment = 0;
    double lineHeightMultiple = 0;
    double firstLineHeadIndent = 0;
};

// The label's alignment for the low-level text system: left stays 0, centre becomes 2, right
// becomes 1, the rest natural (4).
long lowLevelTextAlignment(long alignment);
// Line-break modes 1 to 5 stay, anything else is word wrapping (0).
long lowLevelLineBreakMode(long mode);
TTTLowLevelParagraphStyle lowLevelParagraphStyleFromLabel(const TTTAttributedLabel& label);

// The label's settings as text attributes: font, colour, kerning and a paragraph style.
Dictionary NSAttributedStringAttributesFromLabel(const TTTAttributedLabel& label);
// Runs marked to take the context's colour get `color` instead (and lose the mark); without a
// colour the text is unchanged.
ui::AttributedString NSAttributedStringBySettingColorFromContext(
    const ui::AttributedString& text, const std::optional<ui::Color>& color);

class TTTAttributedLabel : public ui::Label, public ui::Responder {
  public:
    // Adjusts the styled text before it is set; answers the text to use.
    using ConfigureBlock = std::function<ui::AttributedString(ui::MutableAttributedString&)>;

    explicit TTTAttributedLabel(const ui::Rect& frame = {});

    // Setting text. A plain text takes the label's attributes; a styled text keeps its own but
    // for the label's (font, colour, kerning, paragraph style), which replace them. Either
    // form drops the links and the pressed link, adds a link for every run of the link
    // attribute and, with text-checking types enabled, starts detecting links.
    void setText(const std::optional<String>& text);
    void setText(const ui::AttributedString& text);
    void setText(const String& text, const ConfigureBlock& block);
    void setText(const ui::AttributedString& text, const ConfigureBlock& block);
    std::optional<ui::AttributedString> attributedText() const { return m_attributedText; }
    // Stores the text when it differs from the one held (content and attributes).
    void setAttributedText(const std::optional<ui::AttributedString>& text);

    // The text as drawn: context colours resolved. Built on demand.
    const std::optional<ui::AttributedString>& renderedAttributedText() const;
    bool needsFramesetter() const { return m_needsFramesetter; }
    void setNeedsFramesetter();
    // Layouts of the rendered text (plain and highlighted), built on demand.
    std::shared_ptr<const ui::Framesetter> framesetter() const;
    std::shared_ptr<const ui::Framesetter> highlightFramesetter() const;

    // None goes back to black.
    void setTextColor(const std::optional<ui::Color>& color);
    void setHighlighted(bool highlighted);

    std::shared_ptr<TTTAttributedLabelDelegate> delegate() const { return m_delegate.lock(); }
    // Held weakly.
    void setDelegate(const std::shared_ptr<TTTAttributedLabelDelegate>& delegate) {
        m_delegate = delegate;
    }

    // Link detection.
    NSTextCheckingTypes enabledTextCheckingTypes() const { return m_enabledTextCheckingTypes; }
    void setEnabledTextCheckingTypes(NSTextCheckingTypes types);
    NSTextCheckingTypes dataDetectorTypes() const { return m_enabledTextCheckingTypes; }
    void setDataDetectorTypes(NSTextCheckingTypes types) { setEnabledTextCheckingTypes(types); }
    const std::shared_ptr<DataDetector>& dataDetector() const { return m_dataDetector; }
    void setDataDetector(std::shared_ptr<DataDetector> detector) {
        m_dataDetector = std::move(detector);
    }

    // Links, latest last.
    const std::vector<TextCheckingResult>& links() const { return m_links; }
    void setLinks(std::vector<TextCheckingResult> links) { m_links = std::move(links); }
    // With attributes, they are laid over each link's range of the text.
    void addLinksWithTextCheckingResults(const std::vector<TextCheckingResult>& results,
                                         const std::optional<Dictionary>& attributes);
    void addLinkWithTextCheckingResult(const TextCheckingResult& result,
                                       const std::optional<Dictionary>& attributes);
    // With linkAttributes.
    void addLinkWithTextCheckingResult(const TextCheckingResult& result);
    void addLinkToURL(const URL& url, Range range);
    void addLinkToAddress(const Dictionary& components, Range range);
    void addLinkToPhoneNumber(const String& phoneNumber, Range range);
    void addLinkToDate(const Date& date, Range range);
    void addLinkToDate(const Date& date, const TimeZone& timeZone, double duration, Range range);
    void addLinkToTransitInformation(const Dictionary& components, Range range);
    // The link added last whose range holds the index.
    std::optional<TextCheckingResult> linkAtCharacterIndex(size_t index) const;
    std::optional<TextCheckingResult> linkAtPoint(ui::Point point) const;
    // The character drawn under the point (bounds coordinates), NSNotFound outside the bounds,
    // the text area or the lines.
    size_t characterIndexAtPoint(ui::Point point) const;

    // How links look: normally, while pressed, while the label is inactive.
    const Dictionary& linkAttributes() const { return m_linkAttributes; }
    void setLinkAttributes(const Dictionary& attributes) { m_linkAttributes = attributes; }
    const Dictionary& activeLinkAttributes() const { return m_activeLinkAttributes; }
    void setActiveLinkAttributes(const Dictionary& attributes) {
        m_activeLinkAttributes = attributes;
    }
    const Dictionary& inactiveLinkAttributes() const { return m_inactiveLinkAttributes; }
    void setInactiveLinkAttributes(const Dictionary& attributes) {
        m_inactiveLinkAttributes = attributes;
    }
    // The link being pressed, drawn with activeLinkAttributes.
    const std::optional<TextCheckingResult>& activeLink() const { return m_activeLink; }
    void setActiveLink(const std::optional<TextCheckingResult>& link);
    // The text as it was before a link was pressed.
    const std::optional<ui::AttributedString>& inactiveAttributedText() const {
        return m_inactiveAttributedText;
    }
    void setInactiveAttributedText(const std::optional<ui::AttributedString>& text) {
        m_inactiveAttributedText = text;
    }

    // Shadows: the blur of the base label's shadow, and the shadow while highlighted.
    double shadowRadius() const { return m_shadowRadius; }
    void setShadowRadius(double radius);
    double highlightedShadowRadius() const { return m_highlightedShadowRadius; }
    void setHighlightedShadowRadius(double radius);
    const std::optional<ui::Color>& highlightedShadowColor() const {
        return m_highlightedShadowColor;
    }
    void setHighlightedShadowColor(const std::optional<ui::Color>& color);
    ui::Size highlightedShadowOffset() const { return m_highlightedShadowOffset; }
    void setHighlightedShadowOffset(ui::Size offset);

    // Line layout; each reaches the text at the next set.
    double kern() const { return m_kern; }
    void setKern(double kern) { m_kern = kern; }
    double firstLineIndent() const { return m_firstLineIndent; }
    void setFirstLineIndent(double indent) { m_firstLineIndent = indent; }
    double leading() const { return m_leading; }
    void setLeading(double leading) { m_leading = leading; }
    // 0: the font's line height.
    double minimumLineHeight() const { return m_minimumLineHeight; }
    void setMinimumLineHeight(double height) { m_minimumLineHeight = height; }
    double maximumLineHeight() const { return m_maximumLineHeight; }
    void setMaximumLineHeight(double height) { m_maximumLineHeight = height; }
    double lineHeightMultiple() const { return m_lineHeightMultiple; }
    void setLineHeightMultiple(double multiple) { m_lineHeightMultiple = multiple; }
    TTTAttributedLabelVerticalAlignment verticalAlignment() const { return m_verticalAlignment; }
    void setVerticalAlignment(TTTAttributedLabelVerticalAlignment alignment) {
        m_verticalAlignment = alignment;
    }
    ui::EdgeInsets textInsets() const { return m_textInsets; }
    void setTextInsets(const ui::EdgeInsets& insets) { m_textInsets = insets; }

    // What a truncated line shows in place of the rest; "…" when none.
    const std::optional<String>& truncationTokenString() const { return m_truncationTokenString; }
    void setTruncationTokenString(const std::optional<String>& token);
    // The token's attributes; those of the truncated line's last character when none.
    const std::optional<Dictionary>& truncationTokenStringAttributes() const {
        return m_truncationTokenStringAttributes;
    }
    void setTruncationTokenStringAttributes(const std::optional<Dictionary>& attributes);

    // Copying.
    bool canBecomeFirstResponder() const { return true; }
    // Only "copy:".
    bool canPerformAction(const String& action) const { return action == String("copy:"); }
    // The plain text to the general pasteboard.
    void copy();

    // Touches: a press on a link shows it pressed; releasing on it tells the delegate.
    void touchesBegan(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesMoved(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesEnded(const ui::TouchSet& touches, const ui::Event& event) override;
    void touchesCancelled(const ui::TouchSet& touches, const ui::Event& event) override;
    // The label where a link is under the point, so touches elsewhere reach the views behind.
    ui::View* hitTest(ui::Point point) override;

    ui::Rect textRectForBounds(const ui::Rect& bounds, long numberOfLines) const override;
    void drawTextInRect(ui::GraphicsContext& context, const ui::Rect& rect) override;
    // The lines within size.width (0 or less: no limit), no more than numberOfLines, with the
    // text insets, rounded up.
    ui::Size sizeThatFits(ui::Size size) const override;

  private:
    // A line as drawn: its text (shortened or not) and where it goes in the text area.
    struct DrawnLine {
        ui::AttributedString text;
        ui::Point origin;  // top left
        double height = 0;
        std::optional<ui::TruncatedLine> truncated;
        size_t location = 0;  // of the first character, when not truncated

        size_t sourceIndex(size_t index) const {
            return truncated ? truncated->sourceIndex(index) : location + index;
        }
    };

    // The lines drawn in the text area `area`, in the area's coordinates.
    std::vector<DrawnLine> linesInArea(const ui::Framesetter& framesetter,
                                       const ui::Rect& area) const;
    ui::AttributedString truncationToken(const ui::Framesetter& framesetter,
                                         const ui::TextLine& line) const;
    void setShownText(const std::optional<ui::AttributedString>& text);
    void shrinkToFit();
    void detectLinks(const ui::AttributedString& text);
    void addLinksFromLinkAttribute(const ui::AttributedString& text);
    void reportToDelegate(const TextCheckingResult& link);

    // Built on demand from the text.
    mutable bool m_needsFramesetter = true;
    mutable std::shared_ptr<const ui::Framesetter> m_framesetter;
    mutable std::shared_ptr<const ui::Framesetter> m_highlightFramesetter;
    std::optional<ui::AttributedString> m_attributedText;
    std::weak_ptr<TTTAttributedLabelDelegate> m_delegate;
    NSTextCheckingTypes m_enabledTextCheckingTypes = 0;
    std::vector<TextCheckingResult> m_links;
    Dictionary m_linkAttributes;
    Dictionary m_activeLinkAttributes;
    Dictionary m_inactiveLinkAttributes;
    double m_shadowRadius = 0;
    double m_highlightedShadowRadius = 0;
    std::optional<ui::Color> m_highlightedShadowColor;
    double m_kern = 0;
    double m_firstLineIndent = 0;
    double m_leading = 0;
    double m_minimumLineHeight = 0;
    double m_maximumLineHeight = 0;
    double m_lineHeightMultiple = 1.0;
    TTTAttributedLabelVerticalAlignment m_verticalAlignment =
        TTTAttributedLabelVerticalAlignmentCenter;
    std::optional<String> m_truncationTokenString;
    std::optional<Dictionary> m_truncationTokenStringAttributes;
    std::optional<ui::AttributedString> m_inactiveAttributedText;
    mutable std::optional<ui::AttributedString> m_renderedAttributedText;
    std::shared_ptr<DataDetector> m_dataDetector;
    std::optional<TextCheckingResult> m_activeLink;
    ui::Size m_highlightedShadowOffset;
    ui::EdgeInsets m_textInsets;
};

}  // namespace ov
