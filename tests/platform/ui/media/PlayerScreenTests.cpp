#include <gtest/gtest.h>

#include "orvane/platform/media/AudioOutput.h"
#include "orvane/platform/media/MediaNotifications.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/containers/ViewController.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/media/AVPlayerViewController.h"
#include "orvane/platform/ui/media/MPMoviePlayerViewController.h"
#include "orvane/platform/ui/views/Window.h"
#include "support/NotificationRecorder.h"
#include "support/ReferenceImage.h"
#include "support/TestVideos.h"

namespace ov::ui {
namespace {

constexpr double kPatience = 10;

class PlayerScreenTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setAudioOutput(AudioOutput::Discard);
        ASSERT_TRUE(test::testVideos().made);
    }
    static std::optional<URL> urlOf(const std::string& path) { return URL::fileURLWithPath(path); }
    static bool waitFor(const std::function<bool()>& done) {
        return RunLoop::main().runUntil(done, kPatience);
    }
    const test::TestVideos& videos = test::testVideos();
};

TEST_F(PlayerScreenTest, ARenderOfTheScreenShowsTheMovieUnderItsControls) {
    auto screen = std::make_shared<AVPlayerViewController>();
    screen->view()->setFrame({0, 0, 64, 64});
    const auto player = AVPlayer::playerWithURL(urlOf(videos.colour));
    screen->setPlayer(player);
    ASSERT_TRUE(waitFor([&] { return screen->playerLayer()->isReadyForDisplay(); }));
    // 32 x 24 letterboxed into 64 x 64: 64 x 48 in the middle.
    EXPECT_EQ(screen->playerLayer()->videoRect(), (Rect{0, 8, 64, 48}));
    const auto picture = renderToImage(*screen->view(), 1);
    const auto movie = picture->rgbaAt(32, 20);
    EXPECT_GT(movie[0], 200);
    EXPECT_LT(movie[2], 60);
    EXPECT_LT(picture->rgbaAt(32, 2)[0], 10);  // black above the picture
    EXPECT_TRUE(test::matchesReference(*picture, "avplayer-screen"));

    screen->setShowsPlaybackControls(false);
    const auto bare = renderToImage(*screen->view(), 1);
    EXPECT_GT(bare->rgbaAt(40, 50)[0], 200);  // the movie where the bar was
    EXPECT_LT(picture->rgbaAt(40, 50)[0], 160);
}

TEST_F(PlayerScreenTest, TheLayerFollowsThePlayersPictures) {
    const auto player = AVPlayer::playerWithURL(urlOf(videos.colour));
    auto layer = AVPlayerLayer::playerLayerWithPlayer(player);
    ASSERT_TRUE(waitFor([&] { return layer->isReadyForDisplay(); }));
    EXPECT_GT(layer->contents()->rgbaAt(1, 1)[0], 200);
    player->seekToTime(CMTimeMake(3, 2));
    ASSERT_TRUE(waitFor([&] { return layer->contents()->rgbaAt(1, 1)[2] > 200; }));
    layer->setPlayer(nullptr);
    EXPECT_FALSE(layer->isReadyForDisplay());
}

TEST_F(PlayerScreenTest, TheOlderPlayerPostsItsEndAndItsDoneButton) {
    test::NotificationRecorder seen(
        {MPMoviePlayerPlaybackDidFinishNotification, MPMoviePlayerWillExitFullscreenNotification});
    auto window = std::make_shared<Window>(Rect{0, 0, 100, 100});
    auto home = std::make_shared<ViewController>();
    setRootViewController(*window, home);
    auto screen = std::make_shared<MPMoviePlayerViewController>(urlOf(videos.shortClip));
    const auto movie = screen->moviePlayer();
    const auto player = movie->player();
    movie->setContentURL(urlOf(videos.shortClip));
    EXPECT_EQ(movie->player(), player);  // the same address keeps its player
    home->presentViewController(screen, false);
    movie->play();
    ASSERT_TRUE(
        waitFor([&] { return seen.count(MPMoviePlayerPlaybackDidFinishNotification) == 1; }));
    const auto reasonOf = [](const Notification& note) {
        return note.userInfo.objectForKey(MPMoviePlayerPlaybackDidFinishReasonUserInfoKey)
            .description();
    };
    EXPECT_EQ(reasonOf(seen.seen()[0]), "0");
    EXPECT_EQ(seen.seen()[0].object.ifObjectOf<MPMoviePlayerController>(), movie);

    screen->done();
    ASSERT_EQ(seen.seen().size(), 3u);
    EXPECT_EQ(seen.seen()[1].name, MPMoviePlayerWillExitFullscreenNotification);
    EXPECT_EQ(reasonOf(seen.seen()[2]), "2");
    EXPECT_EQ(home->presentedViewController(), screen.get());
    ASSERT_TRUE(waitFor([&] { return home->presentedViewController() == nullptr; }));
}

}  // namespace
}  // namespace ov::ui
