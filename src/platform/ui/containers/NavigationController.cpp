#include "orvane/platform/ui/containers/NavigationController.h"

#include <algorithm>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/input/TapGestureRecognizer.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/text/Font.h"

namespace ov::ui {

namespace {

AttributedString barText(const String& text, const Font& font, const Color& color) {
    Dictionary attributes;
    attributes.setObject(font.toValue(), NSFontAttributeName);
    attributes.setObject(color.toValue(), NSForegroundColorAttributeName);
    return AttributedString(text, attributes);
}

}  // namespace

// The bar.

NavigationBar::NavigationBar(NavigationController& owner)
    : View({0, 0, 320, kHeight}), m_owner(owner) {
    setBackgroundColor(Color::colorWithWhite(0.97, 1));
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    auto tap = std::make_shared<TapGestureRecognizer>(
        [this](GestureRecognizer& recognizer) { tapped(recognizer.locationInView(this)); });
    tap->setCancelsTouchesInView(false);
    addGestureRecognizer(*this, std::move(tap));
}

std::optional<String> NavigationBar::titleText() const {
    ViewController* top = m_owner.topViewController();
    return top ? top->navigationItem().title : std::nullopt;
}

std::optional<String> NavigationBar::backTitle() const {
    const auto& stack = m_owner.viewControllers();
    if (stack.size() < 2 || stack.back()->navigationItem().hidesBackButton) return std::nullopt;
    return stack[stack.size() - 2]->title().value_or("Back");
}

std::shared_ptr<BarButtonItem> NavigationBar::leftItem() const {
    ViewController* top = m_owner.topViewController();
    return top ? top->navigationItem().leftBarButtonItem : nullptr;
}

std::shared_ptr<BarButtonItem> NavigationBar::rightItem() const {
    ViewController* top = m_owner.topViewController();
    return top ? top->navigationItem().rightBarButtonItem : nullptr;
}

void NavigationBar::tapped(Point point) {
    const double third = bounds().width() / 3;
    if (point.x < third) {
        if (auto left = leftItem()) {
            if (left->action) left->action();
        } else if (backTitle()) {
            m_owner.popViewControllerAnimated(true);
        }
    } else if (point.x > 2 * third) {
        if (auto right = rightItem(); right && right->action) right->action();
    }
}

void NavigationBar::drawRect(GraphicsContext& context, const Rect&) {
    const Rect b = bounds();
    context.setFillColor(Color::colorWithWhite(0.8, 1));
    context.fillRect({0, b.maxY() - 0.5, b.width(), 0.5});
    const Font titleFont = Font::boldSystemFontOfSize(17);
    const Font itemFont = Font::systemFontOfSize(17);
    auto drawCentredAt = [&](const AttributedString& text, double x, bool alignRight) {
        const Size size = text.size();
        const double left = alignRight ? x - size.width : x;
        context.drawText(text, Point{left, (b.height() - size.height) / 2});
    };
    if (auto title = titleText()) {
        const auto text = barText(*title, titleFont, Color::blackColor());
        drawCentredAt(text, (b.width() - text.size().width) / 2, false);
    }
    if (auto left = leftItem()) {
        drawCentredAt(barText(left->title, itemFont, tintColor()), 8, false);
    } else if (auto back = backTitle()) {
        drawCentredAt(barText("‹ " + *back, itemFont, tintColor()), 8, false);
    }
    if (auto right = rightItem()) {
        drawCentredAt(barText(right->title, itemFont, tintColor()), b.width() - 8, true);
    }
}

// The controller.

NavigationController::NavigationController(std::shared_ptr<ViewController> rootViewController) {
    if (rootViewController) changeStack({std::move(rootViewController)}, false);
}

NavigationBar& NavigationController::navigationBar() {
    view();
    return *m_bar;
}

void NavigationController::loadView() {
    ViewController::loadView();
    m_bar = std::make_shared<NavigationBar>(*this);
    m_bar->setFrame({0, 0, view()->bounds().width(), NavigationBar::kHeight});
    m_bar->setHidden(m_barHidden);
    view()->addSubview(m_bar);
    if (ViewController* top = topViewController()) {
        const auto& topView = top->view();
        topView->setFrame(contentFrame());
        view()->insertSubview(topView, 0);
    }
}

Rect NavigationController::contentFrame() const {
    const Rect b = viewIfLoaded() ? viewIfLoaded()->bounds() : Rect{};
    const double top = m_barHidden ? 0 : NavigationBar::kHeight;
    return {0, top, b.width(), std::max(b.height() - top, 0.0)};
}

void NavigationController::setNavigationBarHidden(bool hidden, bool) {
    m_barHidden = hidden;
    if (!m_bar) return;
    m_bar->setHidden(hidden);
    if (ViewController* top = topViewController(); top && top->viewIfLoaded()) {
        top->viewIfLoaded()->setFrame(contentFrame());
    }
}

ViewController* NavigationController::topViewController() const {
    const auto& stack = viewControllers();
    return stack.empty() ? nullptr : stack.back().get();
}

ViewController* NavigationController::visibleViewController() const {
    if (ViewController* presented = presentedViewController()) return presented;
    return topViewController();
}

std::vector<ViewController*> NavigationController::childViewControllersForAppearance() const {
    if (ViewController* top = topViewController()) return {top};
    return {};
}

void NavigationController::changeStack(std::vector<std::shared_ptr<ViewController>> controllers,
                                       bool animated) {
    const auto oldTop = m_stack.empty() ? nullptr : m_stack.back();
    const auto newTop = controllers.empty() ? nullptr : controllers.back();
    const bool onScreen = isAppeared() && oldTop != newTop;
    auto leaving = [&](const std::shared_ptr<ViewController>& c) {
        return std::find(controllers.begin(), controllers.end(), c) == controllers.end();
    };
    if (onScreen && oldTop) oldTop->beginAppearanceTransition(false, animated);
    // Those that leave go now, except the old top, which stays until it is off screen.
    for (const auto& child : m_stack) {
        if (!leaving(child)) continue;
        child->willMoveToParentViewController(nullptr);
        if (child != oldTop) child->removeFromParentViewController();
    }
    const auto before = std::exchange(m_stack, controllers);
    for (const auto& controller : controllers) {
        if (std::find(before.begin(), before.end(), controller) != before.end()) continue;
        addChildViewController(controller);
    }
    if (isViewLoaded() && newTop && newTop != oldTop) {
        const auto& topView = newTop->view();
        topView->setFrame(contentFrame());
        topView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                     UIViewAutoresizingFlexibleHeight);
        view()->insertSubviewBelow(topView, *m_bar);
    }
    if (onScreen && newTop) newTop->beginAppearanceTransition(true, animated);
    for (const auto& controller : controllers) {
        if (std::find(before.begin(), before.end(), controller) == before.end()) {
            controller->didMoveToParentViewController(this);
        }
    }
    if (m_bar) m_bar->setNeedsDisplay();
    const bool oldTopLeaves = oldTop && leaving(oldTop);
    afterTransition([this, oldTop, newTop, onScreen, oldTopLeaves] {
        if (oldTop && oldTop.get() != topViewController()) {
            if (View* v = oldTop->viewIfLoaded()) v->removeFromSuperview();
            if (onScreen) oldTop->endAppearanceTransition();
            if (oldTopLeaves) oldTop->removeFromParentViewController();
        }
        if (onScreen && newTop) newTop->endAppearanceTransition();
    });
}

