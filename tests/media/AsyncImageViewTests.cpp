#include <gtest/gtest.h>

#include "LoaderFixture.h"
#include "orvane/media/AsyncImageView.h"
#include "orvane/media/UIImageView+AsyncImageView.h"
#include "orvane/platform/ui/layers/Animation.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

using test::ImageServer;
using test::LoaderTest;

using AsyncImageViewTest = LoaderTest;

bool hasFade(const AsyncImageView& view, double duration) {
    const auto fade =
        std::dynamic_pointer_cast<const ui::Transition>(view.layer().animationForKey("transition"));
    return fade && fade->duration() == duration;
}

TEST_F(AsyncImageViewTest, ThreadedSpinsWhileLoadingThenFadesTheImageIn) {
    ImageServer server;
    auto view = std::make_shared<AsyncImageView>(ui::Rect{0, 0, 100, 60});
    EXPECT_TRUE(view->showActivityIndicator());
    view->setImageURL(server.url("/held/photo"));
    EXPECT_EQ(view->imageURL(), server.url("/held/photo"));
    const auto indicator = view->activityView();
    ASSERT_TRUE(indicator);
    EXPECT_TRUE(indicator->isAnimating());
    EXPECT_FALSE(indicator->isHidden());
    EXPECT_EQ(indicator->center(), (ui::Point{50, 30}));
    EXPECT_EQ(indicator->autoresizingMask(), 45u);
    EXPECT_EQ(indicator->color(), ui::Color::lightGrayColor());

    server.release("photo");
    ASSERT_TRUE(runUntil([&] { return view->image() != nullptr; }));
    EXPECT_TRUE(indicator->isHidden());
    EXPECT_TRUE(hasFade(*view, 0.4));
    EXPECT_EQ(view->imageURL(), std::nullopt);
}

TEST_F(AsyncImageViewTest, ACachedAddressShowsAtOnceWithoutTheIndicator) {
    const auto url = *URL::withString("http://127.0.0.1:1/cached.png");
    const auto image = Image::imageWithData(test::solidPng(2, 2, 0xFFFFFFFF));
    AsyncImageLoader::defaultCache()->setObject(image, url.absoluteString());
    auto view = std::make_shared<AsyncImageView>(ui::Rect{0, 0, 10, 10});
    view->setCrossfadeDuration(0.25);
    view->setImageURL(url);
    EXPECT_EQ(view->image(), image);
    EXPECT_EQ(view->activityView(), nullptr);
    EXPECT_TRUE(hasFade(*view, 0.25));
    EXPECT_TRUE(loader().connections().empty());
}

TEST_F(AsyncImageViewTest, TheFadeRunsOnTheClockAndOnlyForANewImage) {
    test::ManualClockScope time(10.0);
    const auto image = Image::imageWithData(test::solidPng(2, 2, 0xFFFFFFFF));
    auto view = std::make_shared<AsyncImageView>(ui::Rect{0, 0, 10, 10});
    view->setImage(image);
    const auto fade = std::dynamic_pointer_cast<const ui::Transition>(
        view->layer().animationForKey("transition"));
    ASSERT_TRUE(fade);
    EXPECT_EQ(fade->beginTime(), 10.0);
    view->layer().removeAllAnimations();
    view->setImage(image);
    EXPECT_EQ(view->layer().animationForKey("transition"), nullptr);
}

TEST_F(AsyncImageViewTest, ChangingTheStyleDropsTheIndicatorAndTheColourRecoloursIt) {
    ImageServer server;
    auto view = std::make_shared<AsyncImageView>(ui::Rect{0, 0, 40, 40});
    view->setImageURL(server.url("/held/styled"));
    view->setActivityIndicatorColor(ui::Color::redColor());
    EXPECT_EQ(view->activityView()->color(), ui::Color::redColor());
    const auto old = view->activityView();
    view->setActivityIndicatorStyle(ui::UIActivityIndicatorViewStyleWhiteLarge);
    EXPECT_EQ(view->activityView(), nullptr);
    EXPECT_EQ(old->superview(), nullptr);
    view->setImageURL(server.url("/held/styled"));
    EXPECT_EQ(view->activityView()->activityIndicatorViewStyle(),
              ui::UIActivityIndicatorViewStyleWhiteLarge);
}

TEST_F(AsyncImageViewTest, ThreadedAViewDroppedWhileLoadingLivesUntilTheLoadEndsThenGoes) {
    ImageServer server;
    auto view = std::make_shared<AsyncImageView>(ui::Rect{0, 0, 40, 40});
    std::weak_ptr<AsyncImageView> watched = view;
    view->setImageURL(server.url("/held/dropped"));
    view.reset();
    EXPECT_FALSE(watched.expired());
    server.release("dropped");
    ASSERT_TRUE(runUntil([&] { return watched.expired(); }));
    EXPECT_TRUE(loader().connections().empty());
}

TEST_F(AsyncImageViewTest, ThreadedThePlainImageViewCategoryLoadsIntoAnyImageView) {
    ImageServer server;
    auto view = std::make_shared<ui::ImageView>();
    UIImageView_AsyncImageView::setImageURL(*view, server.url("/png/plain"));
    EXPECT_EQ(UIImageView_AsyncImageView::imageURL(*view), server.url("/png/plain"));
    ASSERT_TRUE(runUntil([&] { return view->image() != nullptr; }));
    EXPECT_EQ(view->image()->pixelWidth(), 4);
}

}  // namespace
}  // namespace ov
