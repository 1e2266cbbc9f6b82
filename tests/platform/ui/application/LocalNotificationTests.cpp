#include <gtest/gtest.h>

#include <fstream>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/application/Application.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/EnvironmentVariableScope.h"
#include "support/ManualClockScope.h"
#include "support/TemporaryDirectory.h"

namespace ov::ui {
namespace {

using Notifications = std::vector<LocalNotification>;

struct Recorder final : LocalNotificationPresenter {
    void presentLocalNotification(const LocalNotification& notification) override {
        shown.push_back(notification);
    }
    Notifications shown;
};

LocalNotification titled(const char* title, std::optional<double> fireIn = std::nullopt) {
    LocalNotification made;
    made.setAlertTitle(String(title));
    if (fireIn) made.setFireDate(Date::now().dateByAddingTimeInterval(*fireIn));
    return made;
}

class LocalNotificationTest : public ::testing::Test {
  protected:
    void TearDown() override {
        application.cancelAllLocalNotifications();
        application.setLocalNotificationPresenter(nullptr);
    }
    Application& application = Application::sharedApplication();
};

TEST_F(LocalNotificationTest, DueOnesGoOnTheNextTurnLaterOnesByTheClock) {
    test::ManualClockScope time(1000);
    auto recorder = std::make_shared<Recorder>();
    application.setLocalNotificationPresenter(recorder);
    const auto later = titled("later", 60), now = titled("now"), past = titled("past", -5);
    for (const auto& notification : {later, now, past, titled("cancelled", 90)})
        application.scheduleLocalNotification(notification);
    EXPECT_EQ(application.scheduledLocalNotifications().size(), 4u);
    EXPECT_TRUE(recorder->shown.empty());
    RunLoop::main().runPending();
    EXPECT_EQ(recorder->shown, (Notifications{now, past}));

    RunLoop::main().runFor(59);
    EXPECT_EQ(recorder->shown.size(), 2u);
    RunLoop::main().runFor(2);
    EXPECT_EQ(recorder->shown, (Notifications{now, past, later}));
    EXPECT_EQ(application.deliveredLocalNotifications(), recorder->shown);
    application.cancelAllLocalNotifications();
    RunLoop::main().runFor(60);
    EXPECT_EQ(recorder->shown.size(), 3u);
    EXPECT_TRUE(application.scheduledLocalNotifications().empty());
}

TEST_F(LocalNotificationTest, WithoutASessionBusTheyAreOnlyRecorded) {
    test::TemporaryDirectory runtime;
    std::ofstream(runtime.file("bus").toUtf8()) << "a file, not the bus socket";
    test::EnvironmentVariableScope address("DBUS_SESSION_BUS_ADDRESS", std::nullopt);
    test::EnvironmentVariableScope runtimeDir("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    SystemLogCapture log;
    application.presentLocalNotificationNow(titled("headless"));
    EXPECT_EQ(application.deliveredLocalNotifications(), Notifications{titled("headless")});
    EXPECT_TRUE(log.entries().empty());
}

TEST_F(LocalNotificationTest, ABusThatCannotBeReachedIsLoggedNotFatal) {
    test::TemporaryDirectory runtime;
    test::EnvironmentVariableScope address("DBUS_SESSION_BUS_ADDRESS",
                                           "unix:path=" + runtime.file("gone").toUtf8());
    SystemLogCapture log;
    application.presentLocalNotificationNow(titled("nobody listens"));
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !log.entries().empty(); }, 10.0));
    EXPECT_TRUE(log.entries()[0].starts_with("desktop notification not shown: "));
    EXPECT_EQ(application.deliveredLocalNotifications().size(), 1u);
}

}  // namespace
}  // namespace ov::ui
