#include <gtest/gtest.h>

#include "orvane/platform/media/AVAsset.h"
#include "orvane/platform/media/AVAssetImageGenerator.h"
#include "support/TestVideos.h"

namespace ov {
namespace {

std::shared_ptr<AVURLAsset> assetOf(const std::string& path) {
    return AVURLAsset::assetWithURL(URL::fileURLWithPath(path));
}

class AVAssetTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(test::testVideos().made); }
    const test::TestVideos& videos = test::testVideos();
};

TEST(CMTime, SecondsAndScalesConvertBothWays) {
    EXPECT_EQ(CMTimeMakeWithSeconds(2.5, 60000), CMTimeMake(150000, 60000));
    EXPECT_DOUBLE_EQ(CMTimeGetSeconds(CMTimeMake(1, 3)), 1.0 / 3);
    EXPECT_TRUE(std::isnan(CMTimeGetSeconds(kCMTimeInvalid)));
    EXPECT_FALSE(CMTimeMakeWithSeconds(NAN, 600).isValid());
}

TEST(FileURL, PathsBecomeEscapedAbsoluteFileAddresses) {
    const URL url = URL::fileURLWithPath("/tmp/my clip#1.ogg");
    EXPECT_EQ(url.absoluteString(), "file:///tmp/my%20clip%231.ogg");
    EXPECT_EQ(url.path(), "/tmp/my clip#1.ogg");
    EXPECT_TRUE(URL::fileURLWithPath("relative.ogg").path().toUtf8().starts_with("/"));
}

TEST_F(AVAssetTest, DurationComesFromTheMediaForBothContainers) {
    EXPECT_NEAR(CMTimeGetSeconds(assetOf(videos.long_)->duration()), 61.2, 0.001);
    EXPECT_NEAR(CMTimeGetSeconds(assetOf(videos.colour)->duration()), 2.0, 0.001);
    EXPECT_NEAR(CMTimeGetSeconds(assetOf(videos.shortClip)->duration()), 0.6, 0.02);
    EXPECT_TRUE(assetOf(videos.shortClip)->isReadable());
}

TEST_F(AVAssetTest, WhatIsNotMediaHasNoDuration) {
    for (const auto& path : {videos.notMedia, videos.colour + ".missing"}) {
        const auto asset = assetOf(path);
        EXPECT_FALSE(asset->isReadable()) << path;
        EXPECT_EQ(asset->duration().timescale, 0) << path;
    }
    EXPECT_EQ(AVURLAsset::assetWithURL(std::nullopt), nullptr);
}

TEST_F(AVAssetTest, GeneratorGivesThePictureShowingAtEachTime) {
    const auto generator =
        AVAssetImageGenerator::assetImageGeneratorWithAsset(assetOf(videos.colour));
    Error error("", 0);
    CMTime actual = kCMTimeInvalid;
    const auto early = generator->copyCGImageAtTime(CMTimeMake(1, 2), nullptr, &error);
    const auto second = generator->copyCGImageAtTime(CMTimeMake(1, 1), &actual, &error);
    ASSERT_TRUE(early && second) << error.description().toUtf8();
    EXPECT_EQ(second->pixelWidth(), 32);
    EXPECT_EQ(second->pixelHeight(), 24);
    EXPECT_EQ(actual, CMTimeMake(1, 1));
    const auto red = early->rgbaAt(16, 12);
    const auto blue = second->rgbaAt(16, 12);
    EXPECT_GT(red[0], 200);
    EXPECT_LT(red[2], 60);
    EXPECT_GT(blue[2], 200);
    EXPECT_LT(blue[0], 60);
    EXPECT_EQ(blue[3], 255);
}

TEST_F(AVAssetTest, GeneratorFailsWithAReasonForNoPicture) {
    for (const auto& path : {videos.notMedia, videos.colour + ".missing"}) {
        auto generator = AVAssetImageGenerator::assetImageGeneratorWithAsset(assetOf(path));
        Error error("", 0);
        EXPECT_EQ(generator->copyCGImageAtTime(CMTimeMake(1, 1), nullptr, &error), nullptr);
        EXPECT_EQ(error.domain(), "AVFoundationErrorDomain");
        EXPECT_FALSE(error.localizedFailureReason().description().isEmpty());
    }
    auto generator = AVAssetImageGenerator::assetImageGeneratorWithAsset(assetOf(videos.colour));
    Error error("", 0);
    EXPECT_EQ(generator->copyCGImageAtTime(kCMTimeInvalid, nullptr, &error), nullptr);
    EXPECT_EQ(error.code(), -11829);
    EXPECT_EQ(AVAssetImageGenerator::assetImageGeneratorWithAsset(nullptr), nullptr);
}

}  // namespace
}  // namespace ov
