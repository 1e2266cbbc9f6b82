#pragma once
// A block of text that can be read, selected, edited and scrolled (the platform's
// UITextView): styled text inside a container inset, links (set on the text or found by data
// detectors) drawn with the link attributes and opened on a tap unless the delegate says no.
//
//   auto terms = std::make_shared<ov::ui::TextView>(ov::ui::Rect{0, 0, 300, 120});
//   terms->setEditable(false);
//   terms->setAttributedText(styled);             // runs with NSLinkAttributeName are links
//   terms->setDataDetectorTypes(ov::ui::UIDataDetectorTypeLink);
//   terms->setDelegate(screen);
//   terms->interactWithLinkAtIndex(12);           // a tap on the 13th character
//
// Scrolling moves the bounds' origin (contentOffset), as in a scroll view. Data detectors
// work while the view is not editable. Typing (insertText, deleteBackward) happens at the end
// of the text while the view is editable and the first responder. Main thread only.

#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/network/URL.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/ui/text/ParagraphStyle.h"
#include "orvane/platform/ui/views/FirstResponder.h"
#include "orvane/platform/ui/views/TextInputTraits.h"
#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

class TextView;

// A bit set; the platform's values.
using UIDataDetectorTypes = unsigned long;
inline constexpr UIDataDetectorTypes UIDataDetectorTypeNone = 0;
inline constexpr UIDataDetectorTypes UIDataDetectorTypePhoneNumber = 1 << 0;
inline constexpr UIDataDetectorTypes UIDataDetectorTypeLink = 1 << 1;
inline constexpr UIDataDetectorTypes UIDataDetectorTypeAll = ~0UL;

enum UITextItemInteraction : long {
    UITextItemInteractionInvokeDefaultAction = 0,
    UITextItemInteractionPresentActions = 1,
    UITextItemInteractionPreview = 2,
};

// Every operation is optional: none means "not implemented" (the view goes ahead).
class TextViewDelegate {
  public:
    virtual ~TextViewDelegate() = default;
    virtual std::optional<bool> textViewShouldBeginEditing(TextView&) { return std::nullopt; }
    virtual void textViewDidBeginEditing(TextView&) {}
    virtual std::optional<bool> textViewShouldEndEditing(TextView&) { return std::nullopt; }
    virtual void textViewDidEndEditing(TextView&) {}
    // textView:shouldChangeTextInRange:replacementText:
    virtual std::optional<bool> textView(TextView&, Range /*shouldChangeTextInRange*/,
                                         const String& /*replacementText*/) {
        return std::nullopt;
    }
    virtual void textViewDidChange(TextView&) {}
    // textView:shouldInteractWithURL:inRange:interaction:, asked first.
    virtual std::optional<bool> textView(TextView&, const URL& /*shouldInteractWithURL*/,
                                         Range /*inRange*/, UITextItemInteraction) {
        return std::nullopt;
    }
    // textView:shouldInteractWithURL:inRange:, the older form.
    virtual std::optional<bool> textView(TextView&, const URL& /*shouldInteractWithURL*/,
                                         Range /*inRange*/) {
        return std::nullopt;
    }
};

class TextView : public View, public FirstResponder, public TextInputTraits {
  public:
    struct Link {
        Range range;
        URL url;
    };

    explicit TextView(const Rect& frame = {});

    String text() const { return m_text.string(); }
    // The text takes the view's font, colour and alignment.
    void setText(const std::optional<String>& text);
    const AttributedString& attributedText() const { return m_text; }
    void setAttributedText(const std::optional<AttributedString>& text);

    // The system font of 12 points and black unless set (or an appearance default says
    // otherwise). Setting them restyles the whole text.
    Font font() const;
    void setFont(const Font& font);
    Color textColor() const;
    void setTextColor(const Color& color);
    NSTextAlignment textAlignment() const { return m_textAlignment; }
    void setTextAlignment(NSTextAlignment alignment);

    bool isEditable() const { return m_editable; }
    // Turning editing off ends it.
    void setEditable(bool editable);
    bool isSelectable() const { return m_selectable; }
    void setSelectable(bool selectable) { m_selectable = selectable; }
    UIDataDetectorTypes dataDetectorTypes() const { return m_dataDetectorTypes; }
    void setDataDetectorTypes(UIDataDetectorTypes types);
    // Laid over links when drawn; the tint colour by default.
    Dictionary linkTextAttributes() const;
    void setLinkTextAttributes(const Dictionary& attributes);
    // (8, 0, 8, 0) by default; each line also keeps 5 points from the sides.
    EdgeInsets textContainerInset() const { return m_textContainerInset; }
    void setTextContainerInset(const EdgeInsets& inset);

    std::shared_ptr<TextViewDelegate> delegate() const { return m_delegate.lock(); }
    // Held weakly.
    void setDelegate(const std::shared_ptr<TextViewDelegate>& delegate) { m_delegate = delegate; }

    // The links: those set on the text, then those the detectors find, in text order.
    std::vector<Link> links() const;
    // A tap on the character at `index`: when a link holds it and the view is selectable,
    // the delegate is asked and, unless it says no, the address is opened through the
    // application. Answers whether it was opened.
    bool interactWithLinkAtIndex(size_t index);

    // Scrolling.
    bool isScrollEnabled() const { return m_scrollEnabled; }
    void setScrollEnabled(bool enabled) { m_scrollEnabled = enabled; }
    Point contentOffset() const { return bounds().origin; }
    void setContentOffset(Point offset);
    // The text's height with the insets, and the bounds' width.
    Size contentSize() const;
    // Scrolls the least that shows the lines of the range (the end of the text for a range
    // past it).
    void scrollRangeToVisible(Range range);

    // Typing, as the keyboard does it.
    void insertText(const String& text);
    void deleteBackward();

    Size sizeThatFits(Size size) const override;
    void drawRect(GraphicsContext& context, const Rect& rect) override;
    void tintColorDidChange() override { setNeedsDisplay(); }

    View& responderView() override { return *this; }

  protected:
    bool shouldBeginEditing() override;
    void didBeginEditing() override;
    bool shouldEndEditing() override;
    void didEndEditing() override;

  private:
    Dictionary viewAttributes() const;
    void restyle(const String& name, const Value& value);
    AttributedString textForDrawing() const;
    double textWidth(double boundsWidth) const;
    double heightOf(const AttributedString& text) const;
    bool change(Range range, const String& replacement);
    void textDidChange();

    AttributedString m_text;
    std::optional<Font> m_font;
    std::optional<Color> m_textColor;
    NSTextAlignment m_textAlignment = NSTextAlignmentNatural;
    bool m_editable = true;
    bool m_selectable = true;
    bool m_scrollEnabled = true;
    UIDataDetectorTypes m_dataDetectorTypes = UIDataDetectorTypeNone;
    std::optional<Dictionary> m_linkTextAttributes;
    EdgeInsets m_textContainerInset{8, 0, 8, 0};
    std::weak_ptr<TextViewDelegate> m_delegate;
};

}  // namespace ov::ui
