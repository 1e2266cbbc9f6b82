// The pop tip's set-up, showing and hiding, and its recogniser targets. The layout, the
// outline and the animations live in their own files beside this one.

#include "orvane/components/AMPopTip.h"

#include "AMPopTipCallbacks.h"

namespace ov {

using poptip::whileAlive;

std::shared_ptr<AMPopTip> AMPopTip::popTip() {
    return std::make_shared<AMPopTip>();
}

AMPopTip::AMPopTip() : AMPopTip(ui::Rect{}) {}

AMPopTip::AMPopTip(const ui::Rect& frame) : ui::View(frame) {
    commonInit();
}

void AMPopTip::commonInit() {
    // The recognisers outlive no bubble as its target: the destructor takes it off them.
    m_tapRemoveGesture = std::make_shared<ui::TapGestureRecognizer>();
    m_tapRemoveGesture->addTarget(this,
                                  [this](ui::GestureRecognizer&) { tapRemoveGestureHandler(); });
    m_swipeRemoveGesture = std::make_shared<ui::SwipeGestureRecognizer>();
    m_swipeRemoveGesture->addTarget(
        this, [this](ui::GestureRecognizer&) { swipeRemoveGestureHandler(); });
    m_swipeRemoveGesture->setDirection(m_swipeRemoveGestureDirection);
    m_tapRemoveGesture->setEnabled(m_shouldDismissOnTapOutside);
    m_swipeRemoveGesture->setEnabled(m_shouldDismissOnSwipeOutside);
}

AMPopTip::~AMPopTip() {
    if (m_dismissTimer) m_dismissTimer->invalidate();
    m_tapRemoveGesture->removeTarget(this);
    m_swipeRemoveGesture->removeTarget(this);
    // Recognisers without a target would still win touches in the container.
    attachOutsideRecognizers(false);
}

void AMPopTip::setShouldDismissOnTapOutside(bool dismiss) {
    if (dismiss == m_shouldDismissOnTapOutside) return;
    m_shouldDismissOnTapOutside = dismiss;
    m_tapRemoveGesture->setEnabled(dismiss);
}

void AMPopTip::setShouldDismissOnSwipeOutside(bool dismiss) {
    if (dismiss == m_shouldDismissOnSwipeOutside) return;
    m_shouldDismissOnSwipeOutside = dismiss;
    m_swipeRemoveGesture->setEnabled(dismiss);
}

void AMPopTip::setSwipeRemoveGestureDirection(ui::UISwipeGestureRecognizerDirection direction) {
    if (direction == m_swipeRemoveGestureDirection) return;
    m_swipeRemoveGestureDirection = direction;
    m_swipeRemoveGesture->setDirection(direction);
}

void AMPopTip::setDirection(AMPopTipDirection direction) {
    const bool known = direction >= AMPopTipDirectionUp && direction <= AMPopTipDirectionNone;
    m_direction = known ? direction : AMPopTipDirectionNone;
}

void AMPopTip::setFromFrame(const ui::Rect& frame) {
    m_fromFrame = frame;
    setup();
}

void AMPopTip::showText(const String& text, AMPopTipDirection direction, double maxWidth,
                        const std::shared_ptr<ui::View>& inView, const ui::Rect& fromFrame) {
    m_attributedText.reset();
    m_text = text;
    setAccessibilityLabel(text);
    m_maxWidth = maxWidth;
    takeOutCustomView();
    showContent(direction, inView, fromFrame);
}

void AMPopTip::showAttributedText(const ui::AttributedString& text, AMPopTipDirection direction,
                                  double maxWidth, const std::shared_ptr<ui::View>& inView,
                                  const ui::Rect& fromFrame) {
    m_text.reset();
    m_attributedText = text;
    setAccessibilityLabel(text.string());
    m_maxWidth = maxWidth;
    takeOutCustomView();
    showContent(direction, inView, fromFrame);
}

void AMPopTip::showCustomView(const std::shared_ptr<ui::View>& view, AMPopTipDirection direction,
                              const std::shared_ptr<ui::View>& inView, const ui::Rect& fromFrame) {
    if (!view) return;
    m_text.reset();
    m_attributedText.reset();
    m_maxWidth = view->frame().size.width;
    takeOutCustomView();
    m_customView = view;
    addSubview(view);
    view->layoutIfNeeded();
    showContent(direction, inView, fromFrame);
}

void AMPopTip::showText(const String& text, AMPopTipDirection direction, double maxWidth,
                        const std::shared_ptr<ui::View>& inView, const ui::Rect& fromFrame,
                        double duration) {
    showText(text, direction, maxWidth, inView, fromFrame);
    scheduleDismissal(duration);
}

void AMPopTip::showAttributedText(const ui::AttributedString& text, AMPopTipDirection direction,
                                  double maxWidth, const std::shared_ptr<ui::View>& inView,
                                  const ui::Rect& fromFrame, double duration) {
    showAttributedText(text, direction, maxWidth, inView, fromFrame);
    scheduleDismissal(duration);
}

void AMPopTip::showCustomView(const std::shared_ptr<ui::View>& view, AMPopTipDirection direction,
                              const std::shared_ptr<ui::View>& inView, const ui::Rect& fromFrame,
                              double duration) {
    showCustomView(view, direction, inView, fromFrame);
    scheduleDismissal(duration);
}

void AMPopTip::showContent(AMPopTipDirection direction, const std::shared_ptr<ui::View>& inView,
                           const ui::Rect& fromFrame) {
    setDirection(direction);
    m_containerView = inView;
    m_fromFrame = fromFrame;
    show();
}

void AMPopTip::takeOutCustomView() {
    if (!m_customView) return;
    m_customView->removeFromSuperview();
    m_customView.reset();
}

void AMPopTip::scheduleDismissal(double duration) {
    if (m_dismissTimer) m_dismissTimer->invalidate();
    m_dismissTimer.reset();
    if (!(duration > 0)) return;
    m_dismissTimer = Timer::scheduledTimer(
        duration, false, whileAlive(*this, [](AMPopTip& tip, Timer&) { tip.hide(); }));
}

void AMPopTip::show() {
    if (!containerView()) return;
    const uint64_t transition = ++m_transition;
    // A running exit must not finish and take the bubble away again, nor leave it shrunk or
    // faded for an entrance that does not set these.
    layer().removeAllAnimations();
    setTransform(ui::AffineTransform::identity());
    setAlpha(1);
    m_isAnimating = true;
    setup();
    setNeedsLayout();
    performEntranceAnimation(whileAlive(*this, [transition](AMPopTip& tip) {
        if (tip.isCurrent(transition)) tip.entranceDidFinish();
    }));
}

bool AMPopTip::isCurrent(uint64_t transition) const {
    // A custom handler may call its completion more than once.
    return m_transition == transition && m_isAnimating;
}

void AMPopTip::entranceDidFinish() {
    attachOutsideRecognizers(true);
    if (m_appearHandler) m_appearHandler();
    if (m_actionAnimation != AMPopTipActionAnimationNone) startActionAnimation();
    m_isVisible = true;
    m_isAnimating = false;
}

void AMPopTip::hide() {
    hideForced(false);
}

void AMPopTip::hideForced(bool forced) {
    if (!forced && m_isAnimating) return;
    const uint64_t transition = ++m_transition;
    layer().removeAllAnimations();
    m_isAnimating = true;
    if (m_dismissTimer) m_dismissTimer->invalidate();
    m_dismissTimer.reset();
    attachOutsideRecognizers(false);
    if (!superview()) return;
    performExitAnimation(whileAlive(*this, [transition](AMPopTip& tip) {
        if (tip.isCurrent(transition)) tip.exitDidFinish();
    }));
}

void AMPopTip::exitDidFinish() {
    takeOutCustomView();
    stopActionAnimation();
    removeFromSuperview();
    layer().removeAllAnimations();
    setTransform(ui::AffineTransform::identity());
    m_isVisible = false;
    m_isAnimating = false;
    if (m_dismissHandler) m_dismissHandler();
}

void AMPopTip::attachOutsideRecognizers(bool attach) {
    const auto container = containerView();
    if (!container) return;
    if (attach) {
        ui::addGestureRecognizer(*container, m_tapRemoveGesture);
        ui::addGestureRecognizer(*container, m_swipeRemoveGesture);
    } else {
        ui::removeGestureRecognizer(*container, *m_tapRemoveGesture);
        ui::removeGestureRecognizer(*container, *m_swipeRemoveGesture);
    }
}

void AMPopTip::updateText(const String& text) {
    m_text = text;
    setAccessibilityLabel(text);
    setNeedsLayout();
    setNeedsDisplay();
}

void AMPopTip::startActionAnimation() {
    performActionAnimation();
}

void AMPopTip::stopActionAnimation() {
    dismissActionAnimation();
}

void AMPopTip::handleTap(ui::GestureRecognizer&) {
    if (m_shouldDismissOnTap) hide();
    if (m_tapHandler) m_tapHandler();
}

void AMPopTip::tapRemoveGestureHandler() {
    if (m_shouldDismissOnTapOutside) hide();
}

void AMPopTip::swipeRemoveGestureHandler() {
    if (m_shouldDismissOnSwipeOutside) hide();
}

}  // namespace ov
