#include <gtest/gtest.h>

#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/values/Value.h"

namespace ov::ui {
namespace {

TEST(FontTest, PlatformNamesMapToInstalledFamiliesWithTheirWeight) {
    const struct {
        const char* name;
        const char* family;
        const char* installed;
        double weight;
        bool italic;
    } cases[] = {
        {"HelveticaNeue-Medium", "Helvetica Neue", "Liberation Sans", UIFontWeightMedium, false},
        {"HelveticaNeue-Light", "Helvetica Neue", "Liberation Sans", UIFontWeightLight, false},
        {"Arial-BoldMT", "Arial", "Liberation Sans", UIFontWeightBold, false},
        {"Helvetica-Bold", "Helvetica", "Liberation Sans", UIFontWeightBold, false},
        {"Helvetica", "Helvetica", "Liberation Sans", UIFontWeightRegular, false},
        {"TimesNewRomanPS-BoldItalicMT", "Times New Roman", "Liberation Serif", UIFontWeightBold,
         true},
        {"Courier", "Courier", "Liberation Mono", UIFontWeightRegular, false},
        {"Helvetica Neue", "Helvetica Neue", "Liberation Sans", UIFontWeightRegular, false},
        {"DejaVu Sans", "DejaVu Sans", "DejaVu Sans", UIFontWeightRegular, false},
        {".SFUIText-Heavy", ".SF UI Text", "Liberation Sans", UIFontWeightHeavy, false},
    };
    for (const auto& c : cases) {
        const auto font = Font::fontWithName(c.name, 13);
        ASSERT_TRUE(font) << c.name;
        EXPECT_EQ(font->fontName(), c.name);
        EXPECT_EQ(font->familyName(), c.family) << c.name;
        EXPECT_EQ(font->installedFamilyName(), c.installed) << c.name;
        EXPECT_EQ(font->weight(), c.weight) << c.name;
        EXPECT_EQ(font->isItalic(), c.italic) << c.name;
        EXPECT_EQ(font->pointSize(), 13);
    }
    EXPECT_EQ(Font::fontWithName("NoSuchFamily-Bold", 12), std::nullopt);
    EXPECT_EQ(Font::fontWithName("", 12), std::nullopt);
    EXPECT_EQ(Font::fontWithName("-Bold", 12), std::nullopt);
}

TEST(FontTest, SystemFontsNameTheirWeightSoTheNameMakesTheSameFace) {
    EXPECT_EQ(Font::systemFontOfSize(17).fontName(), ".SFUIText");
    EXPECT_EQ(Font::boldSystemFontOfSize(17).fontName(), ".SFUIText-Bold");
    EXPECT_EQ(Font::systemFontOfSize(17, 0.5).fontName(), ".SFUIText-Heavy");  // nearest
    EXPECT_EQ(Font::italicSystemFontOfSize(17).fontName(), ".SFUIText-Italic");
    for (double weight :
         {UIFontWeightUltraLight, UIFontWeightLight, UIFontWeightSemibold, UIFontWeightBlack}) {
        const Font system = Font::systemFontOfSize(20, weight);
        const auto again = Font::fontWithName(system.fontName(), 20);
        ASSERT_TRUE(again);
        EXPECT_EQ(*again, system);
        EXPECT_EQ(again->weight(), weight);
        // The family name makes a font too, as styled-text helpers do.
        EXPECT_TRUE(Font::fontWithName(system.familyName(), 20));
    }
}

TEST(FontTest, TraitsAndSizes) {
    const Font light = *Font::fontWithName("HelveticaNeue-Light", 12);
    EXPECT_FALSE(light.isBold());
    const Font bold = light.fontWithBoldTrait();
    EXPECT_TRUE(bold.isBold());
    EXPECT_EQ(bold.fontName(), "HelveticaNeue-Bold");
    EXPECT_EQ(bold.pointSize(), 12);
    EXPECT_TRUE(Font::systemFontOfSize(12, UIFontWeightSemibold).isBold());
    EXPECT_EQ(light.fontWithSize(30).pointSize(), 30);
    EXPECT_EQ(light.fontWithSize(30).fontName(), light.fontName());
    EXPECT_NE(light.fontWithSize(30), light);
    EXPECT_EQ(Font::systemFontOfSize(0).pointSize(), 12);
    EXPECT_EQ(Font::systemFontOfSize(-3).pointSize(), 12);
}

TEST(FontTest, MetricsAreSaneAndScaleWithTheSize) {
    for (const char* name : {"Helvetica", "Arial-BoldMT", "Courier", "TimesNewRomanPSMT"}) {
        const Font font = *Font::fontWithName(name, 20);
        EXPECT_GT(font.ascender(), 0.6 * 20) << name;
        EXPECT_LT(font.ascender(), 20) << name;
        EXPECT_LT(font.descender(), 0) << name;
        EXPECT_GT(font.descender(), -0.4 * 20) << name;
        EXPECT_GT(font.lineHeight(), 20) << name;
        EXPECT_LT(font.lineHeight(), 1.4 * 20) << name;
        EXPECT_GT(font.capHeight(), font.xHeight()) << name;
        EXPECT_LT(font.capHeight(), font.ascender()) << name;
        EXPECT_NEAR(font.fontWithSize(40).lineHeight(), 2 * font.lineHeight(), 1e-9) << name;
    }
}

TEST(FontTest, FontsTravelInValues) {
    const Font font = Font::boldSystemFontOfSize(16);
    EXPECT_EQ(Font::fromValue(font.toValue()), font);
    EXPECT_EQ(font.toValue(), Font::boldSystemFontOfSize(16).toValue());
    EXPECT_EQ(Font::fromValue(Value(16)), std::nullopt);
    EXPECT_TRUE(font.toValue().description().containsString(
        "font-family: \".SF UI Text\"; font-weight: bold; font-style: normal; font-size: "
        "16.00pt"));
}

}  // namespace
}  // namespace ov::ui
