#include <gtest/gtest.h>

#include "orvane/platform/ui/views/ActivityIndicatorView.h"
#include "orvane/platform/ui/views/Appearance.h"
#include "orvane/platform/ui/views/Label.h"
#include "orvane/platform/ui/views/ProgressView.h"

namespace ov::ui {
namespace {

class Hud : public View {};
class BigSpinner : public ActivityIndicatorView {};

class AppearanceTest : public ::testing::Test {
  protected:
    void TearDown() override { Appearance::resetAll(); }
};

TEST_F(AppearanceTest, NewInstancesUseTheClassDefaultUntilGivenTheirOwn) {
    auto before = std::make_shared<ActivityIndicatorView>();
    Appearance::appearance<ActivityIndicatorView>().setColor(kAppearanceColor, Color::redColor());
    auto after = std::make_shared<ActivityIndicatorView>();
    EXPECT_EQ(after->color(), Color::redColor());
    EXPECT_EQ(before->color(), Color::redColor());  // read when asked, not when made
    after->setColor(Color::blueColor());
    EXPECT_EQ(after->color(), Color::blueColor());
    after->setColor(std::nullopt);
    EXPECT_EQ(after->color(), Color::redColor());

    Appearance::appearance<Label>().setFont(kAppearanceFont, Font::systemFontOfSize(30));
    EXPECT_EQ(std::make_shared<Label>()->font(), Font::systemFontOfSize(30));
}

TEST_F(AppearanceTest, ContainmentAndSubclassesPickTheMostFittingDefault) {
    Appearance::appearance<ActivityIndicatorView>().setColor(kAppearanceColor, Color::redColor());
    Appearance::appearanceWhenContainedInInstancesOfClasses<ActivityIndicatorView, Hud>().setColor(
        kAppearanceColor, Color::greenColor());
    auto hud = std::make_shared<Hud>();
    auto bezel = std::make_shared<View>();
    auto spinner = std::make_shared<BigSpinner>();
    EXPECT_EQ(spinner->color(), Color::redColor());  // a subclass takes its base's default
    hud->addSubview(bezel);
    bezel->addSubview(spinner);
    EXPECT_EQ(spinner->color(), Color::greenColor());  // any ancestor counts as the container
    Appearance::appearance<BigSpinner>().setColor(kAppearanceColor, Color::blueColor());
    EXPECT_EQ(spinner->color(), Color::blueColor());  // its own class wins

    // The HUD asks whether a default exists before applying its colour.
    EXPECT_TRUE(Appearance::colorForView(*spinner, kAppearanceColor).has_value());
    EXPECT_FALSE(Appearance::colorForView(*hud, kAppearanceColor).has_value());
}

TEST_F(AppearanceTest, ResetKeepsProxiesUsable) {
    auto& proxy = Appearance::appearance<ProgressView>();
    proxy.setColor(kAppearanceProgressTintColor, Color::redColor());
    Appearance::resetAll();
    EXPECT_TRUE(proxy.value(kAppearanceProgressTintColor).isAbsent());
    proxy.setColor(kAppearanceTrackTintColor, Color::blackColor());
    EXPECT_EQ(std::make_shared<ProgressView>()->trackTintColor(), Color::blackColor());
}

}  // namespace
}  // namespace ov::ui
