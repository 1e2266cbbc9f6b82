#include <gtest/gtest.h>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/application/Application.h"
#include "support/URLOpenerRecorder.h"

namespace ov::ui {
namespace {

class FakePush final : public PushProvider {
  public:
    explicit FakePush(unsigned long allowed, Result<Data> token)
        : m_allowed(allowed), m_token(std::move(token)) {}
    unsigned long authorizeTypes(unsigned long requested) override {
        ++asked;
        return requested & m_allowed;
    }
    Result<Data> registerDevice() override { return m_token; }
    int asked = 0;

  private:
    unsigned long m_allowed;
    Result<Data> m_token;
};

class ApplicationTest : public ::testing::Test {
  protected:
    void TearDown() override {
        application.setPushProvider(nullptr);
        application.setRemoteNotificationRegistrationHandler(nullptr);
        application.registerUserNotificationSettings({});
        application.registerForRemoteNotificationTypes(0);
        application.setIdleTimerDisabled(false);
        RunLoop::main().runPending();
    }
    Application& application = Application::sharedApplication();
};

TEST_F(ApplicationTest, OpensThroughTheOpenerAndCompletesOnTheMainQueue) {
    test::URLOpenerRecorder recorder({"https"});
    std::optional<bool> completed;
    application.openURL(*URL::withString("https://example.com/a?b=1"), {},
                        [&](bool opened) { completed = opened; });
    EXPECT_EQ(recorder.opened(), (std::vector<std::string>{"https://example.com/a?b=1"}));
    EXPECT_FALSE(completed.has_value());
    RunLoop::main().runPending();
    EXPECT_EQ(completed, true);
    EXPECT_TRUE(application.canOpenURL(*URL::withString("https://example.com")));
    EXPECT_FALSE(application.canOpenURL(*URL::withString("waze://")));
}

TEST_F(ApplicationTest, DefaultOpenerAsksTheDesktop) {
    // Without xdg-utils (as on a bare build machine) nothing can be opened; with them, an
    // unknown scheme still has no handler.
    EXPECT_FALSE(application.canOpenURL(*URL::withString("orvane-no-such-scheme://x")));
    EXPECT_FALSE(application.canOpenURL(*URL::withString("relative/path")));
}

TEST_F(ApplicationTest, IdleTimerAndNetworkIndicatorAreFlags) {
    application.setIdleTimerDisabled(true);
    EXPECT_TRUE(application.isIdleTimerDisabled());
    application.setIdleTimerDisabled(false);
    EXPECT_FALSE(application.isIdleTimerDisabled());
    application.setNetworkActivityIndicatorVisible(true);
    EXPECT_TRUE(application.isNetworkActivityIndicatorVisible());
    application.setNetworkActivityIndicatorVisible(false);
}

TEST_F(ApplicationTest, RegistrationRecordsWhatTheProviderGrantsAndTheToken) {
    auto provider = std::make_shared<FakePush>(
        UIUserNotificationTypeAlert | UIUserNotificationTypeSound, Data::fromString("\x01\xAB"));
    application.setPushProvider(provider);
    std::vector<std::string> outcomes;
    application.setRemoteNotificationRegistrationHandler([&](const Result<Data>& token) {
        outcomes.push_back(token ? token.value().description().toUtf8() : "error");
    });
    application.registerUserNotificationSettings({7});
    EXPECT_EQ(application.currentUserNotificationSettings().types,
              UIUserNotificationTypeAlert | UIUserNotificationTypeSound);
    application.registerForRemoteNotifications();
    EXPECT_TRUE(application.isRegisteredForRemoteNotifications());
    EXPECT_EQ(application.deviceToken(), Data::fromString("\x01\xAB"));
    EXPECT_TRUE(outcomes.empty());
    RunLoop::main().runPending();
    EXPECT_EQ(outcomes, (std::vector<std::string>{"{length = 2, bytes = 0x01ab}"}));

    application.registerForRemoteNotificationTypes(UIUserNotificationTypeBadge |
                                                   UIUserNotificationTypeAlert);
    EXPECT_EQ(application.enabledRemoteNotificationTypes(), UIUserNotificationTypeAlert);
    EXPECT_EQ(provider->asked, 2);
    RunLoop::main().runPending();  // the handler still refers to `outcomes`
    EXPECT_EQ(outcomes.size(), 2u);
}

TEST_F(ApplicationTest, RegistrationWithoutAProviderFailsAndGrantsNothing) {
    std::optional<long long> errorCode;
    application.setRemoteNotificationRegistrationHandler([&](const Result<Data>& token) {
        if (!token) errorCode = token.error().code();
    });
    application.registerUserNotificationSettings({7});
    EXPECT_EQ(application.currentUserNotificationSettings().types, UIUserNotificationTypeNone);
    application.registerForRemoteNotifications();
    RunLoop::main().runPending();
    EXPECT_EQ(errorCode, 3010);
    ASSERT_TRUE(application.remoteNotificationRegistrationError().has_value());
    EXPECT_EQ(application.remoteNotificationRegistrationError()->domain(),
              String(NSCocoaErrorDomain));
}

TEST_F(ApplicationTest, AFailedRenewalKeepsTheLastToken) {
    application.setPushProvider(std::make_shared<FakePush>(7, Data::fromString("tok")));
    application.registerForRemoteNotifications();
    application.setPushProvider(std::make_shared<FakePush>(7, Error(NSCocoaErrorDomain, 3000, {})));
    application.registerForRemoteNotifications();
    EXPECT_EQ(application.deviceToken(), Data::fromString("tok"));
    EXPECT_EQ(application.remoteNotificationRegistrationError()->code(), 3000);
}

}  // namespace
}  // namespace ov::ui