void NavigationController::setViewControllers(
    std::vector<std::shared_ptr<ViewController>> controllers, bool animated) {
    changeStack(std::move(controllers), animated);
}

void NavigationController::pushViewController(std::shared_ptr<ViewController> controller,
                                              bool animated) {
    if (!controller) return;
    auto stack = viewControllers();
    if (std::find(stack.begin(), stack.end(), controller) != stack.end()) return;
    stack.push_back(std::move(controller));
    changeStack(std::move(stack), animated);
}

std::shared_ptr<ViewController> NavigationController::popViewControllerAnimated(bool animated) {
    auto stack = viewControllers();
    if (stack.size() < 2) return nullptr;
    auto popped = stack.back();
    stack.pop_back();
    changeStack(std::move(stack), animated);
    return popped;
}

std::vector<std::shared_ptr<ViewController>> NavigationController::popToRootViewControllerAnimated(
    bool animated) {
    if (viewControllers().empty()) return {};
    return popToViewController(*viewControllers().front(), animated);
}

std::vector<std::shared_ptr<ViewController>> NavigationController::popToViewController(
    const ViewController& controller, bool animated) {
    auto stack = viewControllers();
    const auto found = std::find_if(stack.begin(), stack.end(),
                                    [&](const auto& c) { return c.get() == &controller; });
    if (found == stack.end()) return {};
    std::vector<std::shared_ptr<ViewController>> popped(found + 1, stack.end());
    stack.erase(found + 1, stack.end());
    if (!popped.empty()) changeStack(std::move(stack), animated);
    return popped;
}

}  // namespace ov::ui
