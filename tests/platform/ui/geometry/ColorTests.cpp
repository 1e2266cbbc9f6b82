#include <gtest/gtest.h>

#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/values/Value.h"

namespace ov::ui {
namespace {

struct Hsb {
    double hue, saturation, brightness;
};

Hsb hsbOf(const Color& color) {
    Hsb hsb{};
    double alpha;
    EXPECT_TRUE(color.getHue(hsb.hue, hsb.saturation, hsb.brightness, alpha));
    return hsb;
}

TEST(ColorTest, HueSaturationBrightnessConvertBothWays) {
    const struct {
        double hue, red, green, blue;
    } cases[] = {{0, 1, 0, 0},       {1.0 / 6, 1, 1, 0}, {1.0 / 3, 0, 1, 0}, {0.5, 0, 1, 1},
                 {2.0 / 3, 0, 0, 1}, {5.0 / 6, 1, 0, 1}, {1, 1, 0, 0}};  // a hue of 1 is red again
    for (const auto& c : cases) {
        double red, green, blue, alpha;
        Color::colorWithHue(c.hue, 1, 1, 0.5).getRed(red, green, blue, alpha);
        EXPECT_NEAR(red, c.red, 1e-9) << c.hue;
        EXPECT_NEAR(green, c.green, 1e-9) << c.hue;
        EXPECT_NEAR(blue, c.blue, 1e-9) << c.hue;
        EXPECT_EQ(alpha, 0.5);
    }
    const Hsb back = hsbOf(Color::colorWithHue(0.6, 0.4, 0.7, 1));
    EXPECT_NEAR(back.hue, 0.6, 1e-9);
    EXPECT_NEAR(back.saturation, 0.4, 1e-9);
    EXPECT_NEAR(back.brightness, 0.7, 1e-9);
    const Hsb grey = hsbOf(Color::grayColor());
    EXPECT_EQ(grey.hue, 0);
    EXPECT_EQ(grey.saturation, 0);
    EXPECT_EQ(grey.brightness, 0.5);
}

TEST(ColorTest, GreyColoursAnswerRedGreenBlueButNotTheReverse) {
    double red, green, blue, alpha;
    EXPECT_TRUE(Color::colorWithWhite(0.25, 0.5).getRed(red, green, blue, alpha));
    EXPECT_EQ(red, 0.25);
    EXPECT_EQ(green, 0.25);
    EXPECT_EQ(blue, 0.25);
    EXPECT_EQ(alpha, 0.5);

    double white = -1;
    EXPECT_FALSE(Color::redColor().getWhite(white, alpha));
    EXPECT_EQ(white, -1);  // untouched
    EXPECT_TRUE(Color::lightGrayColor().getWhite(white, alpha));
    EXPECT_NEAR(white, 2.0 / 3, 1e-12);
}

TEST(ColorTest, EqualityComparesTheStoredSpace) {
    EXPECT_NE(Color::whiteColor(), Color::colorWithRed(1, 1, 1, 1));
    EXPECT_EQ(Color::whiteColor(), Color::colorWithWhite(1, 1));
    EXPECT_EQ(Color::clearColor(), Color());
    const Color faded = Color::redColor().colorWithAlphaComponent(0.3);
    EXPECT_EQ(faded.space(), Color::Space::RGB);
    EXPECT_EQ(faded.alpha(), 0.3);
    EXPECT_NE(faded, Color::redColor());
    EXPECT_EQ(Color::grayColor().colorWithAlphaComponent(0).space(), Color::Space::Gray);
}

TEST(ColorTest, DrawingComponentsAreClamped) {
    EXPECT_EQ(Color::colorWithRed(1.5, -0.2, 0.5, 2).rgba(), (Color::RGBA{1, 0, 0.5, 1}));
    EXPECT_EQ(Color::colorWithWhite(0.5, 1).rgba(), (Color::RGBA{0.5, 0.5, 0.5, 1}));
}

TEST(ColorTest, ColoursTravelInValuesAndCompareThere) {
    Dictionary attributes;
    attributes.setObject(Color::blueColor().toValue(), "colour");
    EXPECT_EQ(Color::fromValue(attributes.objectForKey("colour")), Color::blueColor());
    EXPECT_EQ(Color::blueColor().toValue(), Color::blueColor().toValue());
    EXPECT_FALSE(Color::blueColor().toValue() == Color::redColor().toValue());
    EXPECT_EQ(Color::fromValue(Value("blue")), std::nullopt);
    EXPECT_EQ(Color::redColor().toValue().description(), "UIExtendedSRGBColorSpace 1 0 0 1");
    EXPECT_EQ(Color::grayColor().description(), "UIExtendedGrayColorSpace 0.5 1");
}

}  // namespace
}  // namespace ov::ui
