#include <gtest/gtest.h>

#include "orvane/core/NSBundle+OVBundle.h"
#include "orvane/platform/files/Bundle.h"
#include "support/TestBundle.h"

namespace ov {
namespace {

namespace Info = NSBundle_OVBundle;

class OVBundleTest : public ::testing::Test {
  protected:
    void TearDown() override {
        Bundle::setMainBundlePath("");
        Bundle::setPreferredLanguages(std::nullopt);
    }
    static void useMainBundle(const test::TestBundle& bundle) {
        Bundle::setMainBundlePath(bundle.path());
    }
};

TEST_F(OVBundleTest, VersionsAreFormattedFromTheInformationDictionary) {
    test::TestBundle files(Dictionary{{"CFBundleIdentifier", "com.maker.weather"},
                                      {"CFBundleShortVersionString", "2.1"},
                                      {"CFBundleVersion", "34"}});
    useMainBundle(files);
    EXPECT_EQ(Info::formattedAppVersion(), String("2.1v"));
    EXPECT_EQ(Info::formattedCFBundleVersion(), String("(34)"));
    EXPECT_EQ(Info::formattedFullCFBundleVersion(), String("2.1v (34)"));
    EXPECT_TRUE(Info::isCFBundleIdentifierEqualTo("com.maker.weather"));
    EXPECT_FALSE(Info::isCFBundleIdentifierEqualTo("com.maker"));
    EXPECT_EQ(Info::dictionary().count(), 3u);

    test::TestBundle empty;
    useMainBundle(empty);
    EXPECT_EQ(Info::formattedFullCFBundleVersion(), String("(null)v ((null))"));
    EXPECT_TRUE(Info::CFBundleIdentifier().isAbsent());
    EXPECT_FALSE(Info::isCFBundleIdentifierEqualTo(""));
}

TEST_F(OVBundleTest, DisplayNameIsLocalisedButTheIdentifierIsNot) {
    test::TestBundle files(Dictionary{{"CFBundleIdentifier", "com.maker.weather"},
                                      {"CFBundleDisplayName", "Weather"}});
    files.write("ru.lproj/InfoPlist.strings",
                R"("CFBundleDisplayName" = "Погода"; "CFBundleIdentifier" = "ru.id";)");
    useMainBundle(files);
    Bundle::setPreferredLanguages(std::vector<String>{"ru"});
    EXPECT_EQ(Info::CFBundleDisplayName(), Value("Погода"));
    EXPECT_EQ(Info::CFBundleIdentifier(), Value("com.maker.weather"));
}

TEST_F(OVBundleTest, AppIconIsTheLastPrimaryIconFile) {
    const Dictionary icons{{"CFBundlePrimaryIcon",
                            Dictionary{{"CFBundleIconFiles", Array{"AppIcon40", "AppIcon60"}}}}};
    test::TestBundle files(Dictionary{{"CFBundleIcons", icons}});
    files.write("AppIcon40@2x.png", test::solidPng(80, 80, 0xFF0000FF))
        .write("AppIcon60@2x.png", test::solidPng(120, 120, 0x00FF00FF));
    useMainBundle(files);
    const auto icon = Info::appIcon();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->width(), 60);

    test::TestBundle noIcons(Dictionary{{"CFBundleIcons", Dictionary{}}});
    useMainBundle(noIcons);
    EXPECT_EQ(Info::appIcon(), nullptr);
}

}  // namespace
}  // namespace ov
