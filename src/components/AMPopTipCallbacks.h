#pragma once
// Callbacks that outlive a call into the pop tip (animation completions, the dismiss timer,
// recogniser actions) reach it only while it lives, and keep it alive while they run: the
// body may take the bubble out of its container, which can drop the last owner.

#include <memory>
#include <utility>

#include "orvane/components/AMPopTip.h"

namespace ov::poptip {

template <class Body>
auto whileAlive(AMPopTip& tip, Body body) {
    return [weak = tip.weak_from_this(), body = std::move(body)](auto&&... arguments) {
        if (const auto view = weak.lock())
            body(static_cast<AMPopTip&>(*view), std::forward<decltype(arguments)>(arguments)...);
    };
}

// Runs the completion of an entrance or exit that was not cut short.
inline ui::View::Completion whenFinished(AMPopTip::Handler completion) {
    return [completion = std::move(completion)](bool finished) {
        if (finished && completion) completion();
    };
}

// Fades the tip between two opacities; the completion runs only if the fade was not cut short.
inline void fade(AMPopTip& tip, double from, double to, double duration, double delay,
                 AMPopTip::Handler completion) {
    tip.setAlpha(from);
    ui::View::animateWithDuration(
        duration, delay, ui::UIViewAnimationOptionBeginFromCurrentState,
        [&tip, to] { tip.setAlpha(to); }, whenFinished(std::move(completion)));
}

// A custom entrance or exit. Without a handler it simply ends, so the tip never hangs between
// shown and hidden (a bubble that never left could not be taken away by a later hide).
inline void runCustom(const AMPopTip::AnimationHandler& handler, AMPopTip::Handler completion) {
    if (handler) {
        handler(std::move(completion));
    } else if (completion) {
        completion();
    }
}

}  // namespace ov::poptip
