#include <gtest/gtest.h>

#include "orvane/core/UIApplication+OVApplication.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/containers/NavigationController.h"
#include "orvane/platform/ui/containers/TabBarController.h"
#include "orvane/platform/ui/views/Window.h"

namespace ov {
namespace {

namespace App = UIApplication_OVApplication;
using ui::NavigationController;
using ui::TabBarController;
using ui::ViewController;

std::shared_ptr<ViewController> plain() {
    return std::make_shared<ViewController>();
}

class TopViewControllerTest : public ::testing::Test {
  protected:
    ~TopViewControllerTest() override {
        ui::setRootViewController(*window, nullptr);
        ui::DeviceOrientation::current().setOrientation(ui::UIDeviceOrientationPortrait);
        RunLoop::main().runPending();
    }
    std::shared_ptr<ui::Window> window = std::make_shared<ui::Window>(ui::Rect{0, 0, 320, 480});
};

TEST_F(TopViewControllerTest, FollowsTabsNavigationStacksAndPresentations) {
    auto first = plain(), last = plain();
    auto navigation = std::make_shared<NavigationController>(first);
    navigation->pushViewController(last, false);
    auto tabs = std::make_shared<TabBarController>();
    tabs->setViewControllers({plain(), navigation}, false);
    tabs->setSelectedIndex(1);
    EXPECT_EQ(App::topViewController(tabs.get()), last.get());

    auto presenter = plain(), presented = plain();
    presenter->presentViewController(presented, false);
    EXPECT_EQ(App::topViewController(presenter.get()), presented.get());

    // A presented navigation controller answers the last controller on its stack, and a
    // presented tab bar controller its selected one, followed down.
    auto sheet = plain();
    presented->presentViewController(std::make_shared<NavigationController>(sheet), false);
    EXPECT_EQ(App::topViewController(presenter.get()), sheet.get());

    // A controller in a stack that presents answers what it presents.
    auto modal = plain();
    last->presentViewController(modal, false);
    EXPECT_EQ(App::topViewController(tabs.get()), modal.get());

    EXPECT_EQ(App::topViewController(nullptr), nullptr);
    EXPECT_EQ(App::topViewController(std::make_shared<NavigationController>().get()), nullptr);
    RunLoop::main().runPending();
}

TEST_F(TopViewControllerTest, StartsFromTheKeyWindowsRoot) {
    window->makeKeyAndVisible();
    EXPECT_EQ(App::topViewController(), nullptr);
    auto home = plain();
    auto navigation = std::make_shared<NavigationController>(home);
    ui::setRootViewController(*window, navigation);
    EXPECT_EQ(App::topViewController(), home.get());
    EXPECT_EQ(App::window(), window.get());

    auto later = std::make_shared<ui::Window>(ui::Rect{0, 0, 100, 100});
    ui::setRootViewController(*later, plain());
    EXPECT_EQ(App::window(), later.get());
    later.reset();
    EXPECT_EQ(App::window(), window.get());
}

TEST_F(TopViewControllerTest, ForceOrientationSetsTheDeviceOrientation) {
    App::forceOrientation(ui::UIDeviceOrientationLandscapeRight);
    EXPECT_EQ(ui::DeviceOrientation::current().orientation(),
              ui::UIDeviceOrientationLandscapeRight);
    App::forceOrientation(42);  // not an orientation
    EXPECT_EQ(ui::DeviceOrientation::current().orientation(),
              ui::UIDeviceOrientationLandscapeRight);
}

}  // namespace
}  // namespace ov
