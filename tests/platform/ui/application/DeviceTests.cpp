#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <regex>

#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/ui/application/Device.h"
#include "support/TestBundle.h"

namespace ov::ui {
namespace {

class DeviceTest : public ::testing::Test {
  protected:
    void TearDown() override {
        Device::currentDevice().setInfo(std::nullopt);
        Bundle::setMainBundlePath("");
    }
};

TEST_F(DeviceTest, ReadsTheRunningSystem) {
    utsname system{};
    uname(&system);
    const auto& device = Device::currentDevice();
    EXPECT_EQ(device.machine(), String(system.machine));
    EXPECT_EQ(device.model(), String(system.sysname));
    EXPECT_FALSE(device.systemName().isEmpty());
    EXPECT_FALSE(device.systemVersion().isEmpty());
}

TEST_F(DeviceTest, VendorIdentifierIsSharedByOneMakersApplicationsOnOneMachine) {
    const String weather = Device::vendorIdentifier("machine-a", String("com.maker.weather"));
    EXPECT_TRUE(std::regex_match(
        weather.toUtf8(), std::regex("[0-9A-F]{8}-[0-9A-F]{4}-5[0-9A-F]{3}-[89AB][0-9A-F]{3}-"
                                     "[0-9A-F]{12}")));
    EXPECT_EQ(weather, Device::vendorIdentifier("machine-a", String("com.maker.news")));
    EXPECT_NE(weather, Device::vendorIdentifier("machine-b", String("com.maker.weather")));
    EXPECT_NE(weather, Device::vendorIdentifier("machine-a", String("com.rival.weather")));
    // The maker's part is everything before the last component, not just the first two.
    EXPECT_NE(Device::vendorIdentifier("machine-a", String("com.maker.games.chess")), weather);
    EXPECT_EQ(Device::vendorIdentifier("machine-a", String("solo")),
              Device::vendorIdentifier("machine-a", std::nullopt));
}

TEST_F(DeviceTest, IdentifierForVendorFollowsTheMainBundleAndTheMachine) {
    test::TestBundle weather(Dictionary{{"CFBundleIdentifier", "com.maker.weather"}});
    test::TestBundle news(Dictionary{{"CFBundleIdentifier", "com.maker.news"}});
    auto& device = Device::currentDevice();
    Device::Info info = Device::systemInfo();
    info.machineIdentity = String("3d1219c7c4c5404aaa1f6d2a48adfda4");
    device.setInfo(info);

    Bundle::setMainBundlePath(weather.path());
    const auto first = device.identifierForVendor();
    Bundle::setMainBundlePath(news.path());
    EXPECT_EQ(device.identifierForVendor(), first);
    EXPECT_EQ(first, Device::vendorIdentifier(*info.machineIdentity, String("com.maker.weather")));

    info.machineIdentity.reset();
    device.setInfo(info);
    EXPECT_EQ(device.identifierForVendor(), std::nullopt);
}

TEST_F(DeviceTest, HostsMayReplaceWhatTheSystemSays) {
    auto& device = Device::currentDevice();
    device.setInfo(Device::Info{"iOS", "9.3", "iPhone", "iPhone", "Ada's phone", "iPhone7,2", {}});
    EXPECT_EQ(device.systemVersion(), String("9.3"));
    EXPECT_EQ(device.name(), String("Ada's phone"));
    EXPECT_EQ(device.machine(), String("iPhone7,2"));
    device.setInfo(std::nullopt);
    EXPECT_EQ(device.systemName(), Device::systemInfo().systemName);
}

}  // namespace
}  // namespace ov::ui
