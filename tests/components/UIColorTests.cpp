#include <gtest/gtest.h>

#include "orvane/components/UIColor+MKDropdownMenu.h"
#include "orvane/components/UIColor+UIColor.h"
#include "orvane/components/UIColor+i7HexColor.h"

namespace ov {
namespace {

using namespace UIColor_UIColor_UIColor;

struct Components {
    double red, green, blue, alpha;
};

Components componentsOf(const ui::Color& color) {
    Components c{};
    color.getRed(c.red, c.green, c.blue, c.alpha);
    return c;
}

TEST(UIColorTest, PaletteIsSinglePrecisionFractionsOf255) {
    const Components blue = componentsOf(softBlue());
    EXPECT_EQ(blue.red, static_cast<double>(37 / 255.0f));
    EXPECT_EQ(blue.green, static_cast<double>(175 / 255.0f));
    EXPECT_EQ(blue.alpha, 1);
    EXPECT_EQ(hexStringFromColor(softBlue()), "#25AFF7");
    EXPECT_EQ(hexStringFromColor(loveColor()), "#FF225D");
    EXPECT_EQ(hexStringFromColor(subsCamColor()), "#4F5D73");
    const auto rainbow = rainbowColors();
    ASSERT_EQ(rainbow.size(), 11u);
    EXPECT_EQ(hexStringFromColor(rainbow.front()), "#21B4A2");
    EXPECT_EQ(hexStringFromColor(rainbow.back()), "#6FBC54");
    EXPECT_EQ(componentsOf(UIColor_MKDropdownMenu::mk_defaultSeparatorColor()).blue, 0.8);
}

TEST(UIColorTest, HexStringsRoundHalvesUpAndClampOddColours) {
    EXPECT_EQ(hexStringFromColor(ui::Color::colorWithRed(1, 1, 1, 1)), "#FFFFFF");
    EXPECT_EQ(hexStringFromColor(ui::Color::colorWithRed(0.5, 0, 1, 0.2)), "#8000FF");
    // A grey is written as its red, green and blue.
    EXPECT_EQ(hexStringFromColor(ui::Color::grayColor()), "#808080");
    EXPECT_EQ(hexStringFromColor(ui::Color::colorWithRed(-1, 2, 0, 1)), "#00FF00");
}

TEST(UIColorTest, OneReaderForSixDigitsWithOrWithoutHash) {
    EXPECT_EQ(colorWithHexString("#25aff7"), colorWithHexString("25AFF7"));
    EXPECT_EQ(hexStringFromColor(*colorWithHexString("##25A#FF7")), "#25AFF7");
    EXPECT_EQ(componentsOf(*colorWithHexString("25AFF7")).alpha, 1);
    EXPECT_EQ(&UIColor_UIColor_UIColor::colorWithHexString,
              &UIColor_i7HexColor::colorWithHexString);
}

TEST(UIColorTest, ThreeAndEightDigitTexts) {
    const Components shortForm = componentsOf(*UIColor_i7HexColor::colorWithHexString("0AF"));
    EXPECT_EQ(shortForm.red, 0);
    EXPECT_EQ(shortForm.green, 170 / 255.0);
    EXPECT_EQ(shortForm.blue, 1);
    EXPECT_EQ(componentsOf(*UIColor_i7HexColor::colorWithHexString("25AFF780")).alpha, 128 / 255.0);
    // A piece reads as far as its digits go.
    EXPECT_EQ(componentsOf(*UIColor_i7HexColor::colorWithHexString("G0zz1x")).green, 0);
    EXPECT_EQ(componentsOf(*UIColor_i7HexColor::colorWithHexString("G0zz1x")).blue, 1 / 255.0);
}

TEST(UIColorTest, TextsOfOtherLengthsGiveNoColour) {
    for (const char* text :
         {"", "#", "F", "FF", "FFFF", "12345", "1234567", "123456789", "#ABCD"}) {
        EXPECT_EQ(UIColor_i7HexColor::colorWithHexString(text), std::nullopt) << text;
    }
}

TEST(UIColorTest, ComponentPiecesAreDoubledUnlessTwoLong) {
    EXPECT_EQ(colorComponentFrom("F", 0, 1), 1.0);
    EXPECT_EQ(colorComponentFrom("A8", 0, 2), 168 / 255.0);
    EXPECT_EQ(colorComponentFrom("0A", 1, 1), 170 / 255.0);
    EXPECT_EQ(colorComponentFrom("ABC", 2, 2), std::nullopt);
    EXPECT_EQ(colorComponentFrom("ABC", 4, 0), std::nullopt);
}

TEST(UIColorTest, RandomColoursStayInThePleasantRange) {
    for (int i = 0; i < 200; ++i) {
        double hue, saturation, brightness, alpha;
        randomColor().getHue(hue, saturation, brightness, alpha);
        EXPECT_LE(hue, 255 / 256.0 + 1e-9);
        EXPECT_GE(saturation, 0.5 - 1e-9);
        EXPECT_LE(saturation, 0.5 + 127 / 256.0 + 1e-9);
        EXPECT_GE(brightness, 0.5 - 1e-9);
        EXPECT_LE(brightness, 0.5 + 127 / 256.0 + 1e-9);
        EXPECT_EQ(alpha, 1);
    }
}

}  // namespace
}  // namespace ov
