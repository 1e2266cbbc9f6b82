#include <gtest/gtest.h>

#include "orvane/core/UIApplication+OVApplication.h"
#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/application/Application.h"
#include "orvane/platform/ui/application/Device.h"
#include "orvane/platform/values/FoundationVersion.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/TestBundle.h"
#include "support/URLOpenerRecorder.h"

namespace ov {
namespace {

namespace App = UIApplication_OVApplication;
using Strings = std::vector<std::string>;

class OVApplicationTest : public ::testing::Test {
  protected:
    void TearDown() override {
        ui::Device::currentDevice().setInfo(std::nullopt);
        Bundle::setMainBundlePath("");
        Bundle::setPreferredLanguages(std::nullopt);
        auto& application = ui::Application::sharedApplication();
        application.setPushProvider(nullptr);
        application.registerUserNotificationSettings({});
        application.setIdleTimerDisabled(false);
        RunLoop::main().runPending();
    }

    static void useSystemVersion(const char* version) {
        auto info = ui::Device::systemInfo();
        info.systemVersion = String(version);
        ui::Device::currentDevice().setInfo(info);
    }

    test::URLOpenerRecorder m_recorder{{"fb", "waze"}};
};

class GrantingPush final : public ui::PushProvider {
  public:
    unsigned long authorizeTypes(unsigned long requested) override { return requested; }
    Result<Data> registerDevice() override { return Data::fromString("token"); }
};

TEST_F(OVApplicationTest, DialNumberPicksTheTelephoneFormBySystemVersion) {
    SystemLogCapture log;
    useSystemVersion("9.3");
    App::dialNumber("1-2-3");
    useSystemVersion("5.1");
    App::dialNumber("1-2-3");
    useSystemVersion("6.0.1");
    App::dialNumber("0-5");
    useSystemVersion("bookworm");  // no leading number reads as 0
    App::dialNumber("7-7");
    EXPECT_EQ(m_recorder.opened(), (Strings{"tel:123", "tel://1-2-3", "tel:05", "tel://7-7"}));
    EXPECT_EQ(log.entries(), (Strings{"dialNumber: 1-2-3", "dialNumber: 1-2-3", "dialNumber: 0-5",
                                      "dialNumber: 7-7"}));
}

TEST_F(OVApplicationTest, AddressesThatAreNotURLsOpenNothing) {
    useSystemVersion("9.3");
    App::dialNumber("03 555");
    App::dialFaceTime("ada example");
    EXPECT_TRUE(m_recorder.opened().empty());
}

TEST_F(OVApplicationTest, OpenSafariAddsASchemeOnlyWhereThereIsNone) {
    SystemLogCapture log;
    App::openSafari(*URL::withString("example.com/news?id=1"));
    App::openSafari(*URL::withString("https://example.com"));
    App::openSafari(*URL::withString("ftp://files.example.com"));
    App::openDeveloperWebSite();
    EXPECT_EQ(m_recorder.opened(), (Strings{"http://example.com/news?id=1", "https://example.com",
                                            "ftp://files.example.com", "http://www.orvane.dev"}));
    EXPECT_EQ(
        log.entries(),
        (Strings{"open safari http://example.com/news?id=1", "open safari https://example.com",
                 "open safari ftp://files.example.com", "open safari http://www.orvane.dev"}));
}

TEST_F(OVApplicationTest, EveryOtherAddressFormOpensAsBuilt) {
    SystemLogCapture log;
    App::dialFaceTime("ada@example.com");
    App::openURL(*URL::withString("mailto:ada@example.com"));
    App::openAppSettings();
    App::openAppSettings(0);
    App::openAppSettings(1);
    App::openAppSettings(2);
    App::openAppSettings(-1);
    EXPECT_EQ(m_recorder.opened(),
              (Strings{"facetime:ada@example.com", "mailto:ada@example.com", "app-settings:",
                       "app-settings:", "https://support.apple.com/en-il/HT202039"}));
    EXPECT_EQ(log.entries(), (Strings{"open safari https://support.apple.com/en-il/HT202039"}));
    App::setAppId("999");
    EXPECT_EQ(App::itunesAppUrl().absoluteString(),
              String("http://itunes.apple.com/lookup?id=12345"));
}

TEST_F(OVApplicationTest, ClearTokenLeavesOnlyTheDigits) {
    const uint8_t bytes[] = {0x0a, 0x1b, 0x2c, 0x3d, 0x4e, 0x5f};
    EXPECT_EQ(App::clearToken(Data(bytes, sizeof bytes)), String("0a1b2c3d4e5f"));
    EXPECT_EQ(App::clearToken("<0a1b2c3d 4e5f>"), String("0a1b2c3d4e5f"));
    EXPECT_EQ(App::clearToken("plain"), String("plain"));
    EXPECT_EQ(App::clearToken(Data()), String(""));
}

TEST_F(OVApplicationTest, SchemesAreProbedByNumberAndNothingIsAskedOutsideTheTable) {
    EXPECT_TRUE(App::schemeAvailableType(0));
    EXPECT_FALSE(App::schemeAvailableType(1));
    EXPECT_TRUE(App::schemeAvailableType(2));
    EXPECT_FALSE(App::schemeAvailableType(3));
    EXPECT_EQ(m_recorder.asked(), (Strings{"fb://", "twitter://", "waze://", "comgooglemaps:"}));
    EXPECT_FALSE(App::schemeAvailableType(4));
    EXPECT_FALSE(App::schemeAvailableType(-1));
    EXPECT_FALSE(App::schemeAvailable("not a url"));
    EXPECT_EQ(m_recorder.asked().size(), 4u);
    EXPECT_TRUE(App::schemeAvailable("waze://?ll=32.1,34.8"));
}

TEST_F(OVApplicationTest, LockingTheScreenTogglesTheIdleTimer) {
    App::dontLockThePhone();
    EXPECT_TRUE(ui::Application::sharedApplication().isIdleTimerDisabled());
    App::lockPhoneAvailable();
    EXPECT_FALSE(ui::Application::sharedApplication().isIdleTimerDisabled());
}

TEST_F(OVApplicationTest, PushPermissionIsAskedOnTheMainQueueByFoundationVersion) {
    auto& application = ui::Application::sharedApplication();
    application.setPushProvider(std::make_shared<GrantingPush>());
    EXPECT_TRUE(App::isDisabledPushNotifications());
    App::askPremmisionForPushNotifications();
    EXPECT_TRUE(App::isDisabledPushNotifications());
    RunLoop::main().runPending();
    EXPECT_EQ(application.currentUserNotificationSettings().types, 7u);
    EXPECT_EQ(application.deviceToken(), Data::fromString("token"));
    EXPECT_FALSE(App::isDisabledPushNotifications());

    const double current = NSFoundationVersionNumber.load();
    NSFoundationVersionNumber = 1047.25;
    application.registerForRemoteNotificationTypes(0);
    App::askPremmisionForPushNotifications();
    RunLoop::main().runPending();
    NSFoundationVersionNumber = current;
    EXPECT_EQ(application.enabledRemoteNotificationTypes(), 7u);
}

TEST_F(OVApplicationTest, InformationBlockHasTheExactLayout) {
    test::TestBundle files(
        Dictionary{{"CFBundleDisplayName", "Weather"}, {"CFBundleShortVersionString", "2.1"}});
    Bundle::setMainBundlePath(files.path());
    ui::Device::currentDevice().setInfo(
        ui::Device::Info{"Debian GNU/Linux", "12", "Linux", "Linux", "host", "x86_64", {}});
    EXPECT_EQ(App::appInformation(), String("------------------------------------\n"
                                            "- App Information\n"
                                            "Display Name: Weather\n"
                                            "Version: 2.1\n"
                                            "\n"
                                            "- Device Information\n"
                                            "Model: Linux\n"
                                            "SystemName: Debian GNU/Linux\n"
                                            "SystemVersion: 12\n"
                                            "------------------------------------"));
}

}  // namespace
}  // namespace ov
