#include <gtest/gtest.h>

#include "media/PlayerFixture.h"
#include "orvane/media/AVPlayerViewController+AVPlayerViewController.h"
#include "orvane/media/MPMoviePlayerViewController+OVMPMoviePlayerViewController.h"
#include "orvane/media/OVPlayerViewController.h"
#include "orvane/platform/media/MediaNotifications.h"
#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/ui/application/Device.h"
#include "orvane/platform/ui/views/Window.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/TestBundle.h"

namespace ov {
namespace {

namespace newer = AVPlayerViewController_AVPlayerViewController;
namespace older = MPMoviePlayerViewController_OVMPMoviePlayerViewController;

class PresentingPlayersTest : public test::PlayerFixture {
  protected:
    void SetUp() override { setRootViewController(*window, home); }
    void TearDown() override { ui::Device::currentDevice().setInfo(std::nullopt); }
    static void setSystemVersion(const char* version) {
        auto info = ui::Device::systemInfo();
        info.systemVersion = version;
        ui::Device::currentDevice().setInfo(info);
    }

    std::shared_ptr<ui::Window> window = std::make_shared<ui::Window>(ui::Rect{0, 0, 120, 90});
    std::shared_ptr<ui::ViewController> home = std::make_shared<ui::ViewController>();
};

TEST_F(PresentingPlayersTest, SystemsBeforeTenGetTheOlderScreenUnpresented) {
    setSystemVersion("9.3");
    SystemLogCapture log;
    const auto url = urlOf(videos.colour);
    const auto screen = newer::playUrl(url, home);
    const auto* moviePlayer = dynamic_cast<ui::MPMoviePlayerViewController*>(screen.get());
    ASSERT_TRUE(moviePlayer);
    EXPECT_EQ(moviePlayer->moviePlayer()->movieSourceType(), ui::MPMovieSourceTypeStreaming);
    EXPECT_EQ(moviePlayer->moviePlayer()->player()->rate(), 1);
    EXPECT_EQ(home->presentedViewController(), nullptr);
    const std::string address = url->absoluteString().toUtf8();
    EXPECT_EQ(log.entries(),
              (std::vector<std::string>{"play url: " + address, "play url: " + address,
                                        "playing by MP//MoviePlayerController..."}));
}

TEST_F(PresentingPlayersTest, SystemsFromTenOnGetTheNewerScreenPresented) {
    for (const char* version : {"10.0", "11.2"}) {
        setSystemVersion(version);
        SystemLogCapture log;
        const auto screen = older::playUrl(urlOf(videos.colour), home, 1);
        const auto* player = dynamic_cast<ui::AVPlayerViewController*>(screen.get());
        ASSERT_TRUE(player) << version;
        EXPECT_EQ(home->presentedViewController(), screen.get());
        EXPECT_EQ(player->player()->rate(), 1);
        EXPECT_EQ(log.entries().back(), "playing by AV//PlayerViewController...");
        home->dismissViewControllerAnimated(false);
        RunLoop::main().runPending();
    }
}

TEST_F(PresentingPlayersTest, AddressesMayComeAsText) {
    EXPECT_EQ(newer::fixURL(String("https://example.com/a.webm")),
              URL::withString("https://example.com/a.webm"));
    EXPECT_FALSE(newer::fixURL(String("not an address")));
    EXPECT_EQ(newer::fixURL(urlOf(videos.colour)), urlOf(videos.colour));
    setSystemVersion("12");
    const auto screen = newer::playUrl(String("not an address"), home);
    EXPECT_EQ(dynamic_cast<ui::AVPlayerViewController&>(*screen).player()->currentItem(), nullptr);
}

TEST_F(PresentingPlayersTest, ObserversHearTheOlderPlayersTwoNotificationsWhileTheyLive) {
    struct Listener : MoviePlayerObserver {
        void moviePlayBackDidFinish(const Notification&) override { ++finished; }
        void doneButtonClick(const Notification&) override { ++done; }
        int finished = 0;
        int done = 0;
    };
    auto listener = std::make_shared<Listener>();
    auto& center = NotificationCenter::defaultCenter();
    {
        Subscription token = older::addObservers(listener);
        center.postNotification(MPMoviePlayerPlaybackDidFinishNotification);
        center.postNotification(MPMoviePlayerWillExitFullscreenNotification);
        center.postNotification(MPMoviePlayerWillExitFullscreenNotification);
    }
    center.postNotification(MPMoviePlayerPlaybackDidFinishNotification);
    EXPECT_EQ(listener->finished, 1);
    EXPECT_EQ(listener->done, 2);
    Subscription orphan = newer::addObservers(listener);
    listener.reset();
    center.postNotification(MPMoviePlayerPlaybackDidFinishNotification);  // held weakly
}

TEST_F(PresentingPlayersTest, ABundleResourcePlaysInItsOwnScreen) {
    test::TestBundle app;
    app.write("intro.ogg", Data::fromString(std::string_view("x")));
    Bundle::setMainBundlePath(app.path());
    const auto found = newer::playerWithResource("intro", "ogg");
    const auto missing = newer::playerWithResource("outro", "ogg");
    Bundle::setMainBundlePath("");
    ASSERT_TRUE(found->player()->currentItem());
    EXPECT_EQ(found->player()->currentItem()->asset()->uri(),
              URL::fileURLWithPath(app.path() + "/intro.ogg").absoluteString().toUtf8());
    EXPECT_EQ(missing->player()->currentItem(), nullptr);
    OVPlayerViewController ours;
    ours.playa();
    EXPECT_EQ(ours.player(), nullptr);
}

}  // namespace
}  // namespace ov
