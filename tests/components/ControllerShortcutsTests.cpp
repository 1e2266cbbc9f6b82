#include <gtest/gtest.h>

#include "orvane/components/OVBaseViewController.h"
#include "orvane/components/UINavigationController+OVUINavigationController.h"
#include "orvane/components/UIViewController+UIViewController.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/views/TextField.h"
#include "orvane/platform/ui/views/Window.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

namespace nav = UINavigationController_OVUINavigationController;
using Stack = std::vector<std::shared_ptr<ui::ViewController>>;

class Inbox : public ui::ViewController {};
class Archive : public Inbox {};
class Settings : public ui::ViewController {};

class ControllerShortcutsTest : public ::testing::Test {
  protected:
    ControllerShortcutsTest() { window->makeKeyAndVisible(); }
    ~ControllerShortcutsTest() override {
        ui::setRootViewController(*window, nullptr);
        RunLoop::main().runPending();
    }
    static void settle() { RunLoop::main().runFor(2); }
    std::shared_ptr<ui::NavigationController> navigationWith(const Stack& stack) {
        auto navigation = std::make_shared<ui::NavigationController>(stack.front());
        ui::setRootViewController(*window, navigation);
        for (size_t i = 1; i < stack.size(); ++i)
            navigation->pushViewController(stack[i], false);
        settle();
        return navigation;
    }

    test::ManualClockScope time{10};
    std::shared_ptr<ui::Window> window = std::make_shared<ui::Window>(ui::Rect{0, 0, 320, 480});
};

TEST_F(ControllerShortcutsTest, ClassLookupsPopToTheLowestMatchIncludingSubclasses) {
    auto home = std::make_shared<ui::ViewController>();
    auto inbox = std::make_shared<Inbox>();
    auto archive = std::make_shared<Archive>();
    auto navigation = navigationWith({home, inbox, std::make_shared<Settings>(), archive});
    EXPECT_FALSE(nav::popToViewControllerClass<OVBaseViewController>(*navigation, false));
    EXPECT_EQ(navigation->viewControllers().size(), 4u);
    EXPECT_TRUE(nav::popToViewControllerClass<Inbox>(*navigation, true));
    settle();
    EXPECT_EQ(navigation->viewControllers(), (Stack{home, inbox}));
    EXPECT_FALSE(nav::containsViewControllerClass<Archive>(*navigation));

    int completions = 0;
    nav::pushViewController(*navigation, archive, true, [&] { ++completions; });
    EXPECT_EQ(completions, 0);
    settle();
    EXPECT_EQ(completions, 1);
    EXPECT_TRUE(nav::containsViewControllerClass<Archive>(*navigation));
}

TEST_F(ControllerShortcutsTest, VisibleNeedsAWindowAndAskingLoadsNoView) {
    auto screen = std::make_shared<Settings>();
    EXPECT_FALSE(UIViewController_UIViewController::isVisible(*screen));
    EXPECT_FALSE(screen->isViewLoaded());
    screen->loadViewIfNeeded();
    EXPECT_FALSE(UIViewController_UIViewController::isVisible(*screen));
    ui::setRootViewController(*window, screen);
    EXPECT_TRUE(UIViewController_UIViewController::isVisible(*screen));
}

TEST_F(ControllerShortcutsTest, BaseScreenButtonsAndHud) {
    auto home = std::make_shared<ui::ViewController>();
    auto top = std::make_shared<OVBaseViewController>();
    auto navigation = navigationWith({home, std::make_shared<Settings>(), top});
    top->btn_pop();
    settle();
    EXPECT_EQ(navigation->viewControllers().size(), 2u);
    navigation->pushViewController(top, false);
    top->btn_pop_to_root();
    settle();
    EXPECT_EQ(navigation->viewControllers(), Stack{home});

    auto modal = std::make_shared<OVBaseViewController>();
    home->presentViewController(modal, false);
    settle();
    auto& field = modal->view()->addSubview(std::make_shared<ui::TextField>());
    ASSERT_TRUE(field.becomeFirstResponder());
    modal->btn_end_editing();
    EXPECT_FALSE(field.isFirstResponder());
    const auto hud = modal->SHOW_HUD(String("Saving"), std::nullopt);
    EXPECT_EQ(MBProgressHUD::HUDForView(*modal->view()), hud.get());
    EXPECT_EQ(hud->label().text(), String("Saving"));
    modal->HIDE_HUD();
    modal->btn_dismiss();
    settle();
    EXPECT_EQ(MBProgressHUD::HUDForView(*modal->view()), nullptr);
    EXPECT_EQ(home->presentedViewController(), nullptr);
}

}  // namespace
}  // namespace ov
