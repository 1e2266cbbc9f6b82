#pragma once
// A one-line editable text (the platform's UITextField): text and placeholder (plain or
// styled), font and colour, a border style, views at the left and right, a clear button,
// secure entry, keyboard settings, and a delegate that may veto each change.
//
//   auto email = std::make_shared<ov::ui::TextField>(ov::ui::Rect{20, 80, 280, 34});
//   email->setPlaceholder("Email");
//   email->setBorderStyle(ov::ui::UITextBorderStyleRoundedRect);
//   email->setKeyboardType(ov::ui::UIKeyboardTypeEmailAddress);
//   email->setDelegate(validator);
//   email->becomeFirstResponder();
//   email->insertText("me@example.com");   // what the keyboard types, asked of the delegate
//   email->insertText("\n");               // the return key
//
// Typing happens at the end of the text, and only while the field is the first responder.
// Each typed change, backspace or clear is offered to the delegate first; an accepted one
// sends editingChanged. Setting text from code asks no one and sends nothing. Main thread only.

#include <memory>
#include <optional>

#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/ui/text/ParagraphStyle.h"
#include "orvane/platform/ui/views/Control.h"
#include "orvane/platform/ui/views/FirstResponder.h"
#include "orvane/platform/ui/views/TextInputTraits.h"

namespace ov::ui {

class Button;
class TextField;

enum UITextBorderStyle : long {
    UITextBorderStyleNone = 0,
    UITextBorderStyleLine = 1,
    UITextBorderStyleBezel = 2,
    UITextBorderStyleRoundedRect = 3,
};

// When a side view or the clear button shows.
enum UITextFieldViewMode : long {
    UITextFieldViewModeNever = 0,
    UITextFieldViewModeWhileEditing = 1,
    UITextFieldViewModeUnlessEditing = 2,
    UITextFieldViewModeAlways = 3,
};

// Every operation is optional: none means "not implemented" (the field goes ahead).
class TextFieldDelegate {
  public:
    virtual ~TextFieldDelegate() = default;
    virtual std::optional<bool> textFieldShouldBeginEditing(TextField&) { return std::nullopt; }
    virtual void textFieldDidBeginEditing(TextField&) {}
    virtual std::optional<bool> textFieldShouldEndEditing(TextField&) { return std::nullopt; }
    virtual void textFieldDidEndEditing(TextField&) {}
    // textField:shouldChangeCharactersInRange:replacementString:
    virtual std::optional<bool> textField(TextField&, Range /*shouldChangeCharactersInRange*/,
                                          const String& /*replacementString*/) {
        return std::nullopt;
    }
    virtual std::optional<bool> textFieldShouldClear(TextField&) { return std::nullopt; }
    virtual std::optional<bool> textFieldShouldReturn(TextField&) { return std::nullopt; }
};

class TextField : public Control, public FirstResponder, public TextInputTraits {
  public:
    explicit TextField(const Rect& frame = {});

    // Empty when there is none.
    String text() const { return m_text; }
    void setText(const std::optional<String>& text);
    // The text with the field's font and colour.
    AttributedString attributedText() const;
    void setAttributedText(const std::optional<AttributedString>& text);
    const std::optional<String>& placeholder() const { return m_placeholder; }
    void setPlaceholder(const std::optional<String>& placeholder);
    // Grey in the field's font unless a styled placeholder is set.
    std::optional<AttributedString> attributedPlaceholder() const;
    void setAttributedPlaceholder(const std::optional<AttributedString>& placeholder);

    // The system font of 17 points and black unless set (or an appearance default says
    // otherwise).
    Font font() const;
    void setFont(const Font& font);
    Color textColor() const;
    void setTextColor(const Color& color);
    NSTextAlignment textAlignment() const { return m_textAlignment; }
    void setTextAlignment(NSTextAlignment alignment);
    UITextBorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(UITextBorderStyle style);

    std::shared_ptr<TextFieldDelegate> delegate() const { return m_delegate.lock(); }
    // Held weakly.
    void setDelegate(const std::shared_ptr<TextFieldDelegate>& delegate) { m_delegate = delegate; }

