#include <gtest/gtest.h>

#include <cmath>

#include "orvane/components/UIImage+UIImage.h"
#include "support/TestImages.h"

namespace ov {
namespace {

namespace images = UIImage_UIImage;
using Rgba = std::array<uint8_t, 4>;

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kGreen{0, 255, 0, 255};

// Left half red, right half blue, the top-left sixteenth green.
std::shared_ptr<Image> marked(int width, int height) {
    auto pixels = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(width) * height * 4);
    auto* words = reinterpret_cast<uint32_t*>(pixels->data());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool corner = x < width / 4 && y < height / 4;
            words[y * width + x] = corner ? 0xFF00FF00 : x < width / 2 ? 0xFFFF0000 : 0xFF0000FF;
        }
    }
    return Image::imageWithARGB32(width, height, std::move(pixels));
}

TEST(UIImageScaling, StretchesIntoWholePixelsAndSetsOnlyTheRightTurnUpright) {
    const auto scaled = images::scaleImage(marked(8, 8), {16.7, 8.2});
    ASSERT_NE(scaled, nullptr);
    EXPECT_EQ(scaled->pixelWidth(), 16);
    EXPECT_EQ(scaled->pixelHeight(), 8);
    EXPECT_EQ(scaled->scale(), 1);
    EXPECT_EQ(scaled->rgbaAt(1, 0), kGreen);
    EXPECT_EQ(scaled->rgbaAt(5, 7), kRed);
    EXPECT_EQ(scaled->rgbaAt(14, 7), kBlue);

    // Turned a quarter clockwise the stored picture is red above blue, the green corner at
    // the top right.
    const auto lying = marked(16, 8)->imageWithOrientation(UIImageOrientationRight);
    const auto upright = images::scaleImage(lying, {4, 8});
    ASSERT_NE(upright, nullptr);
    EXPECT_EQ(upright->rgbaAt(3, 0), kGreen);
    EXPECT_EQ(upright->rgbaAt(1, 2), kRed);
    EXPECT_EQ(upright->rgbaAt(2, 7), kBlue);

    const auto down =
        images::scaleImage(marked(16, 8)->imageWithOrientation(UIImageOrientationDown), {16, 8});
    EXPECT_EQ(down->rgbaAt(1, 0), kGreen);
}

TEST(UIImageScaling, ProportionalSizesKeepTheAspectRatio) {
    EXPECT_EQ(images::estimateNewSize({100, 30}, marked(4, 2)), (ui::Size{60, 30}));
    EXPECT_EQ(images::estimateNewSize({100, 30}, marked(2, 4)), (ui::Size{100, 200}));
    // A square image takes the second branch: the requested width for both sides.
    EXPECT_EQ(images::estimateNewSize({100, 30}, marked(6, 6)), (ui::Size{100, 100}));
    EXPECT_EQ(images::estimateNewSize({100, 30},
                                      marked(4, 2)->imageWithOrientation(UIImageOrientationRight)),
              (ui::Size{100, 200}));

    const auto decoded = images::scaleImageWithData(test::solidPng(3, 9, 0x336699FF), {20, 1});
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->pixelWidth(), 20);
    EXPECT_EQ(decoded->pixelHeight(), 60);
    EXPECT_EQ(decoded->rgbaAt(10, 30), (Rgba{0x33, 0x66, 0x99, 0xFF}));
}

TEST(UIImageScaling, NothingToDrawOrNoRoomGivesNoImage) {
    EXPECT_EQ(images::estimateNewSize({100, 30}, nullptr), (ui::Size{100, 30}));
    EXPECT_EQ(images::scaleImage(nullptr, {10, 10}), nullptr);
    for (const ui::Size size :
         {ui::Size{0.9, 10}, ui::Size{10, -3}, ui::Size{NAN, 10}, ui::Size{INFINITY, 10}})
        EXPECT_EQ(images::scaleImage(marked(4, 2), size), nullptr);
    EXPECT_EQ(images::scaleImageWithData(Data::fromString("not an image"), {10, 10}), nullptr);
}

}  // namespace
}  // namespace ov
