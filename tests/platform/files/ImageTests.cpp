#include <gtest/gtest.h>

#include "orvane/platform/files/Image.h"
#include "support/TestBundle.h"

namespace ov {
namespace {

using test::solidPng;
using test::TestBundle;

using Rgba = std::array<uint8_t, 4>;

class ImageTest : public ::testing::Test {
  protected:
    void TearDown() override { Image::setScreenScale(2); }
};

TEST_F(ImageTest, PngPixelsAreStoredPremultipliedAndReadBackStraight) {
    const auto image =
        Image::imageWithData(test::pngData(2, 2, {0xFF000080, 0x00FF00FF, 0x0000FF00, 0x336699FF}));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixelWidth(), 2);
    EXPECT_EQ(image->stride(), 8);
    EXPECT_EQ(image->argb32At(0, 0), 0x80800000u);  // half-transparent red, premultiplied
    EXPECT_EQ(image->argb32At(1, 0), 0xFF00FF00u);
    EXPECT_EQ(image->argb32At(0, 1), 0x00000000u);  // fully transparent keeps no colour
    EXPECT_EQ(image->rgbaAt(0, 0), (Rgba{255, 0, 0, 128}));
    EXPECT_EQ(image->rgbaAt(1, 1), (Rgba{0x33, 0x66, 0x99, 255}));
    EXPECT_EQ(image->rgbaAt(2, 0), (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(image->rgbaAt(-1, 0), (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(image->pixels()->size(), 16u);
}

TEST_F(ImageTest, JpegOrientationIsAppliedAndGifsDecode) {
    const auto jpeg = Image::imageWithData(test::rotatedJpeg());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg->pixelWidth(), 8);
    EXPECT_EQ(jpeg->pixelHeight(), 16);
    const Rgba top = jpeg->rgbaAt(4, 1);
    const Rgba bottom = jpeg->rgbaAt(4, 14);
    EXPECT_GT(top[0], 200);
    EXPECT_LT(top[2], 60);
    EXPECT_GT(bottom[2], 200);
    EXPECT_LT(bottom[0], 60);

    const auto gif = Image::imageWithData(test::transparentGif());
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->width(), 1);
    EXPECT_EQ(gif->rgbaAt(0, 0)[3], 0);
}

TEST_F(ImageTest, BadDataGivesNoImage) {
    const Data png = solidPng(4, 4, 0xFFFFFFFF);
    EXPECT_EQ(Image::imageWithData(Data()), nullptr);
    EXPECT_EQ(Image::imageWithData(Data::fromString("not an image at all")), nullptr);
    EXPECT_EQ(Image::imageWithData(Data(png.bytes(), png.length() / 2)), nullptr);
    EXPECT_EQ(Image::imageWithData(Data(png.bytes(), 8)), nullptr);
    EXPECT_EQ(Image::imageWithData(Data::fromString("<svg xmlns='http://www.w3.org/2000/svg'/>")),
              nullptr);
    EXPECT_EQ(Image::imageWithContentsOfFile("/nonexistent.png"), nullptr);
    EXPECT_EQ(Image::imageWithARGB32(2, 2, std::make_shared<std::vector<uint8_t>>(15)), nullptr);
    EXPECT_EQ(Image::imageWithARGB32(0, 2, std::make_shared<std::vector<uint8_t>>()), nullptr);
}

TEST_F(ImageTest, FileNamesGiveTheScaleAndPointsFollowIt) {
    TestBundle files;
    files.write("plain.png", solidPng(6, 4, 0xFF0000FF))
        .write("retina@3x.png", solidPng(6, 4, 0xFF0000FF));
    const auto plain = Image::imageWithContentsOfFile(files.path() + "/plain.png");
    const auto retina = Image::imageWithContentsOfFile(files.path() + "/retina@3x.png");
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(retina, nullptr);
    EXPECT_EQ(plain->scale(), 1);
    EXPECT_EQ(plain->width(), 6);
    EXPECT_EQ(retina->scale(), 3);
    EXPECT_EQ(retina->width(), 2);
    EXPECT_NE(retina->description().toUtf8().find("UIImage: 0x"), std::string::npos);
    EXPECT_TRUE(retina->description().hasSuffix(", {2, 1.33333}"));
}

TEST_F(ImageTest, NamedImagesPreferTheScreenScaleThenLargerThenSmaller) {
    TestBundle files;
    files.write("icon.png", solidPng(10, 10, 0x000000FF))
        .write("icon@2x.png", solidPng(20, 20, 0x000000FF))
        .write("badge.png", solidPng(10, 10, 0x000000FF))
        .write("badge@3x.png", solidPng(30, 30, 0x000000FF))
        .write("photo.jpg", test::rotatedJpeg())
        .write("broken@2x.png", Data::fromString("garbage"))
        .write("broken.png", solidPng(10, 10, 0x000000FF));
    const auto bundle = files.bundle();

    EXPECT_EQ(Image::imageNamed("icon", bundle)->scale(), 2);
    EXPECT_EQ(Image::imageNamed("icon", bundle)->width(), 10);
    EXPECT_EQ(Image::imageNamed("badge", bundle)->scale(), 3);
    Image::setScreenScale(1);
    EXPECT_EQ(Image::imageNamed("icon.png", bundle)->scale(), 1);
    Image::setScreenScale(3);
    EXPECT_EQ(Image::imageNamed("icon", bundle)->scale(), 2);
    EXPECT_EQ(Image::imageNamed("icon@2x", bundle)->scale(), 2);
    EXPECT_EQ(Image::imageNamed("photo", bundle)->pixelHeight(), 16);
    EXPECT_EQ(Image::imageNamed("broken", bundle)->scale(), 1);
    EXPECT_EQ(Image::imageNamed("missing", bundle), nullptr);
    EXPECT_EQ(Image::imageNamed("", bundle), nullptr);
    EXPECT_EQ(Image::imageNamed("icon.gif", bundle), nullptr);
}

TEST_F(ImageTest, ScreenScaleIsKeptBetweenOneAndThree) {
    Image::setScreenScale(0);
    EXPECT_EQ(Image::screenScale(), 1);
    Image::setScreenScale(2.6);
    EXPECT_EQ(Image::screenScale(), 3);
    Image::setScreenScale(7);
    EXPECT_EQ(Image::screenScale(), 3);
}

}  // namespace
}  // namespace ov
