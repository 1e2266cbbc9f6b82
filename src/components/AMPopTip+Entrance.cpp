// How the bubble comes in. Each entrance adds the bubble to its container; the completion of
// an animated one runs only when the animation finished, so a forced hide cuts it off.

#include "AMPopTipCallbacks.h"
#include "orvane/components/AMPopTip.h"

namespace ov {

using poptip::whenFinished;

void AMPopTip::performEntranceAnimation(Handler completion) {
    const auto container = containerView();
    if (!container) return;
    container->addSubview(std::static_pointer_cast<AMPopTip>(shared_from_this()));

    const auto spring = [&] {
        ui::View::animateWithDuration(
            m_animationIn, m_delayIn, 0.6, 1.5, ui::UIViewAnimationOptionBeginFromCurrentState,
            [this] { setTransform(ui::AffineTransform::identity()); },
            whenFinished(std::move(completion)));
    };
    switch (m_entranceAnimation) {
        case AMPopTipEntranceAnimationScale:
            setTransform(ui::AffineTransform::makeScale(0, 0));
            spring();
            break;
        case AMPopTipEntranceAnimationTransition: {
            // Slides in from beyond the container's edge on the bubble's side.
            const ui::Rect f = m_fromFrame;
            const ui::Size c = container->bounds().size;
            ui::Point from{0, c.height - f.origin.y};
            if (m_direction == AMPopTipDirectionUp) from = {0, -f.origin.y};
            if (m_direction == AMPopTipDirectionLeft) from = {-f.origin.x, 0};
            if (m_direction == AMPopTipDirectionRight) from = {c.width - f.origin.x, 0};
            setTransform(ui::AffineTransform::makeScale(0.6, 0.6).translate(from.x, from.y));
            spring();
            break;
        }
        case AMPopTipEntranceAnimationFadeIn:
            poptip::fade(*this, 0, 1, m_animationIn, m_delayIn, std::move(completion));
            break;
        case AMPopTipEntranceAnimationCustom:
            poptip::runCustom(m_entranceAnimationHandler, std::move(completion));
            break;
        default:
            if (completion) completion();
            break;
    }
}

}  // namespace ov
