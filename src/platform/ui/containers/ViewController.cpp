#include "orvane/platform/ui/containers/ViewController.h"

#include <algorithm>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/containers/NavigationController.h"
#include "orvane/platform/ui/containers/TabBarController.h"
#include "orvane/platform/ui/views/Window.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::ui {

namespace {

void showFullScreen(Window& window, const std::shared_ptr<View>& view) {
    view->setFrame(window.bounds());
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    window.addSubview(view);
}

}  // namespace

ViewController::ViewController() = default;

ViewController::~ViewController() {
    if (m_presented) m_presented->m_presenting = nullptr;
    for (const auto& child : m_children)
        child->m_parent = nullptr;
}

const std::shared_ptr<View>& ViewController::view() {
    if (!m_view) {
        loadView();
        if (!m_view) m_view = std::make_shared<View>();
        viewDidLoad();
    }
    return m_view;
}

void ViewController::setView(std::shared_ptr<View> view) {
    m_view = std::move(view);
}

void ViewController::loadView() {
    const Window* window = Window::keyWindow();
    auto view = std::make_shared<View>(window ? window->bounds() : Rect{0, 0, 320, 480});
    view->setBackgroundColor(Color::whiteColor());
    setView(std::move(view));
}

void ViewController::setTitle(const std::optional<String>& title) {
    m_title = title;
    m_navigationItem.title = title;
}

// Containment.

void ViewController::addChildViewController(std::shared_ptr<ViewController> child) {
    if (!child || child.get() == this || child->m_parent == this) return;
    if (child->m_parent) child->removeFromParentViewController();
    child->willMoveToParentViewController(this);
    child->m_parent = this;
    m_children.push_back(std::move(child));
}

void ViewController::removeFromParentViewController() {
    ViewController* parent = m_parent;
    if (!parent) return;
    const auto keepAlive = shared_from_this();
    m_parent = nullptr;
    std::erase_if(parent->m_children, [this](const auto& c) { return c.get() == this; });
    didMoveToParentViewController(nullptr);
}

NavigationController* ViewController::navigationController() const {
    for (ViewController* p = m_parent; p; p = p->m_parent) {
        if (auto* navigation = dynamic_cast<NavigationController*>(p)) return navigation;
    }
    return nullptr;
}

TabBarController* ViewController::tabBarController() const {
    for (ViewController* p = m_parent; p; p = p->m_parent) {
        if (auto* tabs = dynamic_cast<TabBarController*>(p)) return tabs;
    }
    return nullptr;
}

// Appearance.

std::vector<ViewController*> ViewController::childViewControllersForAppearance() const {
    std::vector<ViewController*> shown;
    for (const auto& child : m_children) {
        const View* childView = child->viewIfLoaded();
        if (m_view && childView && childView->isDescendantOfView(*m_view)) {
            shown.push_back(child.get());
        }
    }
    return shown;
}

void ViewController::beginAppearanceTransition(bool isAppearing, bool animated) {
    if (isAppearing) {
        if (m_appearance == Appearance::Appearing || m_appearance == Appearance::Appeared) return;
        m_appearance = Appearance::Appearing;
        view();
        viewWillAppear(animated);
    } else {
        if (m_appearance == Appearance::Disappearing || m_appearance == Appearance::Disappeared) {
            return;
        }
        m_appearance = Appearance::Disappearing;
        viewWillDisappear(animated);
    }
    m_lastTransitionAnimated = animated;
    for (ViewController* child : childViewControllersForAppearance()) {
        child->beginAppearanceTransition(isAppearing, animated);
    }
}

void ViewController::endAppearanceTransition() {
    if (m_appearance == Appearance::Appearing) {
        m_appearance = Appearance::Appeared;
        viewDidAppear(m_lastTransitionAnimated);
    } else if (m_appearance == Appearance::Disappearing) {
        m_appearance = Appearance::Disappeared;
        viewDidDisappear(m_lastTransitionAnimated);
    } else {
        return;
    }
    for (ViewController* child : childViewControllersForAppearance()) {
        child->endAppearanceTransition();
    }
}

void ViewController::afterTransition(std::function<void()> finish) {
    std::weak_ptr<ViewController> weak = weak_from_this();
    RunLoop::main().perform([weak, finish = std::move(finish)] {
        if (weak.lock()) finish();
    });
}

// Presentation.

ViewController& ViewController::presentationHost() {
    ViewController* host = this;
    while (host->m_parent)
        host = host->m_parent;
    return *host;
}

ViewController* ViewController::presentedViewController() const {
    return const_cast<ViewController*>(this)->presentationHost().m_presented.get();
}

ViewController* ViewController::presentingViewController() const {
    return const_cast<ViewController*>(this)->presentationHost().m_presenting;
}

void ViewController::presentViewController(std::shared_ptr<ViewController> controller,
                                           bool animated, std::function<void()> completion) {
    ViewController& host = presentationHost();
    if (!controller || controller->m_presenting || controller->m_parent) return;
    if (host.m_presented) {
        systemLog("Attempt to present %@ on %@ which is already presenting",
                  controller->m_title.value_or("a view controller"),
                  host.m_title.value_or("a view controller"));
        return;
    }
    host.m_presented = controller;
    controller->m_presenting = &host;
    View* hostView = host.viewIfLoaded();
    Window* window = hostView ? hostView->window() : nullptr;
    if (window) {
        showFullScreen(*window, controller->view());
        controller->beginAppearanceTransition(true, animated);
        host.beginAppearanceTransition(false, animated);
    }
    std::weak_ptr<ViewController> presented = controller;
    host.afterTransition([&host, presented, window, completion = std::move(completion)] {
        if (window) {
            if (auto shown = presented.lock()) shown->endAppearanceTransition();
            host.endAppearanceTransition();
            // Covered by the presented view: off the window until dismissal.
            if (host.m_presented == presented.lock() && host.m_view) {
                host.m_view->removeFromSuperview();
            }
        }
        if (completion) completion();
    });
}

void ViewController::dismissViewControllerAnimated(bool animated,
                                                   std::function<void()> completion) {
    ViewController& host = presentationHost();
    if (!host.m_presented) {
        if (host.m_presenting)
            host.m_presenting->dismissViewControllerAnimated(animated, completion);
        return;
    }
    host.finishPresenting(animated, std::move(completion));
}

void ViewController::finishPresenting(bool animated, std::function<void()> completion) {
    // The whole chain above this controller goes; only the one on top is on screen.
    std::vector<std::shared_ptr<ViewController>> chain;
    for (auto p = m_presented; p; p = p->m_presented)
        chain.push_back(p);
    for (const auto& p : chain)
        p->m_presenting = nullptr;
    for (const auto& p : chain)
        p->m_presented.reset();
    m_presented.reset();

    const auto& top = chain.back();
    View* topView = top->viewIfLoaded();
    Window* window = topView ? topView->window() : nullptr;
    if (window && m_view) {
        m_view->setFrame(window->bounds());
        window->insertSubviewBelow(m_view, *chain.front()->view());
        top->beginAppearanceTransition(false, animated);
        beginAppearanceTransition(true, animated);
    }
    afterTransition([this, chain, window, completion = std::move(completion)] {
        if (window) {
            chain.back()->endAppearanceTransition();
            endAppearanceTransition();
        }
        for (const auto& p : chain) {
            if (View* v = p->viewIfLoaded()) v->removeFromSuperview();
        }
        if (completion) completion();
    });
}

}  // namespace ov::ui
