#include "orvane/platform/ui/containers/TabBarController.h"

#include <algorithm>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/input/TapGestureRecognizer.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/text/Font.h"

namespace ov::ui {

TabBar::TabBar(TabBarController& owner) : View({0, 0, 320, kHeight}), m_owner(owner) {
    setBackgroundColor(Color::colorWithWhite(0.97, 1));
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    auto tap = std::make_shared<TapGestureRecognizer>([this](GestureRecognizer& recognizer) {
        const auto count = static_cast<long>(m_owner.viewControllers().size());
        if (count == 0 || bounds().width() <= 0) return;
        const double x = recognizer.locationInView(this).x;
        m_owner.setSelectedIndex(std::clamp(
            static_cast<long>(x / (bounds().width() / static_cast<double>(count))), 0L, count - 1));
    });
    addGestureRecognizer(*this, std::move(tap));
}

void TabBar::drawRect(GraphicsContext& context, const Rect&) {
    const Rect b = bounds();
    context.setFillColor(Color::colorWithWhite(0.8, 1));
    context.fillRect({0, 0, b.width(), 0.5});
    const auto& tabs = m_owner.viewControllers();
    if (tabs.empty()) return;
    const double slot = b.width() / static_cast<double>(tabs.size());
    for (size_t i = 0; i < tabs.size(); ++i) {
        Dictionary attributes;
        attributes.setObject(Font::systemFontOfSize(10).toValue(), NSFontAttributeName);
        const bool selected = static_cast<long>(i) == m_owner.selectedIndex();
        attributes.setObject((selected ? tintColor() : Color::grayColor()).toValue(),
                             NSForegroundColorAttributeName);
        const AttributedString text(tabs[i]->title().value_or(""), attributes);
        const Size size = text.size();
        context.drawText(text, Point{slot * static_cast<double>(i) + (slot - size.width) / 2,
                                     (b.height() - size.height) / 2});
    }
}

TabBarController::TabBarController() = default;

TabBar& TabBarController::tabBar() {
    view();
    return *m_bar;
}

void TabBarController::loadView() {
    ViewController::loadView();
    const Rect b = view()->bounds();
    m_bar = std::make_shared<TabBar>(*this);
    m_bar->setFrame({0, b.height() - TabBar::kHeight, b.width(), TabBar::kHeight});
    view()->addSubview(m_bar);
    show(nullptr);
}

Rect TabBarController::contentFrame() const {
    const Rect b = viewIfLoaded() ? viewIfLoaded()->bounds() : Rect{};
    return {0, 0, b.width(), std::max(b.height() - TabBar::kHeight, 0.0)};
}

ViewController* TabBarController::selectedViewController() const {
    const auto& tabs = viewControllers();
    if (m_selectedIndex < 0 || m_selectedIndex >= static_cast<long>(tabs.size())) return nullptr;
    return tabs[static_cast<size_t>(m_selectedIndex)].get();
}

std::vector<ViewController*> TabBarController::childViewControllersForAppearance() const {
    if (ViewController* selected = selectedViewController()) return {selected};
    return {};
}

void TabBarController::setViewControllers(std::vector<std::shared_ptr<ViewController>> controllers,
                                          bool) {
    ViewController* previous = selectedViewController();
    const bool onScreen = isAppeared();
    if (previous && onScreen) previous->beginAppearanceTransition(false, false);
    if (previous) {
        if (View* v = previous->viewIfLoaded()) v->removeFromSuperview();
    }
    const auto keep = previous ? previous->shared_from_this() : nullptr;
    for (const auto& child : std::vector<std::shared_ptr<ViewController>>(viewControllers())) {
        child->willMoveToParentViewController(nullptr);
        child->removeFromParentViewController();
    }
    for (const auto& controller : controllers) {
        addChildViewController(controller);
        controller->didMoveToParentViewController(this);
    }
    const auto stays = std::find(controllers.begin(), controllers.end(), keep);
    m_selectedIndex = controllers.empty()          ? -1
                      : stays != controllers.end() ? static_cast<long>(stays - controllers.begin())
                                                   : 0;
    if (previous && onScreen) previous->endAppearanceTransition();
    show(nullptr);
}

void TabBarController::setSelectedIndex(long index) {
    if (index < 0 || index >= static_cast<long>(viewControllers().size()) ||
        index == m_selectedIndex) {
        return;
    }
    ViewController* previous = selectedViewController();
    m_selectedIndex = index;
    show(previous);
}

void TabBarController::setSelectedViewController(const ViewController& controller) {
    const auto& tabs = viewControllers();
    const auto found = std::find_if(tabs.begin(), tabs.end(),
                                    [&](const auto& c) { return c.get() == &controller; });
    if (found != tabs.end()) setSelectedIndex(static_cast<long>(found - tabs.begin()));
}

void TabBarController::show(ViewController* previous) {
    if (m_bar) m_bar->setNeedsDisplay();
    ViewController* selected = selectedViewController();
    if (!isViewLoaded() || !m_bar) return;
    const bool onScreen = isAppeared();
    if (previous && onScreen) previous->beginAppearanceTransition(false, false);
    if (previous) {
        if (View* v = previous->viewIfLoaded()) v->removeFromSuperview();
    }
    if (selected) {
        const auto& v = selected->view();
        v->setFrame(contentFrame());
        v->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        view()->insertSubviewBelow(v, *m_bar);
        if (onScreen) selected->beginAppearanceTransition(true, false);
    }
    if (previous && onScreen) previous->endAppearanceTransition();
    if (selected && onScreen) selected->endAppearanceTransition();
}

}  // namespace ov::ui
