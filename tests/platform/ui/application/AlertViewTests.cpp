#include <gtest/gtest.h>

#include <thread>

#include "orvane/platform/ui/application/AlertView.h"
#include "orvane/platform/ui/application/Application.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::ui {
namespace {

struct ClickRecorder final : AlertViewDelegate {
    bool alertView(AlertView& alert, long index) override {
        clicks.push_back(index);
        visibleWhenTold = alert.isVisible();
        return true;
    }
    std::vector<long> clicks;
    bool visibleWhenTold = false;
};

class AlertViewTest : public ::testing::Test {
  protected:
    void TearDown() override { application.clearShownAlerts(); }
    Application& application = Application::sharedApplication();
};

TEST_F(AlertViewTest, CancelButtonComesFirst) {
    const auto alert = AlertView::create("Title", "Message", nullptr, "Cancel", {"One", "Two"});
    EXPECT_EQ(alert->numberOfButtons(), 3);
    EXPECT_EQ(alert->cancelButtonIndex(), 0);
    EXPECT_EQ(alert->buttonTitleAtIndex(0), String("Cancel"));
    EXPECT_EQ(alert->buttonTitleAtIndex(2), String("Two"));
    EXPECT_EQ(alert->buttonTitleAtIndex(3), std::nullopt);
    EXPECT_EQ(alert->buttonTitleAtIndex(-1), std::nullopt);

    const auto plain = AlertView::create(std::nullopt, std::nullopt, nullptr, std::nullopt, {"A"});
    EXPECT_EQ(plain->cancelButtonIndex(), -1);
    EXPECT_EQ(plain->buttonTitleAtIndex(0), String("A"));
    EXPECT_EQ(plain->addButtonWithTitle("B"), 1);
}

TEST_F(AlertViewTest, ShowingPutsTheAlertOnScreenUntilAButtonIsTapped) {
    const auto delegate = std::make_shared<ClickRecorder>();
    const auto alert = AlertView::create("T", "M", delegate, "Cancel", {"OK"});
    alert->clickButtonAtIndex(1);
    EXPECT_TRUE(delegate->clicks.empty()) << "a hidden alert cannot be tapped";

    EXPECT_TRUE(alert->show());
    EXPECT_TRUE(alert->show());
    EXPECT_EQ(application.shownAlerts(), std::vector{alert});
    alert->clickButtonAtIndex(5);
    EXPECT_TRUE(alert->isVisible());
    alert->clickButtonAtIndex(1);
    EXPECT_EQ(delegate->clicks, std::vector{1L});
    EXPECT_TRUE(delegate->visibleWhenTold);
    EXPECT_FALSE(alert->isVisible());
    EXPECT_TRUE(application.shownAlerts().empty());
}

TEST_F(AlertViewTest, ShowingOffTheMainThreadIsRefused) {
    const auto alert = AlertView::create("T", "M", nullptr, "x", {});
    SystemLogCapture log;
    bool shown = true;
    std::thread([&] { shown = alert->show(); }).join();
    EXPECT_FALSE(shown);
    EXPECT_FALSE(alert->isVisible());
    EXPECT_TRUE(application.shownAlerts().empty());
    EXPECT_EQ(log.entries(), std::vector<std::string>{
                                 "AlertView: show called off the main thread; the alert is not "
                                 "shown"});
}

TEST_F(AlertViewTest, DelegateIsHeldWeaklyAndClearingHidesAlerts) {
    auto delegate = std::make_shared<ClickRecorder>();
    const auto alert = AlertView::create("T", "M", delegate, "x", {});
    delegate.reset();
    EXPECT_EQ(alert->delegate(), nullptr);
    alert->show();
    application.clearShownAlerts();
    EXPECT_FALSE(alert->isVisible());
    alert->clickButtonAtIndex(0);
}

TEST_F(AlertViewTest, AssociatedObjectsAreKeptByKey) {
    const auto alert = AlertView::create("T", "M", nullptr, "x", {});
    EXPECT_TRUE(alert->associatedObject("userInfo").isAbsent());
    alert->setAssociatedObject("userInfo", Dictionary{{"row", 3}});
    alert->setAssociatedObject("other", 1);
    alert->setAssociatedObject("userInfo", "replaced");
    EXPECT_EQ(alert->associatedObject("userInfo"), Value("replaced"));
    alert->setAssociatedObject("userInfo", Value());
    EXPECT_TRUE(alert->associatedObject("userInfo").isAbsent());
    EXPECT_EQ(alert->associatedObject("other"), Value(1));
}

}  // namespace
}  // namespace ov::ui
