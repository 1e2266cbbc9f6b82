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
            poptip::fade(*this, 1, 0, m_animationOut, m_delayOut, std::move(completion));
            break;
        case AMPopTipExitAnimationCustom:
            poptip::runCustom(m_exitAnimationHandler, std::move(completion));
            break;
        default:
            if (completion) completion();
            break;
    }
}

}  // namespace ov
