#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "orvane/components/UIAlertView+UIAlertView.h"
#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/application/Application.h"
#include "support/TestBundle.h"

namespace ov {
namespace {

namespace Alerts = UIAlertView_UIAlertView;

struct Ignoring final : ui::AlertViewDelegate {};

class UIAlertViewTest : public ::testing::Test {
  protected:
    void SetUp() override { Bundle::setMainBundlePath(app.path()); }
    void TearDown() override {
        Bundle::setMainBundlePath("");
        Bundle::setPreferredLanguages(std::nullopt);
        ui::Application::sharedApplication().clearShownAlerts();
    }
    static std::vector<std::shared_ptr<ui::AlertView>> shownAlerts() {
        return ui::Application::sharedApplication().shownAlerts();
    }
    static std::vector<String> buttons(const ui::AlertView& alert) {
        std::vector<String> titles;
        for (long index = 0; index < alert.numberOfButtons(); ++index)
            titles.push_back(*alert.buttonTitleAtIndex(index));
        return titles;
    }

    test::TestBundle app;
};

TEST_F(UIAlertViewTest, FromABackgroundThreadReturnsOnlyOnceShown) {
    std::atomic<bool> done = false;
    bool shownOnReturn = false;
    std::thread worker([&] {
        const auto alert = Alerts::alertWithTitle("Title", "Message");
        shownOnReturn = alert->isVisible() && shownAlerts() == std::vector{alert};
        done = true;
    });
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return done.load(); }, 10.0));
    worker.join();
    EXPECT_TRUE(shownOnReturn);

    done = false;
    std::thread([&] {
        Alerts::showAlertViewWithTag(4, "T", "M", "Cancel", "Other");
        shownOnReturn = shownAlerts().size() == 2;
        done = true;
    }).detach();
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return done.load(); }, 10.0));
    EXPECT_TRUE(shownOnReturn);
}

TEST_F(UIAlertViewTest, CancelTitleIsTheCapitalisedCloseText) {
    app.write("fr.lproj/Localizable.strings", R"("close" = "fermer la fenêtre";)");
    EXPECT_EQ(buttons(*Alerts::alertWithMessage("Saved")), std::vector<String>{"Close"});
    Bundle::setPreferredLanguages(std::vector<String>{"fr"});
    const auto alert = Alerts::alertWithTitle("Titre", "Message", nullptr, 9);
    EXPECT_EQ(buttons(*alert), std::vector<String>{"Fermer La Fenêtre"});
    EXPECT_EQ(alert->tag(), 9);
    EXPECT_EQ(alert->title(), String("Titre"));
    EXPECT_EQ(Alerts::alertWithMessage("m")->title(), std::nullopt);
}

TEST_F(UIAlertViewTest, EachFormPassesOneFurtherButtonAtMost) {
    EXPECT_EQ(buttons(*Alerts::alertWithTitle("T", "M", nullptr, 0, "No")),
              std::vector<String>{"No"});
    EXPECT_EQ(buttons(*Alerts::alertWithTitle("T", "M", nullptr, 0, "No", "Yes")),
              (std::vector<String>{"No", "Yes"}));
    EXPECT_EQ(buttons(*Alerts::alertWithTitle("T", "M", nullptr, 0, std::nullopt, "Yes")),
              std::vector<String>{"Yes"});
    Alerts::showAlertViewWithTag(5, "T", "M", "No", std::nullopt);
    EXPECT_EQ(buttons(*shownAlerts().back()), std::vector<String>{"No"});
}

TEST_F(UIAlertViewTest, OnlyTheDelegateFormAppliesTheTag) {
    Alerts::showAlertViewWithTag(5, "T", "M", "No", "Yes");
    EXPECT_EQ(shownAlerts().back()->tag(), 0);
    EXPECT_EQ(shownAlerts().back()->delegate(), nullptr);

    Alerts::showAlertViewWithTag(6, nullptr, "T", "M", "No", "Yes");
    EXPECT_EQ(shownAlerts().back()->tag(), 6);
    EXPECT_EQ(shownAlerts().back()->delegate(), Alerts::typeDelegate());

    const auto delegate = std::make_shared<Ignoring>();
    Alerts::showAlertViewWithTag(7, delegate, "T", "M", "No", "Yes");
    EXPECT_EQ(shownAlerts().back()->delegate(), delegate);
    EXPECT_EQ(shownAlerts().size(), 3u);
}

TEST_F(UIAlertViewTest, UserInfoTravelsWithTheAlert) {
    const auto alert = Alerts::alertWithMessage("m");
    EXPECT_TRUE(Alerts::userInfo(*alert).isAbsent());
    Alerts::setUserInfo(*alert, Dictionary{{"row", 12}});
    EXPECT_EQ(Alerts::userInfo(*alert), Value(Dictionary{{"row", 12}}));
    EXPECT_EQ(alert->associatedObject("userInfo"), Value(Dictionary{{"row", 12}}));
    EXPECT_TRUE(Alerts::userInfo(*Alerts::alertWithMessage("other")).isAbsent());
}

}  // namespace
}  // namespace ov
