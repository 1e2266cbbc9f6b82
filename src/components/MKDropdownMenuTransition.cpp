#include "orvane/components/MKDropdownMenuTransition.h"

#include <algorithm>

#include "orvane/components/MKDropdownMenu.h"
#include "orvane/components/MKDropdownMenuContentViewController.h"

namespace ov {

MKDropdownMenuTransition::MKDropdownMenuTransition(MKDropdownMenu& menu,
                                                   MKDropdownMenuContentViewController& content)
    : m_menu(menu), m_content(content), m_self(std::make_shared<MKDropdownMenuTransition*>(this)) {}

MKDropdownMenuTransition::~MKDropdownMenuTransition() = default;

// The content view covers the host from the bar's edge to the host's far edge; the container
// lies under (or over) the menu, or across the host when the menu asks for full width.
void MKDropdownMenuTransition::placeContent(ui::View& host) {
    const ui::Rect visible = host.bounds();
    const ui::Rect bar = m_menu.convertRect_toView(m_menu.bounds(), &host);
    ui::Rect frame = visible;
    if (m_content.showsContentAbove()) {
        frame.size.height = std::max(bar.minY() - visible.minY(), 0.0);
    } else {
        frame.origin.y = bar.maxY();
        frame.size.height = std::max(visible.maxY() - bar.maxY(), 0.0);
    }
    m_content.view()->setFrame(frame);
    if (m_menu.useFullScreenWidth()) {
        m_content.setContainerSpan(
            m_menu.fullScreenInsetLeft(),
            frame.size.width - m_menu.fullScreenInsetLeft() - m_menu.fullScreenInsetRight());
    } else {
        m_content.setContainerSpan(bar.minX() - frame.minX(), bar.size.width);
    }
}

ui::AffineTransform MKDropdownMenuTransition::slidAway() const {
    const double toward = m_content.showsContentAbove() ? kSlideDistance : -kSlideDistance;
    return ui::AffineTransform::makeTranslation(0, toward);
}

std::function<void(bool)> MKDropdownMenuTransition::finishing(std::function<void()> then) {
    const unsigned long generation = ++m_generation;
    m_animating = true;
    std::weak_ptr<MKDropdownMenuTransition*> self = m_self;
    return [self, generation, then = std::move(then)](bool) {
        const auto alive = self.lock();
        if (!alive || (*alive)->m_generation != generation) return;
        (*alive)->m_animating = false;
        if (then) then();
    };
}

void MKDropdownMenuTransition::presentDropdownInView(ui::View& host, bool animated,
                                                     std::function<void()> completion) {
    const auto& view = m_content.view();
    if (view->superview() != &host) host.addSubview(view);
    placeContent(host);
    m_content.beginAppearanceTransition(true, animated);
    m_content.layoutContent();
    m_presented = true;
    const bool cuttingIn = m_animating;
    auto& dimming = m_content.dimmingView();
    auto& container = m_content.containerView();
    auto done = finishing([this, completion = std::move(completion)] {
        m_content.endAppearanceTransition();
        if (completion) completion();
    });
    const auto show = [&] {
        dimming.setAlpha(m_content.backgroundDimmingOpacity());
        container.setAlpha(1);
        container.setTransform(ui::AffineTransform::identity());
    };
    if (!animated) {
        ui::View::performWithoutAnimation(show);
        done(true);
        return;
    }
    if (!cuttingIn) {
        ui::View::performWithoutAnimation([&] {
            dimming.setAlpha(0);
            container.setAlpha(0);
            container.setTransform(slidAway());
        });
    }
    ui::View::animateWithDuration(
        kPresentDuration, 0,
        ui::UIViewAnimationOptionCurveEaseOut | ui::UIViewAnimationOptionBeginFromCurrentState,
        show, std::move(done));
}

void MKDropdownMenuTransition::dismissDropdownAnimated(bool animated,
                                                       std::function<void()> completion) {
    m_presented = false;
    m_content.beginAppearanceTransition(false, animated);
    auto& dimming = m_content.dimmingView();
    auto& container = m_content.containerView();
    auto done = finishing([this, completion = std::move(completion)] {
        m_content.view()->removeFromSuperview();
        m_content.endAppearanceTransition();
        if (completion) completion();
    });
    const auto hide = [&] {
        dimming.setAlpha(0);
        container.setAlpha(0);
        container.setTransform(slidAway());
    };
    if (!animated || !m_content.view()->superview()) {
        ui::View::performWithoutAnimation(hide);
        done(true);
        return;
    }
    ui::View::animateWithDuration(
        kDismissDuration, 0,
        ui::UIViewAnimationOptionCurveEaseIn | ui::UIViewAnimationOptionBeginFromCurrentState, hide,
        std::move(done));
}

void MKDropdownMenuTransition::detach() {
    ++m_generation;
    m_animating = false;
    m_presented = false;
    if (auto* view = m_content.viewIfLoaded()) view->removeFromSuperview();
}

}  // namespace ov
