// The attention animations that run while the bubble is shown: a bounce towards the
// rectangle's far side, a float there and back, a pulse in size.

#include "AMPopTipCallbacks.h"
#include "orvane/components/AMPopTip.h"

namespace ov {

using poptip::whileAlive;

namespace {

// The displacement by `o` points away from the rectangle along the bubble's side.
ui::AffineTransform displaced(AMPopTipDirection direction, double o) {
    switch (direction) {
        case AMPopTipDirectionDown:
            return ui::AffineTransform::makeTranslation(0, o);
        case AMPopTipDirectionLeft:
            return ui::AffineTransform::makeTranslation(-o, 0);
        case AMPopTipDirectionRight:
            return ui::AffineTransform::makeTranslation(o, 0);
        default:
            return ui::AffineTransform::makeTranslation(0, -o);
    }
}

constexpr ui::UIViewAnimationOptions kRepeatingAction =
    ui::UIViewAnimationOptionRepeat | ui::UIViewAnimationOptionAutoreverse |
    ui::UIViewAnimationOptionBeginFromCurrentState | ui::UIViewAnimationOptionAllowUserInteraction;

}  // namespace

void AMPopTip::performActionAnimation() {
    ui::AffineTransform target;
    switch (m_actionAnimation) {
        case AMPopTipActionAnimationBounce:
            m_shouldBounce = true;
            bounce();
            return;
        case AMPopTipActionAnimationFloat:
            target = displaced(m_direction, m_actionFloatOffset);
            break;
        case AMPopTipActionAnimationPulse:
            target = ui::AffineTransform::makeScale(m_actionPulseOffset, m_actionPulseOffset);
            break;
        default:
            return;
    }
    ui::View::animateWithDuration(m_actionAnimationIn / 2, m_actionDelayIn, kRepeatingAction,
                                  [this, target] { setTransform(target); });
}

void AMPopTip::bounce() {
    // A bounce of no length would start again on every turn of the run loop.
    if (!(m_actionAnimationIn > 0)) return;
    const double out = m_actionAnimationIn / 10;
    const auto away = displaced(m_direction, m_actionBounceOffset);
    ui::View::animateWithDuration(
        out, m_actionDelayIn,
        ui::UIViewAnimationOptionCurveEaseIn | ui::UIViewAnimationOptionAllowUserInteraction,
        [this, away] { setTransform(away); },
        whileAlive(*this, [out](AMPopTip& tip, bool finished) {
            // Cut short, the transform belongs to whoever cut in: a hide, a stop or a new
            // entrance, which a spring back would undo.
            if (!finished) return;
            ui::View::animateWithDuration(
                tip.m_actionAnimationIn - out, 0, 0.4, 1.0,
                ui::UIViewAnimationOptionAllowUserInteraction,
                [&tip] { tip.setTransform(ui::AffineTransform::identity()); },
                whileAlive(tip, [](AMPopTip& again, bool finished) {
                    if (finished && again.m_shouldBounce) again.bounce();
                }));
        }));
}

void AMPopTip::dismissActionAnimation() {
    m_shouldBounce = false;
    ui::View::animateWithDuration(
        m_actionAnimationOut / 2, m_actionDelayOut, ui::UIViewAnimationOptionBeginFromCurrentState,
        [this] { setTransform(ui::AffineTransform::identity()); },
        whileAlive(*this, [](AMPopTip& tip, bool finished) {
            // Cut short by a show or hide, the animations now running are theirs.
            if (finished) tip.layer().removeAllAnimations();
        }));
}

}  // namespace ov
