#include <gtest/gtest.h>

#include "orvane/components/CustomBadge.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/text/AttributedString.h"

namespace ov {
namespace {

double measuredWidth(const CustomBadge& badge, const char* text) {
    return ui::AttributedString(
               String(text), {{ui::NSFontAttributeName, badge.fontForBadgeWithSize(12).toValue()}})
        .size()
        .width;
}

bool isRed(const std::array<uint8_t, 4>& pixel) {
    return pixel[0] > 200 && pixel[1] < 60 && pixel[2] < 60 && pixel[3] > 200;
}

TEST(CustomBadge, SizesItselfToItsText) {
    auto one = CustomBadge::customBadgeWithString("7");
    EXPECT_EQ(one->frame().size, (ui::Size{25, 25}));
    auto empty = CustomBadge::customBadgeWithString("");
    EXPECT_EQ(empty->frame().size, (ui::Size{25, 25}));

    auto two = CustomBadge::customBadgeWithString("42");
    EXPECT_DOUBLE_EQ(two->frame().size.width, measuredWidth(*two, "42") + 2 + 25);
    EXPECT_EQ(two->frame().size.height, 25);

    auto doubled = CustomBadge::customBadgeWithString("42", 2.0);
    EXPECT_DOUBLE_EQ(doubled->frame().size.width, 2 * (measuredWidth(*doubled, "42") + 2 + 25));
    EXPECT_EQ(doubled->frame().size.height, 50);

    two->setFrame({10, 20, 1, 1});
    two->autoBadgeSizeWithString("1000");
    EXPECT_EQ(two->frame().origin, (ui::Point{10, 20}));
    EXPECT_EQ(two->badgeText(), String("1000"));
    EXPECT_GT(two->frame().size.width, measuredWidth(*two, "42") + 27);
}

TEST(CustomBadge, StylesChooseFontAndDecorations) {
    auto plain = CustomBadge::customBadgeWithString("3");
    auto old = CustomBadge::customBadgeWithString("3", BadgeStyle::oldStyle());
    EXPECT_TRUE(plain->fontForBadgeWithSize(10).fontName().toUtf8().find("Light") !=
                std::string::npos);
    EXPECT_TRUE(old->fontForBadgeWithSize(10).fontName().toUtf8().find("Medium") !=
                std::string::npos);
    EXPECT_FALSE(plain->badgeStyle()->badgeFrame);
    EXPECT_TRUE(old->badgeStyle()->badgeFrame && old->badgeStyle()->badgeShadow &&
                old->badgeStyle()->badgeShining);
}

TEST(CustomBadge, DrawsARedPillInsideItsMargin) {
    auto badge = CustomBadge::customBadgeWithString("");
    auto image = ui::renderToImage(*badge, 1);
    ASSERT_TRUE(image);
    EXPECT_TRUE(isRed(image->rgbaAt(12, 12)));
    EXPECT_EQ(image->rgbaAt(1, 12)[3], 0);  // the 10 % margin stays clear
    EXPECT_EQ(image->rgbaAt(4, 4)[3], 0);   // the default roundness makes a circle

    badge->setBadgeCornerRoundness(0);
    badge->setNeedsDisplay();
    EXPECT_TRUE(isRed(ui::renderToImage(*badge, 1)->rgbaAt(3, 3)));  // square corners
}

TEST(CustomBadge, OldStyleFramesInWhiteAndTextIsDrawn) {
    auto old = CustomBadge::customBadgeWithString("", BadgeStyle::oldStyle());
    auto image = ui::renderToImage(*old, 1);
    const auto edge = image->rgbaAt(12, 3);  // on the frame line at the top
    EXPECT_GT(edge[0], 200);
    EXPECT_GT(edge[1], 200);

    auto withText = CustomBadge::customBadgeWithString("8");
    auto textImage = ui::renderToImage(*withText, 2);
    int white = 0;
    for (int y = 0; y < textImage->pixelHeight(); ++y) {
        for (int x = 0; x < textImage->pixelWidth(); ++x) {
            const auto pixel = textImage->rgbaAt(x, y);
            white += pixel[0] > 220 && pixel[1] > 220 && pixel[2] > 220;
        }
    }
    EXPECT_GT(white, 20);
}

}  // namespace
}  // namespace ov
