#include <gtest/gtest.h>

#include "media/PlayerFixture.h"
#include "orvane/media/CustomPlayerViewController.h"
#include "orvane/platform/media/MediaNotifications.h"
#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/ui/application/ApplicationNotifications.h"
#include "orvane/platform/ui/views/Window.h"
#include "support/NotificationRecorder.h"

namespace ov {
namespace {

class CustomPlayerTest : public test::PlayerFixture {
  protected:
    // A screen placed in a 64 x 48 view of the window, with a recording delegate.
    template <class Screen = CustomPlayerViewController>
    std::shared_ptr<Screen> placed(const std::string& path) {
        auto screen = std::make_shared<Screen>();
        screen->setUrl(urlOf(path));
        auto delegate = std::make_shared<test::RecordingPlayerDelegate>();
        screen->setDelegate(delegate);
        delegates.push_back(delegate);
        auto parent = std::make_shared<ui::View>(ui::Rect{0, 0, 64, 48});
        window->addSubview(parent);
        screen->setParentView(parent);
        return screen;
    }
    test::RecordingPlayerDelegate& told(size_t index) { return *delegates.at(index); }

    std::shared_ptr<ui::Window> window = std::make_shared<ui::Window>(ui::Rect{0, 0, 160, 120});
    std::vector<std::shared_ptr<test::RecordingPlayerDelegate>> delegates;
};

TEST_F(CustomPlayerTest, PlacingLoadsTheScreenIntoItsParentView) {
    auto screen = placed(videos.colour);
    ASSERT_TRUE(screen->isViewLoaded());
    EXPECT_EQ(screen->view()->superview(), screen->parentView().get());
    EXPECT_EQ(screen->controller()->view()->frame(), (ui::Rect{0, 0, 64, 48}));
    EXPECT_EQ(screen->player()->currentItem(), screen->item());
    EXPECT_FALSE(screen->controller()->showsPlaybackControls());
    EXPECT_FALSE(screen->played());
    EXPECT_FALSE(screen->isPlaying());

    auto automatic =
        CustomPlayerViewController::customPlayerViewControllerWithUrl(urlOf(videos.colour));
    automatic->setAutoPlay(true);
    automatic->loadViewIfNeeded();
    EXPECT_TRUE(automatic->played());
    EXPECT_TRUE(automatic->isPlaying());
    // Without a parent view the movie has no room.
    EXPECT_EQ(automatic->controller()->view()->frame(), ui::Rect{});
}

TEST_F(CustomPlayerTest, TheSecondToStartPausesTheFirstForGood) {
    test::NotificationRecorder seen({PlaybackStartedNotification});
    auto first = placed(videos.colour);
    auto second = placed(videos.colour);
    first->play();
    ASSERT_TRUE(waitFor([&] { return told(0).started == 1; }));
    EXPECT_TRUE(first->isPlaying());
    second->play();
    ASSERT_TRUE(waitFor([&] { return told(1).started == 1; }));
    EXPECT_FALSE(first->played());
    EXPECT_FALSE(first->isPlaying());
    EXPECT_TRUE(second->isPlaying());
    ASSERT_EQ(seen.count(PlaybackStartedNotification), 2u);
    EXPECT_EQ(seen.seen()[1].object.ifObjectOf<AVPlayerItem>(), second->item());

    // Back in the foreground only the one meant to play plays.
    NotificationCenter::defaultCenter().postNotification(
        ui::UIApplicationDidBecomeActiveNotification);
    EXPECT_FALSE(first->isPlaying());
    EXPECT_TRUE(second->isPlaying());
    second->pause();
    NotificationCenter::defaultCenter().postNotification(
        ui::UIApplicationDidBecomeActiveNotification);
    EXPECT_FALSE(second->isPlaying());
}

TEST_F(CustomPlayerTest, WithoutLoopTheEndIsToldOnceAndHolds) {
    auto screen = placed(videos.shortClip);
    screen->play();
    ASSERT_TRUE(waitFor([&] { return told(0).finished == 1; }));
    RunLoop::main().runFor(0.3);
    EXPECT_EQ(told(0).finished, 1);
    EXPECT_TRUE(told(0).jumps.empty());
    EXPECT_FALSE(screen->isPlaying());
    EXPECT_NEAR(screen->currentSeconds(), 0.6, 0.05);
    EXPECT_TRUE(screen->played());  // what the caller asked for
}

TEST_F(CustomPlayerTest, WithLoopTheEndSeeksBackAndPlaysAgain) {
    auto screen = placed(videos.shortClip);
    screen->setLoop(true);
    screen->play();
    ASSERT_TRUE(waitFor([&] { return told(0).finished == 2; }));
    ASSERT_GE(told(0).jumps.size(), 1u);
    EXPECT_NEAR(told(0).jumps.front(), 0, 0.05);
    EXPECT_EQ(told(0).started, 2);
    EXPECT_TRUE(screen->isPlaying());
}

TEST_F(CustomPlayerTest, MuteSetsThePlayersVolumeBeforeAndAfterLoading) {
    auto early =
        CustomPlayerViewController::customPlayerViewControllerWithUrl(urlOf(videos.colour));
    early->setMute(true);
    early->loadViewIfNeeded();
    EXPECT_EQ(early->player()->volume(), 0);
    early->setMute(false);
    EXPECT_EQ(early->player()->volume(), 1);
    EXPECT_FALSE(early->mute());
}

class SeekRecordingScreen : public CustomPlayerViewController {
  public:
    void seekToTime(CMTime time) override {
        asked.push_back(time);
        CustomPlayerViewController::seekToTime(time);
    }
    std::vector<CMTime> asked;
};

TEST_F(CustomPlayerTest, SeekToSecondAsksInSixtyThousandthsAndTellsTheJump) {
    auto screen = placed<SeekRecordingScreen>(videos.long_);
    screen->seekToSecond(2.5);
    EXPECT_EQ(screen->asked, std::vector<CMTime>{CMTimeMake(150000, 60000)});
    ASSERT_TRUE(waitFor([&] { return !told(0).jumps.empty(); }));
    EXPECT_NEAR(told(0).jumps.front(), 2.5, 0.01);
    EXPECT_NEAR(screen->currentSeconds(), 2.5, 0.01);
}

TEST_F(CustomPlayerTest, TextThatIsNotAnAddressLeavesThePlayerWithoutMedia) {
    auto screen = placed(videos.colour);
    screen->setStr_url("not an address");
    EXPECT_EQ(screen->str_url(), String("not an address"));
    EXPECT_FALSE(screen->url());
    ASSERT_TRUE(screen->player());
    EXPECT_EQ(screen->player()->currentItem(), nullptr);
    EXPECT_EQ(screen->item(), nullptr);
    EXPECT_EQ(screen->currentSeconds(), 0);
    screen->setStr_url(URL::fileURLWithPath(videos.colour).absoluteString());
    ASSERT_TRUE(screen->item());
    screen->play();
    ASSERT_TRUE(waitFor([&] { return told(0).started == 1; }));
}

TEST_F(CustomPlayerTest, ADestroyedScreenLeavesTheCentreAndLetsItsPlayerGo) {
    auto screen = placed(videos.shortClip);
    screen->play();
    ASSERT_TRUE(waitFor([&] { return screen->isPlaying(); }));
    std::weak_ptr<AVPlayer> player = screen->player();
    const auto item = screen->item();
    screen.reset();
    EXPECT_TRUE(player.expired());  // its pipeline has stopped with it
    NotificationCenter::defaultCenter().postNotification(PlaybackStartedNotification);
    NotificationCenter::defaultCenter().postNotification(AVPlayerItemDidPlayToEndTimeNotification,
                                                         Value(item));
    NotificationCenter::defaultCenter().postNotification(
        ui::UIApplicationDidBecomeActiveNotification);
    RunLoop::main().runFor(0.2);
    EXPECT_EQ(told(0).finished, 0);
    EXPECT_EQ(told(0).started, 0);
}

}  // namespace
}  // namespace ov
