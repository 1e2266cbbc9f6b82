#include <gtest/gtest.h>

#include <filesystem>

#include "media/PlayerFixture.h"
#include "orvane/media/OVVideoPlayerView.h"
#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/media/MediaNotifications.h"
#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/ui/input/EventInjector.h"
#include "orvane/platform/ui/views/Window.h"
#include "support/TestBundle.h"

namespace ov {
namespace {

struct EndCounter : OVVideoPlayerViewDelegate {
    void didOVVideoPlayerViewFinishPlayback(OVVideoPlayerView& view) override {
        ++count;
        last = &view;
    }
    int count = 0;
    OVVideoPlayerView* last = nullptr;
};

class OVVideoPlayerViewTest : public test::PlayerFixture {
  protected:
    void SetUp() override {
        std::filesystem::copy_file(videos.shortClip, app.path().toUtf8() + "/intro.webm");
        Bundle::setMainBundlePath(app.path());
        window->addSubview(host);
        view = OVVideoPlayerView::playURLForResource("intro", "webm", *host);
        view->setDelegate(ends);
    }
    void TearDown() override { Bundle::setMainBundlePath(""); }

    test::TestBundle app;
    std::shared_ptr<ui::Window> window = std::make_shared<ui::Window>(ui::Rect{0, 0, 200, 160});
    std::shared_ptr<ui::View> host = std::make_shared<ui::View>(ui::Rect{10, 10, 100, 80});
    std::shared_ptr<OVVideoPlayerView> view;
    std::shared_ptr<EndCounter> ends = std::make_shared<EndCounter>();
    const int& endings = ends->count;
};

TEST_F(OVVideoPlayerViewTest, FillsItsHostWithPictureLabelsAndATouchButton) {
    EXPECT_EQ(view->superview(), host.get());
    EXPECT_EQ(view->frame(), (ui::Rect{0, 0, 100, 80}));
    const auto& subviews = view->subviews();
    ASSERT_EQ(subviews.size(), 4u);
    EXPECT_EQ(subviews[0], view->imageView());
    EXPECT_EQ(subviews[1], view->lbl_title());
    EXPECT_EQ(subviews[2], view->lbl_subtitle());
    EXPECT_EQ(subviews[3], view->touchButton());
    EXPECT_EQ(view->lbl_title()->frame(), (ui::Rect{20, 30, 60, 20}));
    EXPECT_EQ(view->lbl_subtitle()->frame(), (ui::Rect{20, 60, 60, 20}));
    EXPECT_EQ(view->lbl_title()->font().pointSize(), 16);
    EXPECT_EQ(view->lbl_subtitle()->font().pointSize(), 12);
    EXPECT_TRUE(view->playerLayer()->superlayer() == &view->layer());
    EXPECT_EQ(view->player()->rate(), 0);  // waits for play
    view->setTitleText("Welcome", "Tap to skip");
    view->setLabelsColorWhite();
    EXPECT_EQ(view->lbl_subtitle()->text(), String("Tap to skip"));
    EXPECT_EQ(view->lbl_title()->textColor(), ui::Color::whiteColor());
    EXPECT_EQ(OVVideoPlayerView::initWithMoviePath("/tmp/movie.mov"), nullptr);
}

TEST_F(OVVideoPlayerViewTest, TheContentFrameFollowsTheFirstSublayersTransform) {
    EXPECT_EQ(view->getVideoContentFrame(), (ui::Rect{0, 0, 100, 80}));
    view->layer().sublayers().front()->setSublayerTransform(
        ui::Transform3D::makeScale(0.5, 0.25, 1));
    EXPECT_EQ(view->getVideoContentFrame(), (ui::Rect{0, 0, 50, 20}));
}

TEST_F(OVVideoPlayerViewTest, ATouchAnywhereEndsItOnce) {
    view->play();
    ui::EventInjector fingers(window);
    fingers.touchDown({60, 50});
    EXPECT_EQ(endings, 1);
    EXPECT_EQ(ends->last, view.get());
    EXPECT_EQ(view->player()->rate(), 0);
    NotificationCenter::defaultCenter().postNotification(AVPlayerItemDidPlayToEndTimeNotification);
    EXPECT_EQ(endings, 1);  // no longer observing
    EXPECT_EQ(view->superview(), host.get());
}

TEST_F(OVVideoPlayerViewTest, TheEndOfTheMovieEndsIt) {
    view->play();
    ASSERT_TRUE(waitFor([&] { return endings == 1; }));
    EXPECT_EQ(view->player()->rate(), 0);
}

TEST_F(OVVideoPlayerViewTest, LeavingItsSuperviewStopsObserving) {
    view->removeFromSuperview();
    NotificationCenter::defaultCenter().postNotification(AVPlayerItemDidPlayToEndTimeNotification);
    EXPECT_EQ(endings, 0);
}

}  // namespace
}  // namespace ov
