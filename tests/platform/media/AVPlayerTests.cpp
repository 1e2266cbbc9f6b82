#include <gtest/gtest.h>

#include "orvane/platform/media/AVPlayer.h"
#include "orvane/platform/media/AudioOutput.h"
#include "orvane/platform/media/MediaNotifications.h"
#include "orvane/platform/threads/RunLoop.h"
#include "support/NotificationRecorder.h"
#include "support/TestVideos.h"

namespace ov {
namespace {

// Every wait is bounded; playback itself runs in real time, so these leave room for a slow,
// busy machine.
constexpr double kPatience = 10;

bool waitFor(const std::function<bool()>& done) {
    return RunLoop::main().runUntil(done, kPatience);
}

class AVPlayerTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setAudioOutput(AudioOutput::Discard);
        ASSERT_TRUE(test::testVideos().made);
    }
    static std::shared_ptr<AVPlayer> playerFor(const std::string& path) {
        return AVPlayer::playerWithURL(URL::fileURLWithPath(path));
    }
    static bool isReady(const AVPlayer& player) {
        return player.status() == AVPlayerStatusReadyToPlay && player.currentFrame();
    }
    const test::TestVideos& videos = test::testVideos();
};

TEST_F(AVPlayerTest, BecomesReadyPausedWithItsFirstPicture) {
    const auto player = playerFor(videos.colour);
    ASSERT_TRUE(waitFor([&] { return isReady(*player); }));
    EXPECT_EQ(player->currentItem()->status(), AVPlayerItemStatusReadyToPlay);
    EXPECT_EQ(player->timeControlStatus(), AVPlayerTimeControlStatusPaused);
    EXPECT_EQ(player->rate(), 0);
    EXPECT_NEAR(CMTimeGetSeconds(player->currentTime()), 0, 0.01);
    EXPECT_GT(player->currentFrame()->rgbaAt(16, 12)[0], 200);  // red
}

TEST_F(AVPlayerTest, PlaysPastBoundaryTimesAndStopsAtTheEnd) {
    test::NotificationRecorder seen({AVPlayerItemDidPlayToEndTimeNotification});
    const auto player = playerFor(videos.shortClip);
    int passedThird = 0;
    int passedLater = 0;
    auto third = player->addBoundaryTimeObserverForTimes({CMTimeMake(1, 3)}, [&] {
        ++passedThird;
        EXPECT_TRUE(RunLoop::isMainThread());
        EXPECT_EQ(player->timeControlStatus(), AVPlayerTimeControlStatusPlaying);
    });
    auto later =
        player->addBoundaryTimeObserverForTimes({CMTimeMake(10, 1)}, [&] { ++passedLater; });
    player->play();
    EXPECT_EQ(player->rate(), 1);
    ASSERT_TRUE(waitFor([&] { return seen.count(AVPlayerItemDidPlayToEndTimeNotification) > 0; }));
    EXPECT_EQ(passedThird, 1);
    EXPECT_EQ(passedLater, 0);
    EXPECT_EQ(seen.seen().front().object.ifObjectOf<AVPlayerItem>(), player->currentItem());
    EXPECT_EQ(player->rate(), 0);
    EXPECT_EQ(player->timeControlStatus(), AVPlayerTimeControlStatusPaused);
    EXPECT_NEAR(CMTimeGetSeconds(player->currentTime()), 0.6, 0.05);
    // Playing again at the end stays at the end.
    player->play();
    EXPECT_EQ(player->rate(), 0);
}

TEST_F(AVPlayerTest, SeeksLandExactlyAndPostTimeJumped) {
    test::NotificationRecorder seen({AVPlayerItemTimeJumpedNotification});
    // Asked before the pipeline is ready: the seek waits for it.
    const auto player = playerFor(videos.colour);
    std::optional<bool> landed;
    player->seekToTime(CMTimeMakeWithSeconds(1.5, 60000),
                       [&](bool finished) { landed = finished; });
    ASSERT_TRUE(waitFor([&] { return landed.has_value(); }));
    EXPECT_TRUE(*landed);
    EXPECT_NEAR(CMTimeGetSeconds(player->currentTime()), 1.5, 0.01);
    ASSERT_EQ(seen.count(AVPlayerItemTimeJumpedNotification), 1u);
    EXPECT_EQ(seen.seen().front().object.ifObjectOf<AVPlayerItem>(), player->currentItem());
    ASSERT_TRUE(waitFor(
        [&] { return player->currentFrame() && player->currentFrame()->rgbaAt(16, 12)[2] > 200; }));

    // A second seek replaces one still under way.
    std::vector<bool> results;
    player->seekToTime(CMTimeMake(1, 10), [&](bool finished) { results.push_back(finished); });
    player->seekToTime(CMTimeMake(99, 1), [&](bool finished) { results.push_back(finished); });
    ASSERT_TRUE(waitFor([&] { return results.size() == 2; }));
    EXPECT_EQ(results, (std::vector<bool>{false, true}));
    EXPECT_NEAR(CMTimeGetSeconds(player->currentTime()), 2.0, 0.01);  // clamped to the end
}

TEST_F(AVPlayerTest, WhatIsNotMediaFailsWithAnError) {
    test::NotificationRecorder seen({AVPlayerItemFailedToPlayToEndTimeNotification});
    const auto player = playerFor(videos.notMedia);
    player->play();
    ASSERT_TRUE(waitFor([&] { return player->status() == AVPlayerStatusFailed; }));
    ASSERT_TRUE(player->error());
    EXPECT_EQ(player->currentItem()->status(), AVPlayerItemStatusFailed);
    EXPECT_EQ(player->currentItem()->error(), player->error());
    EXPECT_EQ(seen.count(AVPlayerItemFailedToPlayToEndTimeNotification), 1u);
    bool landed = true;
    player->seekToTime(kCMTimeZero, [&](bool finished) { landed = finished; });
    EXPECT_FALSE(landed);
}

TEST_F(AVPlayerTest, APlayerWithoutAnItemPlaysNothing) {
    const auto player = AVPlayer::playerWithURL(std::nullopt);
    EXPECT_EQ(player->currentItem(), nullptr);
    player->play();
    EXPECT_EQ(player->timeControlStatus(), AVPlayerTimeControlStatusWaitingToPlayAtSpecifiedRate);
    EXPECT_EQ(player->currentTime(), CMTimeMake(0, 1000000000));
    player->setVolume(7);
    EXPECT_EQ(player->volume(), 1);
    player->setVolume(-1);
    EXPECT_EQ(player->volume(), 0);
}

TEST_F(AVPlayerTest, NothingReachesAnyoneAfterThePlayerIsGone) {
    int calls = 0;
    Subscription boundary;
    Subscription frames;
    {
        auto player = playerFor(videos.shortClip);
        boundary = player->addBoundaryTimeObserverForTimes({CMTimeMake(1, 100)}, [&] { ++calls; });
        frames = player->addFrameObserver([&] { ++calls; });
        player->play();
        // Events are queued for the player while its pipeline runs.
        ASSERT_TRUE(waitFor(
            [&] { return player->timeControlStatus() == AVPlayerTimeControlStatusPlaying; }));
        calls = 0;
    }
    RunLoop::main().runFor(0.3);
    EXPECT_EQ(calls, 0);
    boundary.cancel();  // the tokens outlive the player safely
}

}  // namespace
}  // namespace ov
