#include "orvane/platform/ui/views/FirstResponder.h"

#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

namespace {

FirstResponder*& focused() {
    static FirstResponder* responder = nullptr;
    return responder;
}

}  // namespace

FirstResponder::~FirstResponder() {
    if (focused() == this) focused() = nullptr;
}

FirstResponder* FirstResponder::current() {
    return focused();
}

bool FirstResponder::becomeFirstResponder() {
    if (isFirstResponder()) return true;
    if (focused() && !focused()->resignFirstResponder()) return false;
    if (!shouldBeginEditing()) return false;
    focused() = this;
    didBeginEditing();
    return true;
}

bool FirstResponder::resignFirstResponder() {
    return resign(false);
}

bool FirstResponder::resign(bool force) {
    if (!isFirstResponder()) return false;
    if (!force && !shouldEndEditing()) return false;
    focused() = nullptr;
    didEndEditing();
    return true;
}

bool endEditing(View& view, bool force) {
    FirstResponder* responder = FirstResponder::current();
    if (!responder) return true;
    View& focusedView = responder->responderView();
    if (&focusedView != &view && !focusedView.isDescendantOfView(view)) return true;
    return responder->resign(force);
}

}  // namespace ov::ui
