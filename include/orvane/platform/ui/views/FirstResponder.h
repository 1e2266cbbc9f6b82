#pragma once
// Keyboard focus: at most one view at a time takes typed text (the platform's first
// responder). Text fields and text views mix this in.
//
//   field->becomeFirstResponder();        // the previous one resigns first
//   ov::ui::FirstResponder::current();    // field
//   ov::ui::endEditing(*screen, false);   // the focused view inside `screen` resigns
//
// Main thread only.

namespace ov::ui {

class View;

class FirstResponder {
  public:
    FirstResponder() = default;
    virtual ~FirstResponder();
    FirstResponder(const FirstResponder&) = delete;
    FirstResponder& operator=(const FirstResponder&) = delete;

    // The focused responder, or nullptr.
    static FirstResponder* current();
    bool isFirstResponder() const { return current() == this; }

    // Takes the focus: false when the current one will not let go or this one will not begin.
    bool becomeFirstResponder();
    // Gives it up: false when this one will not end (or does not have it).
    bool resignFirstResponder();

    // The view this responder is.
    virtual View& responderView() = 0;

  protected:
    // Asked before the change (a delegate may say no), told after it.
    virtual bool shouldBeginEditing() { return true; }
    virtual void didBeginEditing() {}
    virtual bool shouldEndEditing() { return true; }
    virtual void didEndEditing() {}

  private:
    friend bool endEditing(View& view, bool force);
    bool resign(bool force);
};

// Makes the focused responder inside `view` (or `view` itself) resign; with `force` it is not
// asked first. True when nothing there holds the focus any more.
bool endEditing(View& view, bool force);

}  // namespace ov::ui
