#pragma once
// A screen's worth of interface (the platform's UIViewController): its view, made on first
// use by loadView then viewDidLoad; appearance callbacks as it comes on and goes off screen;
// child controllers; modal presentation; and the window's root controller.
//
//   class Settings : public ov::ui::ViewController {
//       void viewDidLoad() override { view()->addSubview(makeTable()); }
//       void viewWillAppear(bool) override { refresh(); }
//   };
//   auto window = std::make_shared<ov::ui::Window>(ov::ui::Rect{0, 0, 375, 667});
//   ov::ui::setRootViewController(*window, std::make_shared<ov::ui::NavigationController>(home));
//   window->makeKeyAndVisible();
//   home->presentViewController(login, true, [] { /* on the main run loop */ });
//
// Appearance goes in two steps: the will-callbacks when a change starts, the did-callbacks
// (and any completion) on the next turn of the main run loop, animated or not; the model
// (presentedViewController, a navigation stack) changes at once. Containers pass appearance
// on to the children they show. Presenting from a child presents from its outermost parent,
// and a child answers that parent's presentedViewController. Hold controllers in
// std::shared_ptr. Main thread only.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/ui/containers/DeviceOrientation.h"
#include "orvane/platform/ui/views/View.h"
#include "orvane/platform/values/String.h"

namespace ov::ui {

class NavigationController;
class TabBarController;
class Window;

// A titled button of a bar (the platform's UIBarButtonItem).
struct BarButtonItem {
    String title;
    std::function<void()> action;
};

// What a navigation bar shows for a controller (the platform's UINavigationItem).
struct NavigationItem {
    std::optional<String> title;
    std::shared_ptr<BarButtonItem> leftBarButtonItem;
    std::shared_ptr<BarButtonItem> rightBarButtonItem;
    bool hidesBackButton = false;
};

class ViewController : public std::enable_shared_from_this<ViewController> {
  public:
    ViewController();
    virtual ~ViewController();
    ViewController(const ViewController&) = delete;
    ViewController& operator=(const ViewController&) = delete;

    // Loads the view when needed.
    const std::shared_ptr<View>& view();
    View* viewIfLoaded() const { return m_view.get(); }
    bool isViewLoaded() const { return static_cast<bool>(m_view); }
    void loadViewIfNeeded() { view(); }
    void setView(std::shared_ptr<View> view);

    // The default makes a plain white view the size of the key window (or 320 × 480).
    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool animated) { (void)animated; }
    virtual void viewDidAppear(bool animated) { (void)animated; }
    virtual void viewWillDisappear(bool animated) { (void)animated; }
    virtual void viewDidDisappear(bool animated) { (void)animated; }

    // The navigation item's title follows it.
    const std::optional<String>& title() const { return m_title; }
    void setTitle(const std::optional<String>& title);
    NavigationItem& navigationItem() { return m_navigationItem; }

    // Containment.
    ViewController* parentViewController() const { return m_parent; }
    const std::vector<std::shared_ptr<ViewController>>& childViewControllers() const {
        return m_children;
    }
    // Calls the child's willMoveToParentViewController(this); the container adds the child's
    // view and then calls didMoveToParentViewController.
    void addChildViewController(std::shared_ptr<ViewController> child);
    // Calls didMoveToParentViewController(nullptr); call willMove… (nullptr) before.
    void removeFromParentViewController();
    virtual void willMoveToParentViewController(ViewController* parent) { (void)parent; }
    virtual void didMoveToParentViewController(ViewController* parent) { (void)parent; }
    NavigationController* navigationController() const;
    TabBarController* tabBarController() const;

    // Modal presentation over the whole window. Presenting while something is presented
    // logs and does nothing.
    void presentViewController(std::shared_ptr<ViewController> controller, bool animated,
                               std::function<void()> completion = {});
    // On the presenter: dismisses what it presents (and whatever that presents); on a
    // presented controller: asks its presenter.
    void dismissViewControllerAnimated(bool animated, std::function<void()> completion = {});
    ViewController* presentedViewController() const;
    ViewController* presentingViewController() const;

    // Orientations.
    virtual UIInterfaceOrientationMask supportedInterfaceOrientations() const {
        return UIInterfaceOrientationMaskAllButUpsideDown;
    }
    virtual bool shouldAutorotate() const { return true; }
    // The interface's orientation now (portrait until a root controller turns it).
    static UIInterfaceOrientation interfaceOrientation();

    // Appearance, for containers: begin calls the will-callback, end the did-callback; both
    // pass on to childViewControllersForAppearance().
    void beginAppearanceTransition(bool isAppearing, bool animated);
    void endAppearanceTransition();
    // Whether it is on screen (between viewDidAppear and viewWillDisappear).
    bool isAppeared() const { return m_appearance == Appearance::Appeared; }

  protected:
    // The children whose appearance follows this controller's. Default: those whose views
    // are inside this controller's view.
    virtual std::vector<ViewController*> childViewControllersForAppearance() const;
    // For containers' transitions: runs `finish` on the next turn of the main run loop,
    // while this controller is still alive.
    void afterTransition(std::function<void()> finish);

  private:
    enum class Appearance { Disappeared, Appearing, Appeared, Disappearing };

    ViewController& presentationHost();
    void finishPresenting(bool animated, std::function<void()> completion);

    std::shared_ptr<View> m_view;
    std::optional<String> m_title;
    NavigationItem m_navigationItem;
    ViewController* m_parent = nullptr;
    std::vector<std::shared_ptr<ViewController>> m_children;
    std::shared_ptr<ViewController> m_presented;
    ViewController* m_presenting = nullptr;
    Appearance m_appearance = Appearance::Disappeared;
    bool m_lastTransitionAnimated = false;
};

// The window's root view controller (the platform's UIWindow rootViewController): its view
// fills the window and it appears when set (the old one disappears). Nullptr removes it.
void setRootViewController(Window& window, std::shared_ptr<ViewController> controller);
std::shared_ptr<ViewController> rootViewController(const Window& window);
// Windows that have a root controller, oldest first, while they live.
std::vector<Window*> windowsWithRootViewControllers();

}  // namespace ov::ui
