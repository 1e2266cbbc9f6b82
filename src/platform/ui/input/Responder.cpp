#include "orvane/platform/ui/input/Responder.h"

#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

Responder* Responder::responderForView(View* view) {
    for (; view; view = view->superview()) {
        if (auto* responder = dynamic_cast<Responder*>(view)) return responder;
    }
    return nullptr;
}

Responder* Responder::nextResponder() const {
    const auto* self = dynamic_cast<const View*>(this);
    return self ? responderForView(self->superview()) : nullptr;
}

void Responder::touchesBegan(const TouchSet& touches, const Event& event) {
    if (auto* next = nextResponder()) next->touchesBegan(touches, event);
}

void Responder::touchesMoved(const TouchSet& touches, const Event& event) {
    if (auto* next = nextResponder()) next->touchesMoved(touches, event);
}

void Responder::touchesEnded(const TouchSet& touches, const Event& event) {
    if (auto* next = nextResponder()) next->touchesEnded(touches, event);
}

void Responder::touchesCancelled(const TouchSet& touches, const Event& event) {
    if (auto* next = nextResponder()) next->touchesCancelled(touches, event);
}

bool Responder::gestureRecognizerShouldBegin(GestureRecognizer&) {
    return true;
}

}  // namespace ov::ui
