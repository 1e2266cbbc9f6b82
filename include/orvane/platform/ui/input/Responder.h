#pragma once
// Touch handling for views (the platform's UIResponder touch methods). A view that wants its
// touches inherits Responder beside View and overrides the hooks; touches that a responder
// does not handle go on to the nearest responder among its superviews.
//
//   class Pad : public ov::ui::View, public ov::ui::Responder {
//       void touchesBegan(const ov::ui::TouchSet& touches, const ov::ui::Event& event) override {
//           press();                                  // not passed on
//       }
//   };
//
// A gesture recogniser that recognises with cancelsTouchesInView takes the touches away: the
// view then hears touchesCancelled and nothing more of them. Main thread only.

#include "orvane/platform/ui/input/Touch.h"

namespace ov::ui {

class Responder {
  public:
    virtual ~Responder() = default;

    // By default each hands the touches to nextResponder().
    virtual void touchesBegan(const TouchSet& touches, const Event& event);
    virtual void touchesMoved(const TouchSet& touches, const Event& event);
    virtual void touchesEnded(const TouchSet& touches, const Event& event);
    virtual void touchesCancelled(const TouchSet& touches, const Event& event);

    // Asked before a recogniser leaves the possible state, of the recogniser's own view and of
    // the views its touches hit (so a slider can keep a scroll view's pan from starting on its
    // thumb); false makes it fail.
    virtual bool gestureRecognizerShouldBegin(GestureRecognizer& recognizer);

    // The nearest superview that is a responder, or nullptr.
    Responder* nextResponder() const;
    // The responder that handles touches hit on `view`: the view itself, else its nearest
    // responding superview.
    static Responder* responderForView(View* view);
};

}  // namespace ov::ui
