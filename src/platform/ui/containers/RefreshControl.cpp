#include "orvane/platform/ui/containers/RefreshControl.h"

#include <cmath>
#include <numbers>

#include "orvane/platform/ui/containers/ScrollView.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/input/GestureRecognizer.h"

namespace ov::ui {

RefreshControl::RefreshControl() : Control({0, -kHeight, 320, kHeight}) {
    setBackgroundColor(Color::clearColor());
    setOpaque(false);
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
}

ScrollView* RefreshControl::scrollView() const {
    return dynamic_cast<ScrollView*>(superview());
}

void RefreshControl::didMoveToSuperview() {
    m_offsetToken.cancel();
    m_panToken.cancel();
    ScrollView* scroll = scrollView();
    if (!scroll) return;
    m_offsetToken = scroll->addObserver("contentOffset", NSKeyValueObservingOptionNew,
                                        [this](const ObservedChange&) { contentOffsetChanged(); });
    m_panToken = scroll->addObserver(
        "panGestureRecognizer.state", NSKeyValueObservingOptionNew,
        [this](const ObservedChange& change) {
            const auto state = std::any_cast<UIGestureRecognizerState>(change.newValue);
            if (state == UIGestureRecognizerStateEnded ||
                state == UIGestureRecognizerStateCancelled) {
                dragEnded();
            }
        });
    place();
}

double RefreshControl::pullDistance() const {
    const ScrollView* scroll = scrollView();
    if (!scroll) return 0;
    const double bandTop = m_bandShown ? kHeight : 0;
    return -(scroll->contentOffset().y + scroll->contentInset().top - bandTop);
}

void RefreshControl::place() {
    if (const ScrollView* scroll = scrollView()) {
        setFrame({0, -kHeight, scroll->bounds().width(), kHeight});
    }
    setNeedsDisplay();
}

void RefreshControl::contentOffsetChanged() {
    place();
    const ScrollView* scroll = scrollView();
    if (m_refreshing || !scroll || !scroll->isDragging() || pullDistance() < kThreshold) return;
    m_refreshing = true;
    sendActionsForControlEvents(UIControlEventValueChanged);
}

void RefreshControl::dragEnded() {
    if (m_refreshing) showBand(true);
}

void RefreshControl::showBand(bool shown) {
    ScrollView* scroll = scrollView();
    if (!scroll || shown == m_bandShown) return;
    m_bandShown = shown;
    EdgeInsets inset = scroll->contentInset();
    inset.top += shown ? kHeight : -kHeight;
    scroll->setContentInset(inset);
}

void RefreshControl::beginRefreshing() {
    if (m_refreshing) return;
    m_refreshing = true;
    showBand(true);
    if (ScrollView* scroll = scrollView()) {
        scroll->setContentOffset({scroll->contentOffset().x, -scroll->contentInset().top}, true);
    }
    setNeedsDisplay();
}

void RefreshControl::endRefreshing() {
    if (!m_refreshing) return;
    m_refreshing = false;
    showBand(false);
    ScrollView* scroll = scrollView();
    if (scroll && !scroll->isDragging()) {
        const double top = scroll->minimumContentOffset().y;
        if (scroll->contentOffset().y < top) {
            scroll->setContentOffset({scroll->contentOffset().x, top}, true);
        }
    }
    setNeedsDisplay();
}

void RefreshControl::setAttributedTitle(std::optional<AttributedString> title) {
    m_title = std::move(title);
    setNeedsDisplay();
}

void RefreshControl::drawRect(GraphicsContext& context, const Rect&) {
    // Twelve spokes that appear one by one with the pull, all of them while refreshing.
    const Rect b = bounds();
    const double shown = m_refreshing ? 1 : std::clamp(pullDistance() / kThreshold, 0.0, 1.0);
    const int spokes = static_cast<int>(std::round(shown * 12));
    const Point centre{b.midX(), m_title ? b.midY() - 8 : b.midY()};
    context.setStrokeColor(tintColor());
    context.setLineWidth(2);
    context.setLineCap(LineCap::Round);
    for (int i = 0; i < spokes; ++i) {
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 6;
        context.beginPath();
        context.moveToPoint({centre.x + 6 * std::cos(angle), centre.y + 6 * std::sin(angle)});
        context.addLineToPoint({centre.x + 11 * std::cos(angle), centre.y + 11 * std::sin(angle)});
        context.strokePath();
    }
    if (m_title) {
        const Size size = m_title->size();
        context.drawText(*m_title, Point{b.midX() - size.width / 2, centre.y + 14});
    }
}

}  // namespace ov::ui