    // Views shown inside the border at either end, at their own size, vertically centred.
    const std::shared_ptr<View>& leftView() const { return m_leftView; }
    void setLeftView(std::shared_ptr<View> view);
    UITextFieldViewMode leftViewMode() const { return m_leftViewMode; }
    void setLeftViewMode(UITextFieldViewMode mode);
    const std::shared_ptr<View>& rightView() const { return m_rightView; }
    void setRightView(std::shared_ptr<View> view);
    UITextFieldViewMode rightViewMode() const { return m_rightViewMode; }
    void setRightViewMode(UITextFieldViewMode mode);
    // The clear button shows when there is text and the mode says so.
    UITextFieldViewMode clearButtonMode() const { return m_clearButtonMode; }
    void setClearButtonMode(UITextFieldViewMode mode);
    // The clear button once the mode has asked for one, else nullptr; it is a subview.
    Button* clearButton() const { return m_clearButton.get(); }

    bool isEditing() const { return isFirstResponder(); }
    void setSecureTextEntry(bool secure) override;

    // Keyboard input: "\n" is the return key (asks textFieldShouldReturn, then sends
    // editingDidEndOnExit); anything else is typed at the end.
    void insertText(const String& text);
    // Removes the last character (a whole surrogate pair).
    void deleteBackward();
    // What the clear button does: asks textFieldShouldClear, then empties the text.
    void clearText();

    // Geometry hooks, in the field's coordinates.
    virtual Rect borderRectForBounds(const Rect& bounds) const { return bounds; }
    virtual Rect textRectForBounds(const Rect& bounds) const;
    virtual Rect placeholderRectForBounds(const Rect& bounds) const {
        return textRectForBounds(bounds);
    }
    virtual Rect editingRectForBounds(const Rect& bounds) const {
        return textRectForBounds(bounds);
    }
    virtual Rect leftViewRectForBounds(const Rect& bounds) const;
    virtual Rect rightViewRectForBounds(const Rect& bounds) const;
    virtual Rect clearButtonRectForBounds(const Rect& bounds) const;
    virtual void drawTextInRect(GraphicsContext& context, const Rect& rect);
    virtual void drawPlaceholderInRect(GraphicsContext& context, const Rect& rect);

    Size sizeThatFits(Size size) const override;
    Size intrinsicContentSize() const override { return sizeThatFits({}); }
    void layoutSubviews() override;
    void drawRect(GraphicsContext& context, const Rect& rect) override;

    View& responderView() override { return *this; }

  protected:
    void endTrackingAt(Point point) override;
    bool shouldBeginEditing() override;
    void didBeginEditing() override;
    bool shouldEndEditing() override;
    void didEndEditing() override;

  private:
    bool shows(UITextFieldViewMode mode) const;
    bool showsClearButton() const;
    double horizontalInset() const;
    // The text as shown: dots for secure entry.
    String displayedText() const;
    // Offers the change to the delegate and makes it; false when vetoed.
    bool change(Range range, const String& replacement);
    void drawLine(GraphicsContext& context, const AttributedString& line, const Rect& rect);
    void makeClearButton();
    void contentDidChange();

    String m_text;
    std::optional<String> m_placeholder;
    std::optional<AttributedString> m_attributedPlaceholder;
    std::optional<Font> m_font;
    std::optional<Color> m_textColor;
    NSTextAlignment m_textAlignment = NSTextAlignmentNatural;
    UITextBorderStyle m_borderStyle = UITextBorderStyleNone;
    std::weak_ptr<TextFieldDelegate> m_delegate;
    std::shared_ptr<View> m_leftView;
    std::shared_ptr<View> m_rightView;
    UITextFieldViewMode m_leftViewMode = UITextFieldViewModeNever;
    UITextFieldViewMode m_rightViewMode = UITextFieldViewModeNever;
    UITextFieldViewMode m_clearButtonMode = UITextFieldViewModeNever;
    std::shared_ptr<Button> m_clearButton;
};

}  // namespace ov::ui
