#include <gtest/gtest.h>

#include <cstring>

#include "orvane/core/OVClient.h"
#include "orvane/core/Orvane.h"
#include "orvane/core/UIKeyboardListener.h"
#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/ui/application/KeyboardNotifications.h"
#include "support/TestBundle.h"

namespace ov {
namespace {

TEST(Orvane, SharedStartsTheKeyboardListener) {
    Orvane::shared();
    auto& listener = UIKeyboardListener::shared();
    auto& center = NotificationCenter::defaultCenter();
    EXPECT_FALSE(listener.isVisible());
    center.postNotification(ui::UIKeyboardWillShowNotification);
    EXPECT_FALSE(listener.isVisible());
    center.postNotification(ui::UIKeyboardDidShowNotification);
    EXPECT_TRUE(listener.isVisible());
    center.postNotification(ui::UIKeyboardWillHideNotification);
    EXPECT_FALSE(listener.isVisible());
    listener.setVisible(true);
    EXPECT_TRUE(listener.isVisible());
    listener.setVisible(false);
}

TEST(Orvane, VersionConstantsAgree) {
    EXPECT_GT(OrvaneVersionNumber, 0);
    EXPECT_EQ(std::strncmp(OrvaneVersionString, "0.1", 3), 0);
}

TEST(OVClient, FrameworkBundleIsKeptWhileTheLookupFollowsTheFolder) {
    const auto kept = OVClient::frameworkBundle();
    test::TestBundle moved;
    moved.write("Resources.bundle/en.lproj/Localizable.strings", R"("k" = "v";)");
    Bundle::setFrameworkBundlePath(moved.path());
    EXPECT_EQ(OVClient::frameworkBundle(), kept);
    EXPECT_EQ(OVClient::OVCLientBundle()->bundlePath(), moved.path());
    EXPECT_EQ(OVClient().localBundle()->bundlePath(), moved.path());
    const auto resources = OVClient().resourcesBundle();
    ASSERT_NE(resources, nullptr);
    EXPECT_EQ(resources->bundlePath(), moved.path() + "/Resources.bundle");
    EXPECT_EQ(resources->localizedStringForKey(String("k"), std::nullopt, std::nullopt),
              String("v"));

    test::TestBundle bare;
    Bundle::setFrameworkBundlePath(bare.path());
    EXPECT_EQ(OVClient().resourcesBundle(), nullptr);
    Bundle::setFrameworkBundlePath(std::nullopt);
}

}  // namespace
}  // namespace ov
