#include <gtest/gtest.h>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/containers/NavigationController.h"
#include "orvane/platform/ui/containers/TabBarController.h"
#include "orvane/platform/ui/input/EventInjector.h"
#include "orvane/platform/ui/views/Window.h"
#include "support/ManualClockScope.h"

namespace ov::ui {
namespace {

using Log = std::vector<std::string>;

// Writes its callbacks, named, into a shared log.
class Screen : public ViewController {
  public:
    Screen(std::string name, Log& log) : m_name(std::move(name)), m_log(log) { setTitle(m_name); }
    void viewDidLoad() override { m_log.push_back(m_name + " load"); }
    void viewWillAppear(bool) override { m_log.push_back(m_name + " willAppear"); }
    void viewDidAppear(bool) override { m_log.push_back(m_name + " didAppear"); }
    void viewWillDisappear(bool) override { m_log.push_back(m_name + " willDisappear"); }
    void viewDidDisappear(bool) override { m_log.push_back(m_name + " didDisappear"); }
    UIInterfaceOrientationMask supportedInterfaceOrientations() const override { return mask; }

    UIInterfaceOrientationMask mask = UIInterfaceOrientationMaskAllButUpsideDown;

  private:
    std::string m_name;
    Log& m_log;
};

class ViewControllerTest : public ::testing::Test {
  protected:
    ViewControllerTest() { window->makeKeyAndVisible(); }
    ~ViewControllerTest() override {
        setRootViewController(*window, nullptr);
        DeviceOrientation::current().setOrientation(UIDeviceOrientationPortrait);
        RunLoop::main().runPending();
    }

    std::shared_ptr<Screen> screen(const std::string& name) {
        return std::make_shared<Screen>(name, log);
    }
    Log take() { return std::exchange(log, {}); }
    static void turn() { RunLoop::main().runPending(); }

