#pragma once
// A stack of screens with a bar on top (the platform's UINavigationController): the top
// controller's view fills the area under the bar; pushing covers it with a new one, popping
// goes back. The bar shows the top controller's title, its bar button items and a back item
// titled after the controller below; tapping the back item pops.
//
//   auto navigation = std::make_shared<ov::ui::NavigationController>(inbox);
//   navigation->pushViewController(message, true);
//   navigation->popViewControllerAnimated(true);      // answers message
//
// The stack changes at once; appearance follows the rules of ViewController.h. Main thread
// only.

#include <memory>
#include <vector>

#include "orvane/platform/ui/containers/ViewController.h"
#include "orvane/platform/ui/input/Responder.h"

namespace ov::ui {

class NavigationController;

// The bar at the top of a navigation controller (the platform's UINavigationBar), drawn as
// a light strip with the title centred and the items at the sides.
class NavigationBar : public View {
  public:
    static constexpr double kHeight = 44;

    explicit NavigationBar(NavigationController& owner);

    std::optional<String> titleText() const;
    // The back item's title: the title of the controller below the top, or "Back".
    std::optional<String> backTitle() const;
    std::shared_ptr<BarButtonItem> leftItem() const;
    std::shared_ptr<BarButtonItem> rightItem() const;

    void drawRect(GraphicsContext& context, const Rect& rect) override;

  private:
    void tapped(Point point);

    NavigationController& m_owner;
};

class NavigationController : public ViewController {
  public:
    explicit NavigationController(std::shared_ptr<ViewController> rootViewController = nullptr);

    const std::vector<std::shared_ptr<ViewController>>& viewControllers() const { return m_stack; }
    void setViewControllers(std::vector<std::shared_ptr<ViewController>> controllers,
                            bool animated);
    ViewController* topViewController() const;
    // What is on screen: the top controller, or what it presents.
    ViewController* visibleViewController() const;

    void pushViewController(std::shared_ptr<ViewController> controller, bool animated);
    // None when only the root is left.
    std::shared_ptr<ViewController> popViewControllerAnimated(bool animated);
    std::vector<std::shared_ptr<ViewController>> popToRootViewControllerAnimated(bool animated);
    // Empty when `controller` is not on the stack.
    std::vector<std::shared_ptr<ViewController>> popToViewController(
        const ViewController& controller, bool animated);

    NavigationBar& navigationBar();
    bool isNavigationBarHidden() const { return m_barHidden; }
    void setNavigationBarHidden(bool hidden, bool animated = false);

    void loadView() override;

  protected:
    std::vector<ViewController*> childViewControllersForAppearance() const override;

  private:
    // Replaces the stack and shows the new top in place of the old one.
    void changeStack(std::vector<std::shared_ptr<ViewController>> controllers, bool animated);
    Rect contentFrame() const;

    std::vector<std::shared_ptr<ViewController>> m_stack;
    std::shared_ptr<NavigationBar> m_bar;
    bool m_barHidden = false;
};

}  // namespace ov::ui
