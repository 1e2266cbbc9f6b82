// How the bubble goes. The completion of an animated exit runs only when the animation
// finished.

#include "AMPopTipCallbacks.h"
#include "orvane/components/AMPopTip.h"

namespace ov {

using poptip::whenFinished;

void AMPopTip::performExitAnimation(Handler completion) {
    switch (m_exitAnimation) {
        case AMPopTipExitAnimationScale:
            setTransform(ui::AffineTransform::identity());
            // Not 0: the transform stays invertible.
            ui::View::animateWithDuration(
                m_animationOut, m_delayOut, ui::UIViewAnimationOptionBeginFromCurrentState,
                [this] { setTransform(ui::AffineTransform::makeScale(1e-6, 1e-6)); },
                whenFinished(std::move(completion)));
            break;
        case AMPopTipExitAnimationFadeOut:
            setAlpha(1);
            ui::View::animateWithDuration(
                m_animationOut, m_delayOut, ui::UIViewAnimationOptionBeginFromCurrentState,
                [this] { setAlpha(0); }, whenFinished(std::move(completion)));
            break;
        case AMPopTipExitAnimationCustom:
            // Without a handler the exit simply ends: a bubble that never leaves could not be
            // taken away by any later hide.
            if (m_exitAnimationHandler) {
                m_exitAnimationHandler(std::move(completion));
                break;
            }
            [[fallthrough]];
        default:
            if (completion) completion();
            break;
    }
}

}  // namespace ov