    test::ManualClockScope time{10};
    std::shared_ptr<Window> window = std::make_shared<Window>(Rect{0, 0, 320, 480});
    Log log;
};

TEST_F(ViewControllerTest, LoadsItsViewOnFirstUseAndAppearsAsRoot) {
    auto home = screen("home");
    EXPECT_FALSE(home->isViewLoaded());
    EXPECT_EQ(home->viewIfLoaded(), nullptr);
    EXPECT_TRUE(log.empty());
    setRootViewController(*window, home);
    EXPECT_EQ(take(), (Log{"home load", "home willAppear", "home didAppear"}));
    EXPECT_EQ(home->view()->frame(), window->bounds());
    EXPECT_EQ(home->view()->window(), window.get());
    EXPECT_EQ(rootViewController(*window), home);

    setRootViewController(*window, screen("other"));
    EXPECT_EQ(take(), (Log{"home willDisappear", "home didDisappear", "other load",
                           "other willAppear", "other didAppear"}));
    EXPECT_EQ(home->view()->window(), nullptr);
}

TEST_F(ViewControllerTest, PushAndPopSwapTheTopWithAppearanceOnTheRunLoop) {
    auto inbox = screen("inbox");
    auto message = screen("message");
    auto navigation = std::make_shared<NavigationController>(inbox);
    setRootViewController(*window, navigation);
    take();

    navigation->pushViewController(message, true);
    EXPECT_EQ(navigation->topViewController(), message.get());
    EXPECT_EQ(message->navigationController(), navigation.get());
    EXPECT_EQ(take(), (Log{"inbox willDisappear", "message load", "message willAppear"}));
    turn();
    EXPECT_EQ(take(), (Log{"inbox didDisappear", "message didAppear"}));
    EXPECT_EQ(inbox->view()->window(), nullptr);
    EXPECT_EQ(message->view()->frame().minY(), NavigationBar::kHeight);
    EXPECT_EQ(navigation->navigationBar().backTitle(), String("inbox"));

    EXPECT_EQ(navigation->popViewControllerAnimated(true), message);
    EXPECT_EQ(navigation->popViewControllerAnimated(true), nullptr);  // the root stays
    turn();
    EXPECT_EQ(take(), (Log{"message willDisappear", "inbox willAppear", "message didDisappear",
                           "inbox didAppear"}));
    EXPECT_EQ(message->parentViewController(), nullptr);
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
}

TEST_F(ViewControllerTest, PopToAControllerAndTheBackItem) {
    auto a = screen("a"), b = screen("b"), c = screen("c");
    auto navigation = std::make_shared<NavigationController>(a);
    setRootViewController(*window, navigation);
    navigation->pushViewController(b, false);
    navigation->pushViewController(c, false);
    turn();
    EXPECT_EQ(navigation->popToViewController(*screen("stranger"), false).size(), 0u);
    const auto popped = navigation->popToRootViewControllerAnimated(false);
    EXPECT_EQ(popped, (std::vector<std::shared_ptr<ViewController>>{b, c}));
    turn();
    EXPECT_EQ(navigation->topViewController(), a.get());

    // A tap on the back item pops.
    navigation->pushViewController(b, false);
    turn();
    EventInjector fingers(window);
    fingers.tap({20, 20});
    turn();
    EXPECT_EQ(navigation->topViewController(), a.get());
}

TEST_F(ViewControllerTest, PresentAndDismissCoverTheScreenAndCompleteOnTheRunLoop) {
    auto home = screen("home");
    auto login = screen("login");
    setRootViewController(*window, home);
    take();
    bool presented = false;
    home->presentViewController(login, true, [&] { presented = true; });
    EXPECT_EQ(home->presentedViewController(), login.get());
    EXPECT_EQ(login->presentingViewController(), home.get());
    EXPECT_FALSE(presented);
    EXPECT_EQ(take(), (Log{"login load", "login willAppear", "home willDisappear"}));
    turn();
    EXPECT_TRUE(presented);
    EXPECT_EQ(take(), (Log{"login didAppear", "home didDisappear"}));
    EXPECT_EQ(home->view()->window(), nullptr);
    EXPECT_EQ(login->view()->frame(), window->bounds());

    // One at a time.
    home->presentViewController(screen("second"), false);
    EXPECT_EQ(home->presentedViewController(), login.get());

    bool dismissed = false;
    login->dismissViewControllerAnimated(true, [&] { dismissed = true; });
    EXPECT_EQ(home->presentedViewController(), nullptr);
    turn();
    EXPECT_TRUE(dismissed);
    EXPECT_EQ(take(), (Log{"login willDisappear", "home willAppear", "login didDisappear",
                           "home didAppear"}));
    EXPECT_EQ(home->view()->window(), window.get());
    EXPECT_EQ(login->view()->window(), nullptr);
}

TEST_F(ViewControllerTest, AChildPresentsFromItsContainer) {
    auto inbox = screen("inbox");
    auto navigation = std::make_shared<NavigationController>(inbox);
    setRootViewController(*window, navigation);
    auto sheet = screen("sheet");
    inbox->presentViewController(sheet, false);
    EXPECT_EQ(navigation->presentedViewController(), sheet.get());
    EXPECT_EQ(inbox->presentedViewController(), sheet.get());
    EXPECT_EQ(navigation->visibleViewController(), sheet.get());
    turn();
    take();
    navigation->dismissViewControllerAnimated(false);
    turn();
    EXPECT_EQ(take(), (Log{"sheet willDisappear", "inbox willAppear", "sheet didDisappear",
                           "inbox didAppear"}));
}

TEST_F(ViewControllerTest, TabsShowTheSelectedController) {
    auto feed = screen("feed"), profile = screen("profile");
    auto tabs = std::make_shared<TabBarController>();
    tabs->setViewControllers({feed, profile}, false);
    EXPECT_EQ(tabs->selectedIndex(), 0);
    setRootViewController(*window, tabs);
    EXPECT_EQ(take(), (Log{"feed load", "feed willAppear", "feed didAppear"}));

    tabs->setSelectedIndex(1);
    EXPECT_EQ(tabs->selectedViewController(), profile.get());
    EXPECT_EQ(take(), (Log{"feed willDisappear", "profile load", "profile willAppear",
                           "feed didDisappear", "profile didAppear"}));
    tabs->setSelectedIndex(5);
    EXPECT_EQ(tabs->selectedIndex(), 1);

    EventInjector fingers(window);
    fingers.tap({40, 480 - 20});
    EXPECT_EQ(tabs->selectedViewController(), feed.get());
    EXPECT_EQ(profile->tabBarController(), tabs.get());
}

TEST_F(ViewControllerTest, TheInterfaceTurnsOnlyWhereTheScreenAllows) {
    auto home = screen("home");
    setRootViewController(*window, home);
    DeviceOrientation::current().setValueForKey(Value(long{UIDeviceOrientationLandscapeLeft}),
                                                "orientation");
    EXPECT_EQ(ViewController::interfaceOrientation(), UIInterfaceOrientationLandscapeRight);
    EXPECT_EQ(window->bounds().size, (Size{480, 320}));
    EXPECT_EQ(home->view()->frame().size, (Size{480, 320}));

    DeviceOrientation::current().setOrientation(UIDeviceOrientationPortrait);
    home->mask = UIInterfaceOrientationMaskPortrait;
    DeviceOrientation::current().setOrientation(UIDeviceOrientationLandscapeRight);
    EXPECT_EQ(DeviceOrientation::current().orientation(), UIDeviceOrientationLandscapeRight);
    EXPECT_EQ(ViewController::interfaceOrientation(), UIInterfaceOrientationPortrait);
    EXPECT_EQ(window->bounds().size, (Size{320, 480}));
}

TEST_F(ViewControllerTest, ChildrenInTheViewFollowTheirParent) {
    auto parent = screen("parent"), child = screen("child");
    parent->addChildViewController(child);
    parent->view()->addSubview(child->view());
    child->didMoveToParentViewController(parent.get());
    take();
    setRootViewController(*window, parent);
    EXPECT_EQ(take(), (Log{"parent willAppear", "child willAppear", "parent didAppear",
                           "child didAppear"}));
    child->willMoveToParentViewController(nullptr);
    child->view()->removeFromSuperview();
    child->removeFromParentViewController();
    EXPECT_TRUE(parent->childViewControllers().empty());
    setRootViewController(*window, nullptr);
    EXPECT_EQ(take(), (Log{"parent willDisappear", "parent didDisappear"}));
}

TEST_F(ViewControllerTest, BarItemsRunTheirActionsAndTheBarCanHide) {
    auto home = screen("home");
    int saved = 0;
    home->navigationItem().rightBarButtonItem =
        std::make_shared<BarButtonItem>(BarButtonItem{"Save", [&] { ++saved; }});
    auto navigation = std::make_shared<NavigationController>(home);
    setRootViewController(*window, navigation);
    EventInjector fingers(window);
    fingers.tap({300, 20});
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(navigation->navigationBar().titleText(), String("home"));
    EXPECT_EQ(navigation->navigationBar().backTitle(), std::nullopt);
    navigation->setNavigationBarHidden(true);
    EXPECT_EQ(home->view()->frame(), window->bounds());
}

}  // namespace
}  // namespace ov::ui
