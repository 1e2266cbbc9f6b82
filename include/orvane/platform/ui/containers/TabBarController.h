#pragma once
// Screens side by side behind a bar of tabs (the platform's UITabBarController): the
// selected controller's view fills the area above the bar; tapping a tab selects it.
//
//   auto tabs = std::make_shared<ov::ui::TabBarController>();
//   tabs->setViewControllers({feed, search, profile}, false);
//   tabs->setSelectedIndex(2);
//   tabs->selectedViewController();   // profile
//
// The tabs are titled by the controllers' titles. Main thread only.

#include <memory>
#include <vector>

#include "orvane/platform/ui/containers/ViewController.h"

namespace ov::ui {

class TabBarController;

// The bar of tabs (the platform's UITabBar): equal slots with the titles, the selected one
// in the tint colour.
class TabBar : public View {
  public:
    static constexpr double kHeight = 49;

    explicit TabBar(TabBarController& owner);
    void drawRect(GraphicsContext& context, const Rect& rect) override;

  private:
    TabBarController& m_owner;
};

class TabBarController : public ViewController {
  public:
    TabBarController();

    const std::vector<std::shared_ptr<ViewController>>& viewControllers() const {
        return childViewControllers();
    }
    // Keeps the selected controller when it stays, else selects the first.
    void setViewControllers(std::vector<std::shared_ptr<ViewController>> controllers,
                            bool animated);
    // NSNotFound-like -1 with no controllers.
    long selectedIndex() const { return m_selectedIndex; }
    // Out-of-range indexes are ignored.
    void setSelectedIndex(long index);
    ViewController* selectedViewController() const;
    void setSelectedViewController(const ViewController& controller);

    TabBar& tabBar();
    void loadView() override;

  protected:
    std::vector<ViewController*> childViewControllersForAppearance() const override;

  private:
    void show(ViewController* previous);
    Rect contentFrame() const;

    std::shared_ptr<TabBar> m_bar;
    long m_selectedIndex = -1;
};

}  // namespace ov::ui
