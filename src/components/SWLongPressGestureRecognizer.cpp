#include "orvane/components/SWLongPressGestureRecognizer.h"

namespace ov {

void SWLongPressGestureRecognizer::touchesMoved(const ui::TouchSet& touches,
                                                const ui::Event& event) {
    ui::LongPressGestureRecognizer::touchesMoved(touches, event);
    // A press already under way is cancelled rather than failed, so the row loses its
    // highlight through the cancel path.
    const bool running = state() == ui::UIGestureRecognizerStateBegan ||
                         state() == ui::UIGestureRecognizerStateChanged;
    setState(running ? ui::UIGestureRecognizerStateCancelled : ui::UIGestureRecognizerStateFailed);
}

}  // namespace ov
