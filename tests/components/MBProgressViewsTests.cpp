#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "orvane/components/MBBackgroundView.h"
#include "orvane/components/MBBarProgressView.h"
#include "orvane/components/MBProgressHUDRoundedButton.h"
#include "orvane/components/MBRoundProgressView.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "support/ReferenceImage.h"

namespace ov {
namespace {

constexpr double kScale = 4;
constexpr int kDark = 64;  // the backdrop's grey level, so white drawing can be seen

std::shared_ptr<Image> renderOnDark(const std::shared_ptr<ui::View>& view) {
    auto backdrop = std::make_shared<ui::View>(view->frame());
    backdrop->setBackgroundColor(ui::Color::colorWithWhite(kDark / 255.0, 1));
    backdrop->addSubview(view);
    return ui::renderToImage(*backdrop, kScale);
}

// Grey level at a clock angle (0 at 12 o'clock, clockwise) and a radius, in points.
int levelAt(const Image& image, double side, double turn, double radius) {
    const double angle = -std::numbers::pi / 2 + turn * 2 * std::numbers::pi;
    const double x = side / 2 + radius * std::cos(angle);
    const double y = side / 2 + radius * std::sin(angle);
    return image.rgbaAt(static_cast<int>(x * kScale), static_cast<int>(y * kScale))[0];
}

TEST(MBRoundProgressView, PieFillsAQuarterFromTwelveToThree) {
    auto pie = std::make_shared<MBRoundProgressView>();
    EXPECT_EQ(pie->frame().size, (ui::Size{37, 37}));
    pie->setProgress(0.25f);
    const auto image = renderOnDark(pie);
    for (const double turn : {0.03, 0.125, 0.22})
        EXPECT_EQ(levelAt(*image, 37, turn, 15), 255) << turn;
    for (const double turn : {0.3, 0.5, 0.97})
        EXPECT_EQ(levelAt(*image, 37, turn, 15), kDark) << turn;
    EXPECT_EQ(levelAt(*image, 37, 0.5, 17.5), 255);  // the outline all round
    EXPECT_TRUE(test::matchesReference(*image, "hud-pie-25"));
}

TEST(MBRoundProgressView, RingDrawsTrackAndArc) {
    auto ring = std::make_shared<MBRoundProgressView>();
    ring->setAnnular(true);
    ring->setProgress(0.6f);
    const auto image = renderOnDark(ring);
    EXPECT_EQ(levelAt(*image, 37, 0.3, 17.5), 255);
    const int track = levelAt(*image, 37, 0.8, 17.5);  // white at 0.1 over the backdrop
    EXPECT_GT(track, kDark + 10);
    EXPECT_LT(track, kDark + 30);
    EXPECT_EQ(levelAt(*image, 37, 0.3, 12), kDark);  // hollow
    EXPECT_TRUE(test::matchesReference(*image, "hud-ring-60"));
}

TEST(MBBarProgressView, FillCoversTheShareOfTheWidth) {
    struct Case {
        float progress;
        double filledUpTo;  // points, at mid-height; the ends are round with radius 6
    };
    for (const Case& c :
         {Case{0, 0}, Case{0.03f, 10}, Case{0.5f, 60}, Case{0.95f, 114}, Case{0.98f, 116}}) {
        SCOPED_TRACE(c.progress);
        MBBarProgressView bar;
        bar.setProgressColor(ui::Color::redColor());
        bar.setProgress(c.progress);
        const auto image = ui::renderLayer(bar.layer(), kScale);
        const auto red = [&](double x) {
            const auto pixel = image->rgbaAt(static_cast<int>(x * kScale), 10 * kScale);
            return pixel[0] > 200 && pixel[1] < 60 && pixel[3] > 200;
        };
        if (c.filledUpTo > 0) {
            EXPECT_TRUE(red(c.filledUpTo - 1.5));
        }
        EXPECT_FALSE(red(c.filledUpTo + 1.5));
    }
    auto half = std::make_shared<MBBarProgressView>();
    half->setProgress(0.5f);
    EXPECT_TRUE(test::matchesReference(*renderOnDark(half), "hud-bar-50"));
}

TEST(MBBackgroundView, BlurStyleIsTintedWithTheColourUpToItsEdges) {
    // The same colour over the same grey, solid and blurred: the blurred grey is still grey,
    // so both must come out alike, in the middle and at the rim.
    const auto red = ui::Color::colorWithRed(1, 0, 0, 0.6);
    const auto centreAndRim = [&](MBProgressHUDBackgroundStyle style) {
        auto bezel = std::make_shared<MBBackgroundView>(ui::Rect{0, 0, 40, 40});
        bezel->setStyle(style);
        bezel->setColor(red);
        const auto image = renderOnDark(bezel);
        const int rim = static_cast<int>(kScale / 2), middle = static_cast<int>(20 * kScale);
        return std::pair(image->rgbaAt(middle, middle), image->rgbaAt(rim, middle));
    };
    const auto [solidCentre, solidRim] = centreAndRim(MBProgressHUDBackgroundStyleSolidColor);
    const auto [blurCentre, blurRim] = centreAndRim(MBProgressHUDBackgroundStyleBlur);
    for (int channel = 0; channel < 3; ++channel) {
        SCOPED_TRACE(channel);
        EXPECT_NEAR(blurCentre[channel], solidCentre[channel], 40);
        EXPECT_NEAR(blurRim[channel], blurCentre[channel], 4);
    }
    EXPECT_GT(blurCentre[0], blurCentre[1] + 80);  // clearly red
}

TEST(MBProgressHUDRoundedButton, TakesNoRoomWithoutAnAction) {
    MBProgressHUDRoundedButton button;
    button.setTitle(String("Cancel"), ui::UIControlStateNormal);
    EXPECT_EQ(button.intrinsicContentSize(), (ui::Size{0, 0}));
    button.addAction([](ui::Control&) {}, ui::UIControlEventTouchUpInside);
    const ui::Size natural = button.intrinsicContentSize();
    EXPECT_NEAR(natural.width, button.ui::Button::intrinsicContentSize().width + 20, 0.01);

    button.setFrame({0, 0, 80, 25});
    button.setTitleColor(ui::Color::redColor(), ui::UIControlStateNormal);
    button.layoutSubviews();
    EXPECT_EQ(button.layer().cornerRadius(), 13);
    EXPECT_EQ(button.layer().borderColor(), ui::Color::redColor());
}

}  // namespace
}  // namespace ov
