#include <gtest/gtest.h>

#include "media/PlayerFixture.h"
#include "orvane/media/AVAsset+AVAsset.h"

namespace ov {
namespace {

using namespace AVAsset_AVAsset;

class AVAssetCategoryTest : public test::PlayerFixture {};

TEST_F(AVAssetCategoryTest, LengthsRoundUpToWholeSecondsWithTheirText) {
    EXPECT_EQ(secondsFileUrl(urlOf(videos.long_)), 62);
    EXPECT_EQ(formattedTimeFileUrl(urlOf(videos.long_)),
              NSString_NSString::formattedStringFromSeconds(62));
    EXPECT_EQ(secondsFileUrl(urlOf(videos.colour)), 2);
    EXPECT_EQ(secondsFileUrl(urlOf(videos.shortClip)), 1);
}

TEST_F(AVAssetCategoryTest, ALengthThePlatformCannotGiveIsZero) {
    EXPECT_EQ(secondsFileUrl(urlOf(videos.notMedia)), 0);
    EXPECT_EQ(secondsFileUrl(urlOf(videos.notMedia + ".missing")), 0);
    EXPECT_EQ(secondsFileUrl(std::nullopt), 0);
    EXPECT_EQ(formattedTimeFileUrl(urlOf(videos.notMedia)),
              NSString_NSString::formattedStringFromSeconds(0));
}

TEST_F(AVAssetCategoryTest, TheImageIsThePictureAtOneSecond) {
    const auto still = imageFileUrl(urlOf(videos.colour));
    ASSERT_TRUE(still);
    EXPECT_EQ(still->pixelWidth(), 32);
    const auto colour = still->rgbaAt(5, 5);
    EXPECT_GT(colour[2], 200);  // blue from one second on; red before
    EXPECT_LT(colour[0], 60);
    EXPECT_EQ(imageFileUrl(urlOf(videos.notMedia)), nullptr);
    EXPECT_EQ(imageFileUrl(std::nullopt), nullptr);
}

}  // namespace
}  // namespace ov
